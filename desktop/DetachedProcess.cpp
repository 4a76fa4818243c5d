// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/DetachedProcess.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Reads all of a /proc file (their size is not known in advance).
QByteArray ReadProcFile(pid_t pid, const char* name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// What the grandchild does between fork and exec: only async-signal-safe
// calls. A failure is reported through the pipe as errno.
[[noreturn]] void ExecDetached(const char* path, char* const* argv, int logFd, int reportFd)
{
    const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    if (null < 0 || ::dup2(null, STDIN_FILENO) < 0 || ::dup2(null, STDOUT_FILENO) < 0 ||
        ::dup2(logFd, STDERR_FILENO) < 0) {
        const int code = errno;
        (void)!::write(reportFd, &code, sizeof code);
        ::_exit(127);
    }
    // Nothing of ours is left in a program that runs for days: no open file
    // (the report pipe still closes only on a successful exec), no blocked
    // or ignored signal, no hold on our working folder.
    ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    for (const int signal : {SIGPIPE, SIGTERM, SIGINT, SIGHUP, SIGCHLD})
        ::signal(signal, SIG_DFL);
    (void)!::chdir("/");
    ::execv(path, argv);
    const int code = errno;
    (void)!::write(reportFd, &code, sizeof code);
    ::_exit(127);
}

// Reads up to size bytes, until end of file; the count read.
ssize_t ReadAll(int fd, void* data, size_t size)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, static_cast<char*>(data) + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<size_t>(got);
    }
    return static_cast<ssize_t>(done);
}

} // namespace

pid_t StartDetached(const QString& program, const QStringList& arguments, const QString& errorLog, QString& error)
{
    // Everything the children need is made before fork: after it, in a
    // threaded program, only async-signal-safe calls are allowed.
    const QByteArray path = QFile::encodeName(program);
    std::vector<QByteArray> words{path};
    for (const QString& argument : arguments)
        words.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    const int logFd = ::open(QFile::encodeName(errorLog).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (logFd < 0) {
        error = QStringLiteral("cannot write %1: %2").arg(errorLog, QString::fromLocal8Bit(std::strerror(errno)));
        return -1;
    }
    // The grandchild's pid comes back through one pipe, and through the
    // other its errno should exec fail; exec closes that one's write end.
    int pidPipe[2];
    int execPipe[2];
    if (::pipe2(pidPipe, O_CLOEXEC) != 0) {
        ::close(logFd);
        error = QStringLiteral("no pipe: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return -1;
    }
    if (::pipe2(execPipe, O_CLOEXEC) != 0) {
        for (const int fd : {logFd, pidPipe[0], pidPipe[1]})
            ::close(fd);
        error = QStringLiteral("no pipe: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return -1;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0)
            ExecDetached(argv[0], argv.data(), logFd, execPipe[1]);
        (void)!::write(pidPipe[1], &grandchild, sizeof grandchild);
        ::_exit(grandchild < 0 ? 1 : 0);
    }
    for (const int fd : {logFd, pidPipe[1], execPipe[1]})
        ::close(fd);
    if (child > 0) {
        while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    pid_t pid = -1;
    int execError = 0;
    if (child < 0 || ReadAll(pidPipe[0], &pid, sizeof pid) != sizeof pid || pid <= 0)
        pid = -1;
    const bool execFailed = pid > 0 && ReadAll(execPipe[0], &execError, sizeof execError) == sizeof execError;
    ::close(pidPipe[0]);
    ::close(execPipe[0]);
    if (pid < 0) {
        error = QStringLiteral("cannot start %1").arg(program);
        return -1;
    }
    if (execFailed) {
        error = QStringLiteral("cannot run %1: %2").arg(program, QString::fromLocal8Bit(std::strerror(execError)));
        return -1;
    }
    return pid;
}

ProcessStat ReadProcessStat(pid_t pid)
{
    ProcessStat stat;
    const QByteArray text = ReadProcFile(pid, "stat");
    // The command name in parentheses may hold spaces and ')': the fields
    // start after the last ')'.
    const qsizetype close = text.lastIndexOf(')');
    if (close < 0)
        return stat;
    const QList<QByteArray> fields = text.mid(close + 2).split(' ');
    // Counted from the state, field 3 of the file: utime 14, stime 15,
    // starttime 22.
    if (fields.size() < 20 || fields[0].isEmpty())
        return stat;
    stat.exists = true;
    stat.state = fields[0].at(0);
    stat.cpuTicks = fields[11].toULongLong() + fields[12].toULongLong();
    stat.startTime = fields[19].toULongLong();
    return stat;
}

QStringList ProcessCommandLine(pid_t pid)
{
    QStringList words;
    QByteArray text = ReadProcFile(pid, "cmdline");
    if (text.endsWith('\0'))
        text.chop(1);
    if (text.isEmpty())
        return words;
    for (const QByteArray& word : text.split('\0'))
        words << QFile::decodeName(word);
    return words;
}
