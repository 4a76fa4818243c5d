// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/SessionInstance.h"

#include "platform/Warning.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QtEndian>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr quint32 kProtocol = 1;
// Far more than any request (a list of the most entries a list file holds).
constexpr quint32 kMaxMessage = 64u << 20;
const QString kConnectionName = QStringLiteral("quilvane-session");
const QString kInterface = QStringLiteral("org.quilvane.Quilvane");

// The session bus's address, without starting one: libdbus would otherwise
// try to launch a bus of its own when none is named.
QString BusAddress()
{
    const QString named = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (!named.isEmpty())
        return named;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        return {};
#ifndef _WIN32
    struct stat st {};
    const QByteArray socket = QFile::encodeName(runtime + QStringLiteral("/bus"));
    if (::stat(socket.constData(), &st) == 0 && S_ISSOCK(st.st_mode))
        return QStringLiteral("unix:path=") + runtime + QStringLiteral("/bus");
#endif
    return {};
}

QDBusConnection Bus()
{
    const QString address = BusAddress();
    if (address.isEmpty())
        return QDBusConnection(QStringLiteral("quilvane-no-bus"));
    // One connection per address: Qt hands out the one already open under
    // a name, whatever address is asked for.
    return QDBusConnection::connectToBus(address, kConnectionName + u' ' + address);
}

// $XDG_RUNTIME_DIR/quilvane, made if missing; empty unless it is a folder of
// this user's that no one else may enter.
QString PrivateFolder()
{
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        return {};
    const QString folder = runtime + QStringLiteral("/quilvane");
#ifndef _WIN32
    const QByteArray name = QFile::encodeName(folder);
    ::mkdir(name.constData(), 0700);
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
        (st.st_mode & 077) != 0) {
        Warning(QStringLiteral("%1 is not a private folder of this user; Quilvane cannot tell whether it runs already")
                    .arg(Printable(folder)));
        return {};
    }
#else
    QDir().mkpath(folder);
#endif
    return folder;
}

QByteArray Frame(const QByteArray& payload)
{
    QByteArray framed(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(payload.size()), framed.data());
    return framed + payload;
}

// A whole frame from the front of buffer, removed from it; nothing while it
// is incomplete. *bad when the length is beyond any message.
std::optional<QByteArray> TakeFrame(QByteArray& buffer, bool* bad)
{
    *bad = false;
    if (buffer.size() < 4)
        return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(buffer.constData());
    if (length > kMaxMessage) {
        *bad = true;
        return std::nullopt;
    }
    if (static_cast<quint32>(buffer.size()) - 4 < length)
        return std::nullopt;
    QByteArray payload = buffer.mid(4, length);
    buffer.remove(0, 4 + length);
    return payload;
}

} // namespace

QByteArray EncodeRequest(const SessionInstance::Request& request)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kProtocol << request;
    return bytes;
}

std::optional<SessionInstance::Request> DecodeRequest(const QByteArray& bytes)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 protocol = 0;
    SessionInstance::Request request;
    in >> protocol >> request;
    if (in.status() != QDataStream::Ok || protocol != kProtocol)
        return std::nullopt;
    return request;
}

QByteArray EncodeReply(const SessionInstance::Reply& reply)
{
    return EncodeRequest({{QStringLiteral("code"), reply.code}, {QStringLiteral("message"), reply.message}});
}

std::optional<SessionInstance::Reply> DecodeReply(const QByteArray& bytes)
{
    const std::optional<SessionInstance::Request> fields = DecodeRequest(bytes);
    if (!fields || !fields->contains(QStringLiteral("code")))
        return std::nullopt;
    return SessionInstance::Reply{fields->value(QStringLiteral("code")).toInt(),
                                  fields->value(QStringLiteral("message")).toString()};
}

SessionInstance::SessionInstance() = default;

SessionInstance::~SessionInstance()
{
    Release();
}

bool SessionInstance::UseBus() const
{
    return Bus().isConnected();
}

SessionInstance::Role SessionInstance::Claim()
{
    if (m_owner)
        return Role::Owner;
    m_owner = UseBus() ? ClaimBus() : ClaimSocket();
    m_released = false;
    return m_owner ? Role::Owner : Role::Client;
}

bool SessionInstance::ClaimBus()
{
    QDBusConnection bus = Bus();
    // The object answers before the name is ours, so a request that finds
    // the name also finds someone to take it.
    if (!bus.registerObject(QString::fromLatin1(kObjectPath), this, QDBusConnection::ExportScriptableSlots))
        return false;
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        bus.interface()->registerService(QString::fromLatin1(kServiceName), QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered) {
        m_onBus = true;
        return true;
    }
    bus.unregisterObject(QString::fromLatin1(kObjectPath));
    return false;
}

bool SessionInstance::ClaimSocket()
{
    m_folder = PrivateFolder();
    if (m_folder.isEmpty())
        return true; // no way to find another: this one runs on its own
    auto lock = std::make_unique<QLockFile>(m_folder + QStringLiteral("/instance.lock"));
    // Only a lock whose process is gone is stale, however old it is.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    const QString path = m_folder + QStringLiteral("/instance.socket");
    // Whatever socket is there was left by an owner that died: the lock
    // was free.
    QLocalServer::removeServer(path);
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(path)) {
        Warning(QStringLiteral("cannot listen on %1: %2").arg(Printable(path), server->errorString()));
        return true; // owner all the same: no other can listen either
    }
    connect(server.get(), &QLocalServer::newConnection, this, &SessionInstance::OnNewConnection);
    m_lock = std::move(lock);
    m_server = std::move(server);
    return true;
}

void SessionInstance::Release()
{
    if (!m_owner || m_released)
        return;
    m_released = true;
    if (m_onBus) {
        QDBusConnection bus = Bus();
        bus.interface()->unregisterService(QString::fromLatin1(kServiceName));
        bus.unregisterObject(QString::fromLatin1(kObjectPath));
        m_onBus = false;
    }
    if (m_server) {
        m_server->close();
        // Release may run inside the server's own signal: it goes later,
        // or with this object at the latest.
        QLocalServer* server = m_server.release();
        server->setParent(this);
        server->deleteLater();
    }
    // The socket file stays until the next owner replaces it; the lock goes
    // first, so that owner may.
    m_lock.reset();
    m_owner = false;
}

QByteArray SessionInstance::Call(const QByteArray& bytes)
{
    const std::optional<SessionInstance::Request> request = DecodeRequest(bytes);
    if (!request)
        return EncodeReply({1, QStringLiteral("the running Quilvane does not understand this request")});
    if (m_released || !m_owner || !m_handler)
        return EncodeReply({kTryAgain, {}});
    return EncodeReply(m_handler(*request));
}

void SessionInstance::OnNewConnection()
{
    while (QLocalSocket* socket = m_server ? m_server->nextPendingConnection() : nullptr) {
        // Outlives the server: a request may end the session (Release),
        // and its answer still has to go out.
        socket->setParent(this);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
            *buffer += socket->readAll();
            bool bad = false;
            const std::optional<QByteArray> payload = TakeFrame(*buffer, &bad);
            if (bad) {
                socket->abort();
                return;
            }
            if (!payload)
                return;
            socket->write(Frame(Call(*payload)));
            socket->flush();
            socket->disconnectFromServer();
        });
    }
}

std::optional<SessionInstance::Reply> SessionInstance::Send(const SessionInstance::Request& request, int timeoutMs)
{
    const QByteArray bytes = EncodeRequest(request);
    return UseBus() ? SendOverBus(bytes, timeoutMs) : SendOverSocket(bytes, timeoutMs);
}

std::optional<SessionInstance::Reply> SessionInstance::SendOverBus(const QByteArray& bytes, int timeoutMs)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kServiceName), QString::fromLatin1(kObjectPath), kInterface, QStringLiteral("Call"));
    call << bytes;
    const QDBusMessage answer = Bus().call(call, QDBus::Block, timeoutMs);
    if (answer.type() != QDBusMessage::ReplyMessage || answer.arguments().isEmpty())
        return std::nullopt;
    return DecodeReply(answer.arguments().constFirst().toByteArray());
}

std::optional<SessionInstance::Reply> SessionInstance::SendOverSocket(const QByteArray& bytes, int timeoutMs)
{
    const QString folder = m_folder.isEmpty() ? PrivateFolder() : m_folder;
    if (folder.isEmpty())
        return std::nullopt;
    QLocalSocket socket;
    socket.connectToServer(folder + QStringLiteral("/instance.socket"));
    if (!socket.waitForConnected(2000))
        return std::nullopt;
    socket.write(Frame(bytes));
    if (!socket.waitForBytesWritten(timeoutMs))
        return std::nullopt;
    QByteArray buffer;
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        bool bad = false;
        if (const std::optional<QByteArray> payload = TakeFrame(buffer, &bad))
            return DecodeReply(*payload);
        if (bad)
            return std::nullopt;
        if (!socket.waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())))) {
            if (socket.state() != QLocalSocket::ConnectedState && socket.bytesAvailable() == 0)
                return std::nullopt;
        }
        buffer += socket.readAll();
    }
    return std::nullopt;
}

SessionInstance::Role SessionInstance::ClaimOrSend(const SessionInstance::Request& request, Reply* reply)
{
    // An owner that is starting has not answered yet; one that is ending
    // says so (kTryAgain) or is gone: either way, a moment later the session
    // is either owned and answering, or free.
    const QDeadlineTimer deadline(20000);
    while (true) {
        if (Claim() == Role::Owner)
            return Role::Owner;
        if (const std::optional<Reply> answer = Send(request); answer && answer->code != kTryAgain) {
            *reply = *answer;
            return Role::Client;
        }
        if (deadline.hasExpired()) {
            *reply = {1, QStringLiteral("another Quilvane holds the session but does not answer")};
            return Role::Client;
        }
        QThread::msleep(50);
    }
}
