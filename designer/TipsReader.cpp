// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "designer/TipsReader.h"

#include "platform/DataFiles.h"

#include <QCoreApplication>
#include <QFileDevice>
#include <QIODevice>

#ifdef __linux__
#include <fcntl.h>
#include <sys/stat.h>
#include <utility>
#endif

namespace {

QString& OverridePath()
{
    static QString path;
    return path;
}

// One line of at most kMaxTipLength characters, with its line end if it fits;
// false when nothing could be read (end of file or a read error).
bool ReadLine(QIODevice& device, QByteArray& line)
{
    line.clear();
    char c = 0;
    while (line.size() < kMaxTipLength && device.getChar(&c)) {
        if (c == '\r') {
            // CR LF is one line end; a CR on its own is an ordinary character.
            char next = 0;
            if (device.peek(&next, 1) == 1 && next == '\n') {
                device.getChar(&next);
                c = '\n';
            }
        }
        line.append(c);
        if (c == '\n')
            break;
    }
    return !line.isEmpty();
}

bool IsSkippedLine(const QByteArray& line)
{
    const char first = line.at(0);
    return first == ' ' || first == '\t' || first == '\n' || first == ';';
}

} // namespace

TipReadResult ReadNextTip(QIODevice& device, QByteArray& tip)
{
    tip.clear();
    QByteArray line;
    bool rewound = false;
    qint64 scanned = 0;
    for (;;) {
        if (scanned > kMaxTipScanBytes)
            return TipReadResult::NoTip;
        if (!ReadLine(device, line)) {
            // The end: start again at the top, but only once per tip, so a
            // file without a single tip line (or one that cannot be read)
            // ends the search instead of going round for ever.
            if (rewound)
                return TipReadResult::NoTip;
            rewound = true;
            if (!device.seek(0))
                return TipReadResult::RewindFailed;
            continue;
        }
        scanned += line.size();
        if (IsSkippedLine(line))
            continue;
        // A NUL byte ends the tip, as it ends a C string.
        if (const qsizetype nul = line.indexOf('\0'); nul >= 0)
            line.truncate(nul);
        tip = line;
        return TipReadResult::Tip;
    }
}

QString TranslateTip(const QString& tip)
{
    qsizetype end = tip.size();
    while (end > 0 && (tip[end - 1] == u'\n' || tip[end - 1] == u'\r'))
        --end;
    const QByteArray source = tip.first(end).toUtf8();
    if (source.isEmpty())
        return tip;
    const QString translated = QCoreApplication::translate(kTipsContext, source.constData());
    // translate() hands back the source itself when it finds nothing; the
    // file's own text stays then, exactly as read.
    if (translated == QString::fromUtf8(source))
        return tip;
    return translated + tip.sliced(end);
}

QString TipsFilePath()
{
    if (!OverridePath().isEmpty())
        return OverridePath();
    const QString found = FindDataFile(QStringLiteral("Tips.tip"));
    return found.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/Tips.tip") : found;
}

QString SetTipsFilePath(const QString& path)
{
    return std::exchange(OverridePath(), path);
}

QString CtimeText(const QDateTime& local)
{
    // ctime's names are English whatever the locale, so they are spelled out
    // here rather than taken from QLocale or strftime.
    static const char* const kDays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QDate d = local.date();
    const QTime t = local.time();
    if (!d.isValid() || !t.isValid())
        return {};
    const QString text = QString::asprintf("%s %s%3d %.2d:%.2d:%.2d %d", kDays[d.dayOfWeek() - 1],
                                           kMonths[d.month() - 1], d.day(), t.hour(), t.minute(), t.second(), d.year());
    return text.trimmed();
}

QString TipsFileTimeStamp(const QFileDevice& file, bool* isBirthTime)
{
    bool birth = false;
    qint64 seconds = 0;
    bool known = false;
#ifdef __linux__
    // Only statx reports a birth time, and only file systems that keep one
    // (ext4, btrfs, xfs, tmpfs on newer kernels) fill it in.
    struct statx stx {};
    if (file.handle() >= 0 && statx(file.handle(), "", AT_EMPTY_PATH, STATX_BTIME | STATX_MTIME, &stx) == 0) {
        birth = (stx.stx_mask & STATX_BTIME) != 0;
        seconds = birth ? stx.stx_btime.tv_sec : stx.stx_mtime.tv_sec;
        known = true;
    }
#endif
    if (!known) {
        QDateTime when = file.fileTime(QFileDevice::FileBirthTime);
        birth = when.isValid();
        if (!birth)
            when = file.fileTime(QFileDevice::FileModificationTime);
        if (!when.isValid())
            return {};
        seconds = when.toSecsSinceEpoch();
    }
    if (isBirthTime)
        *isBirthTime = birth;
    return CtimeText(QDateTime::fromSecsSinceEpoch(seconds, Qt::LocalTime));
}
