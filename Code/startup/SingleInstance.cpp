#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QFile>
#include <QLocalSocket>
#include <QLockFile>

namespace {

constexpr int AnswerWaitMs = 5000;
// How long a start waits for another one that is deciding at the same moment.
constexpr int TurnWaitMs = 10000;
// Far beyond any list of paths; a longer message is not one of ours.
constexpr qsizetype LargestMessage = 16 * 1024 * 1024;
const char Taken = '1';

// The paths as the file system spells them, each ended by a NUL, and one
// more NUL at the end of the list; a path never holds a NUL, nor is it empty.
QByteArray Encode(const QStringList& Files) {
    QByteArray Message;
    for (const QString& File : Files)
        if (!File.isEmpty())
            Message += QFile::encodeName(File) + '\0';
    return Message + '\0';
}

} // namespace

TSingleInstance::TSingleInstance(const QString& Name, const QString& RuntimeFolder)
    : SocketPath(RuntimeFolder.isEmpty() ? QString() : RuntimeFolder + "/" + Name) {
    Server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&Server, &QLocalServer::newConnection, this, &TSingleInstance::Accept);
}

QString TSingleInstance::NameFor(const QString& DataFolder) {
    const QByteArray Digest =
        QCryptographicHash::hash(QFile::encodeName(DataFolder), QCryptographicHash::Sha256);
    return "Korvalin-" + QString::fromLatin1(Digest.toHex().left(16));
}

TSingleInstance::TOutcome TSingleInstance::Claim(const QStringList& Files) {
    if (SocketPath.isEmpty()) {
        Received(Files);
        return TOutcome::Running;
    }
    QLockFile Turn(SocketPath + ".lock"); // a lock left by a crashed start is taken over
    Turn.tryLock(TurnWaitMs);             // without it, this start decides all the same
    QLocalSocket Other;
    Other.connectToServer(SocketPath);
    if (Other.waitForConnected(AnswerWaitMs)) {
        Other.write(Encode(Files));
        Other.waitForBytesWritten(AnswerWaitMs);
        const bool Answered =
            Other.waitForReadyRead(AnswerWaitMs) && Other.read(1) == QByteArray(1, Taken);
        return Answered ? TOutcome::HandedOn : TOutcome::NoAnswer;
    }
    // A socket that nobody answers on was left by an instance that crashed.
    QLocalServer::removeServer(SocketPath);
    Server.listen(SocketPath); // when this fails, the program still runs, only alone
    Received(Files);
    return TOutcome::Running;
}

void TSingleInstance::DeliverTo(std::function<void(const QStringList&)> OpenFiles) {
    Open = std::move(OpenFiles);
    for (const QStringList& Files : std::exchange(Waiting, {}))
        Open(Files);
}

void TSingleInstance::Accept() {
    while (QLocalSocket* Caller = Server.nextPendingConnection()) {
        connect(Caller, &QLocalSocket::disconnected, Caller, &QObject::deleteLater);
        connect(Caller, &QLocalSocket::readyRead, this, [this, Caller] {
            const QByteArray Message = Caller->peek(LargestMessage + 1);
            const qsizetype End = Message.indexOf(QByteArray(1, '\0') + '\0');
            const bool Empty = Message.startsWith('\0');
            if (End < 0 && !Empty) {
                if (Message.size() > LargestMessage)
                    Caller->abort();
                return; // the rest is on its way
            }
            Caller->read(Empty ? 1 : End + 2);
            Caller->write(&Taken, 1);
            QStringList Files;
            if (!Empty)
                for (const QByteArray& Name : Message.left(End).split('\0'))
                    Files << QFile::decodeName(Name);
            Received(Files);
        });
    }
}

void TSingleInstance::Received(const QStringList& Files) {
    if (Open)
        Open(Files);
    else
        Waiting << Files;
}
