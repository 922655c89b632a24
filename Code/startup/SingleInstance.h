#pragma once

#include <QLocalServer>
#include <QObject>
#include <QStringList>
#include <functional>

// One running Korvalin per data folder, so that two windows never write the
// same settings and script. A later start hands its files to the running one
// over a local socket in the user's private runtime folder and ends.
class TSingleInstance : public QObject {
    Q_OBJECT

public:
    // Name tells this program's instances apart from other programs' sockets;
    // RuntimeFolder is a folder only this user can enter. Without one, every
    // start runs on its own.
    TSingleInstance(const QString& Name, const QString& RuntimeFolder);

    enum class TOutcome {
        Running,  // no other instance: this one now takes files from later starts
        HandedOn, // a running instance took the files
        NoAnswer  // an instance is running but did not take them
    };
    // Hands Files to the instance already running, or becomes the one. A
    // socket left by an instance that crashed is replaced; two starts at the
    // same moment take turns, so one of them runs and the other hands on.
    TOutcome Claim(const QStringList& Files);

    // From now on every list of files that arrives goes to Open, the ones
    // that came before first. An empty list asks only for the window.
    void DeliverTo(std::function<void(const QStringList&)> Open);

    // The socket and lock names of an instance, for the data folder it serves.
    static QString NameFor(const QString& DataFolder);

private:
    void Accept();
    void Received(const QStringList& Files);

    const QString SocketPath;
    QLocalServer Server;
    std::function<void(const QStringList&)> Open;
    QList<QStringList> Waiting;
};
