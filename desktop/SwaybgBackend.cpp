// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/SwaybgBackend.h"

#include "desktop/DesktopMessages.h"
#include "desktop/DetachedProcess.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QThread>

#include <csignal>
#include <vector>

namespace {

const QString kProgram = QStringLiteral("swaybg");
const QString kRecordPrefix = QStringLiteral("swaybg-");
const QString kRecordSuffix = QStringLiteral(".pid");
// swaybg says this on standard error once it has an output to draw on.
const QByteArray kOutputFound = "Found config";
// And this when it cannot read the picture: it keeps running, showing a
// plain colour instead.
const QByteArray kNotLoaded = "Failed to load";

constexpr int kStartTimeoutMs = 3000;
constexpr int kEndTimeoutMs = 1000;
constexpr int kPollMs = 10;
// Samples in a row without CPU time spent, asleep, before a swaybg that
// has its output counts as having drawn and gone back to waiting.
constexpr int kIdleSamples = 3;

// One swaybg we started, as written down.
struct Instance {
    pid_t pid = 0;
    quint64 startTime = 0;
    QString program;
    QString record; // the file it is written down in
};

QString RecordName(pid_t pid)
{
    return kRecordPrefix + QString::number(pid) + kRecordSuffix;
}

std::vector<Instance> Recorded(const QDir& dir)
{
    std::vector<Instance> instances;
    for (const QString& name : dir.entryList({kRecordPrefix + u'*' + kRecordSuffix}, QDir::Files)) {
        // Records are ours and tiny; anything else in their place is skipped.
        const QString path = dir.filePath(name);
        QByteArray bytes;
        if (ReadRegularFile(path, 64 * 1024, &bytes) != FileRefusal::None)
            continue;
        const QList<QByteArray> lines = bytes.split('\n');
        Instance instance;
        instance.pid =
            name.mid(kRecordPrefix.size(), name.size() - kRecordPrefix.size() - kRecordSuffix.size()).toInt();
        instance.startTime = lines.value(0).toULongLong();
        instance.program = QFile::decodeName(lines.value(1));
        instance.record = path;
        instances.push_back(instance);
    }
    return instances;
}

bool Record(const QDir& dir, pid_t pid, const QString& program)
{
    QFile file(dir.filePath(RecordName(pid)));
    const ProcessStat stat = ReadProcessStat(pid);
    return stat.exists && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(QByteArray::number(stat.startTime) + '\n' + QFile::encodeName(program) + '\n') > 0 &&
           file.flush();
}

// Whether the process id still names the swaybg we wrote down: same start
// time, same program, not yet ended.
bool StillOurs(const Instance& instance)
{
    if (instance.pid <= 0)
        return false;
    const ProcessStat stat = ReadProcessStat(instance.pid);
    const QStringList command = ProcessCommandLine(instance.pid);
    return stat.Running() && stat.startTime == instance.startTime && !command.isEmpty() &&
           command.first() == instance.program && QFileInfo(instance.program).fileName() == kProgram;
}

// Ends the instance if it is still ours and waits a moment for it to go;
// its record goes either way.
void End(const Instance& instance)
{
    if (StillOurs(instance)) {
        ::kill(instance.pid, SIGTERM);
        QElapsedTimer waited;
        waited.start();
        while (StillOurs(instance) && waited.elapsed() < kEndTimeoutMs)
            QThread::msleep(kPollMs);
    }
    QFile::remove(instance.record);
}

QByteArray ReadLog(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

enum class Start { Drawing, Ended, Refused, TimedOut };

// Waits until the new swaybg has found its output and then gone idle: it
// has drawn, handed the picture over and waits for events. Ended when it
// gave up (no compositor, no layer shell), refused when it could not read
// the picture.
Start WaitUntilDrawing(pid_t pid, const QString& log)
{
    QElapsedTimer elapsed;
    elapsed.start();
    bool hasOutput = false;
    quint64 lastCpu = 0;
    int idle = 0;
    while (elapsed.elapsed() < kStartTimeoutMs) {
        const ProcessStat stat = ReadProcessStat(pid);
        if (!stat.Running())
            return Start::Ended;
        const QByteArray said = ReadLog(log);
        if (said.contains(kNotLoaded))
            return Start::Refused;
        hasOutput = hasOutput || said.contains(kOutputFound);
        idle = hasOutput && stat.state == 'S' && stat.cpuTicks == lastCpu ? idle + 1 : 0;
        if (idle >= kIdleSamples)
            return ReadLog(log).contains(kNotLoaded) ? Start::Refused : Start::Drawing;
        lastCpu = stat.cpuTicks;
        QThread::msleep(kPollMs);
    }
    return Start::TimedOut;
}

QString LogText(const QString& log)
{
    const QString text = QString::fromLocal8Bit(ReadLog(log).trimmed());
    return text.isEmpty() ? QStringLiteral("no reason given") : PictureName(text.right(300));
}

// How starting one swaybg went, and why when it did not.
struct Launch {
    Start start = Start::Ended;
    QString why;
};

// Starts swaybg with the arguments, written down in dir, and waits until it
// draws. One that does not is ended again: nothing changes.
Launch StartSwaybg(const QDir& dir, const QString& program, const QStringList& arguments)
{
    QTemporaryFile logFile(dir.filePath(QStringLiteral("swaybg-XXXXXX.log")));
    logFile.setAutoRemove(false);
    if (!logFile.open())
        return {Start::Ended, QStringLiteral("cannot write in %1").arg(PictureName(dir.path()))};
    const QString log = logFile.fileName();
    logFile.close();

    Launch launch;
    const pid_t pid = StartDetached(program, arguments, log, launch.why);
    if (pid < 0) {
        QFile::remove(log);
        return {Start::Ended, PictureName(launch.why)};
    }
    // Written down at once, so that even if we end early it is known as ours.
    const bool recorded = Record(dir, pid, program);
    launch.start = recorded ? WaitUntilDrawing(pid, log) : Start::Ended;
    launch.why = recorded ? LogText(log) : QStringLiteral("cannot write in %1").arg(PictureName(dir.path()));
    QFile::remove(log);
    if (launch.start != Start::Drawing)
        End({pid, ReadProcessStat(pid).startTime, program, dir.filePath(RecordName(pid))});
    return launch;
}

} // namespace

QString SwaybgBackend::StateFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QString() : runtime + QStringLiteral("/quilvane");
}

bool SwaybgBackend::SetWallpaper(const QString& absolutePath, WallpaperStyle style)
{
    const QString program = QStandardPaths::findExecutable(kProgram);
    if (program.isEmpty()) {
        WarnUnchanged(QStringLiteral("swaybg draws the wallpaper here but is not installed (install the package "
                                     "\"swaybg\")"));
        return false;
    }
    const QString folder = StateFolder();
    const QDir dir(folder);
    if (folder.isEmpty() || (!dir.exists() && !QDir().mkpath(folder))) {
        WarnUnchanged(QStringLiteral("swaybg: no runtime folder to keep track of it in"));
        return false;
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const std::vector<Instance> previous = Recorded(dir);

    const Launch launch = StartSwaybg(dir, program,
                                      {QStringLiteral("-o"), QStringLiteral("*"), QStringLiteral("-i"), absolutePath,
                                       QStringLiteral("-m"), WallpaperStyleWord(style)});
    switch (launch.start) {
    case Start::Drawing:
        for (const Instance& instance : previous)
            End(instance);
        return true;
    case Start::Ended:
        WarnUnchanged(QStringLiteral("swaybg ended: %1").arg(launch.why));
        break;
    case Start::Refused:
        WarnUnchanged(QStringLiteral("swaybg cannot show %1: %2").arg(PictureName(absolutePath), launch.why));
        break;
    case Start::TimedOut:
        WarnUnchanged(QStringLiteral("swaybg found no output to draw on within %1 s").arg(kStartTimeoutMs / 1000));
        break;
    }
    return false;
}
