// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// One Quilvane per user session. The first to start owns the session: it
// holds a well-known name on the session bus or, without a bus, a lock and a
// socket in a private folder of $XDG_RUNTIME_DIR. Every later start hands its
// command to the owner (bring the window to the front, play, next, stop) and
// ends with the owner's answer. A name or lock held by a dead process is
// free again (the bus drops it, the lock names a process that is gone), and
// only one of two processes starting together can own it. Both the bus and
// the runtime folder are the user's own, so two users never meet.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

class QLocalServer;
class QLockFile;

class SessionInstance : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quilvane.Quilvane")

public:
    static constexpr const char* kServiceName = "org.quilvane.Quilvane";
    static constexpr const char* kObjectPath = "/org/quilvane/Quilvane";

    // Answers besides 0 (done) and a command's own failure codes.
    static constexpr int kTryAgain = -1; // the owner is ending: claim again
    static constexpr int kNoWindow = -2; // a headless owner hands the session over

    struct Reply {
        int code = 0;
        QString message; // said on standard error by the one who asked
    };
    // A command: "command" names it ("raise", "play", "next", "stop"); the
    // other keys are its arguments.
    using Request = QVariantMap;
    using Handler = std::function<Reply(const Request&)>;

    enum class Role {
        Owner,  // this process owns the session
        Client, // another one does; Send reaches it
    };

    SessionInstance();
    ~SessionInstance() override;
    SessionInstance(const SessionInstance&) = delete;
    SessionInstance& operator=(const SessionInstance&) = delete;

    // Takes the session if it is free. A Client cannot be sure the owner
    // answers yet (it may still be starting): Send tells.
    Role Claim();
    // Hands a request to the owner; nothing when no owner answered.
    std::optional<Reply> Send(const Request& request, int timeoutMs = 30000);

    // Claims the session, or hands the request to its owner: retried while
    // an owner is starting or ending, so two processes starting together end
    // with one owner. Owner, or Client with the owner's *reply (kNoWindow
    // included: the caller decides whether to claim again).
    Role ClaimOrSend(const Request& request, Reply* reply);

    // What the owner does with requests (until set, they are refused).
    void SetHandler(Handler handler) { m_handler = std::move(handler); }
    // The owner lets go: later requests get kTryAgain, the name or lock is
    // free for the next start. Also done on destruction.
    void Release();

public Q_SLOTS:
    // The bus method; the socket carries the same bytes.
    Q_SCRIPTABLE QByteArray Call(const QByteArray& request);

private:
    bool UseBus() const;
    bool ClaimBus();
    bool ClaimSocket();
    std::optional<Reply> SendOverBus(const QByteArray& bytes, int timeoutMs);
    std::optional<Reply> SendOverSocket(const QByteArray& bytes, int timeoutMs);
    void OnNewConnection();

    Handler m_handler;
    bool m_owner = false;
    bool m_released = false;
    bool m_onBus = false;
    QString m_folder; // the private runtime folder, without a bus
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
};

// The request and reply bytes (a versioned QDataStream of a QVariantMap).
QByteArray EncodeRequest(const SessionInstance::Request& request);
std::optional<SessionInstance::Request> DecodeRequest(const QByteArray& bytes);
QByteArray EncodeReply(const SessionInstance::Reply& reply);
std::optional<SessionInstance::Reply> DecodeReply(const QByteArray& bytes);
