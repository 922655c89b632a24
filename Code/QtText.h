#pragma once

#include <QString>
#include <string>

// Texts cross between the windows (QString) and the engine (bytes in the
// locale's encoding) only through these two.
inline std::string ToEngineText(const QString& Text) {
    return Text.toLocal8Bit().toStdString();
}
inline QString FromEngineText(const std::string& Text) {
    return QString::fromLocal8Bit(Text);
}
