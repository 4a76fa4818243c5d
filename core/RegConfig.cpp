// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/RegConfig.h"

#include "desktop/WallpaperStyle.h"
#include "platform/AtomicFile.h"
#include "platform/SafeFile.h"
#include "platform/Warning.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QStandardPaths>

namespace {
constexpr int kFormatVersion = 1;
// Far larger than any settings file we write; a bigger one is not ours.
constexpr qint64 kMaxFileSize = 1 << 20;
// The slide show's entries: the most a list holds, each at its longest.
constexpr qint64 kMaxEntriesFileSize = qint64{200} << 20;

const QString kVersionKey = QStringLiteral("version");
const QString kFolderKey = QStringLiteral("folder");
const QString kListFolderKey = QStringLiteral("listFolder");
const QString kDesignFolderKey = QStringLiteral("designFolder");
const QString kWallpaperKey = QStringLiteral("wallpaper");
const QString kSlideShowKey = QStringLiteral("slideShow");

QString Shown(const QString& path)
{
    return Printable(QDir::toNativeSeparators(path));
}

QString StyleWord(int style)
{
    return WallpaperStyleWord(WallpaperStyleFromInt(style));
}

int StyleFromWord(const QString& word)
{
    for (const WallpaperStyle style : {WallpaperStyle::Tile, WallpaperStyle::Stretch}) {
        if (word == WallpaperStyleWord(style))
            return static_cast<int>(style);
    }
    return 0;
}

QJsonObject ToJson(const WallpaperRecord& r)
{
    return {{"path", r.path}, {"style", StyleWord(r.style)}, {"desktop", r.desktop}};
}

QJsonObject ToJson(const SlideShowRecord& r)
{
    return {{"periodMs", r.periodMs},   {"style", StyleWord(r.style)}, {"order", r.random ? "random" : "in order"},
            {"lastIndex", r.lastIndex}, {"lastShown", r.lastShown},    {"playing", r.playing}};
}

WallpaperRecord WallpaperFromJson(const QJsonObject& o)
{
    return {o.value("path").toString(), StyleFromWord(o.value("style").toString()), o.value("desktop").toString()};
}

SlideShowRecord SlideShowFromJson(const QJsonObject& o)
{
    SlideShowRecord r;
    r.periodMs = o.value("periodMs").toInt(0);
    r.style = StyleFromWord(o.value("style").toString());
    r.random = o.value("order").toString() == QLatin1String("random");
    r.lastIndex = o.value("lastIndex").toInt(-1);
    r.lastShown = o.value("lastShown").toString();
    r.playing = o.value("playing").toBool(false);
    return r;
}
} // namespace

QString RegConfig::DefaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/quilvane/settings.json");
}

QString RegConfig::FilePath() const
{
    return m_path.isEmpty() ? DefaultFilePath() : m_path;
}

bool RegConfig::ReadData()
{
    calltrace::Record("RegConfig::ReadData");
    m_strFolder.clear();
    m_strListFolder.clear();
    m_strDesignFolder.clear();
    m_wallpaper = {};
    m_slideShow = {};
    m_root = QJsonObject();
    m_refused = false;

    const QString path = FilePath();
    QByteArray bytes;
    const FileRefusal refusal = ReadRegularFile(path, kMaxFileSize, &bytes);
    if (refusal == FileRefusal::Missing) {
        // A dangling link is moved aside too: the save would follow it.
        m_refused = QFileInfo(path).isSymLink();
        return false;
    }
    if (refusal != FileRefusal::None) {
        m_refused = true;
        Warning(QStringLiteral("settings file %1 %2; using defaults").arg(Shown(path), RefusalText(refusal)));
        return false;
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        m_refused = true;
        Warning(
            QStringLiteral("settings file %1 is damaged (%2); using defaults").arg(Shown(path), error.errorString()));
        return false;
    }
    m_root = doc.object();
    const auto readString = [this](const QString& key, QString& into) {
        const QJsonValue value = m_root.value(key);
        if (value.isString())
            into = value.toString();
    };
    readString(kFolderKey, m_strFolder);
    readString(kListFolderKey, m_strListFolder);
    readString(kDesignFolderKey, m_strDesignFolder);
    m_wallpaper = WallpaperFromJson(m_root.value(kWallpaperKey).toObject());
    m_slideShow = SlideShowFromJson(m_root.value(kSlideShowKey).toObject());
    if (m_root.contains(kSlideShowKey))
        m_slideShow.entries = ReadShowEntries();
    return true;
}

bool RegConfig::SaveData()
{
    calltrace::Record("RegConfig::SaveData");
    return WriteMerged(
        {{kFolderKey, m_strFolder}, {kListFolderKey, m_strListFolder}, {kDesignFolderKey, m_strDesignFolder}});
}

bool RegConfig::RecordWallpaper(const WallpaperRecord& record)
{
    if (record == m_wallpaper)
        return true;
    m_wallpaper = record;
    m_pending.insert(kWallpaperKey, ToJson(record));
    return m_batchDepth > 0 || WritePending();
}

bool RegConfig::RecordSlideShow(const SlideShowRecord& record)
{
    if (record == m_slideShow)
        return true;
    // The entries (a list may hold a hundred thousand) have a file of their
    // own, written before the position that refers to them and only when
    // they change: a tick rewrites a few lines, not the whole list.
    if (record.entries != m_slideShow.entries && !WriteShowEntries(record.entries))
        return false;
    m_slideShow = record;
    m_pending.insert(kSlideShowKey, ToJson(record));
    return m_batchDepth > 0 || WritePending();
}

bool RegConfig::WritePending()
{
    if (m_pending.isEmpty())
        return true;
    const QJsonObject changes = m_pending;
    m_pending = QJsonObject();
    return WriteMerged(changes);
}

QString RegConfig::ShowEntriesPath() const
{
    return QFileInfo(FilePath()).absolutePath() + QStringLiteral("/slideshow.json");
}

QStringList RegConfig::ReadShowEntries() const
{
    QByteArray bytes;
    if (ReadRegularFile(ShowEntriesPath(), kMaxEntriesFileSize, &bytes) != FileRefusal::None)
        return {};
    QStringList entries;
    for (const QJsonValue& entry : QJsonDocument::fromJson(bytes).object().value(QStringLiteral("entries")).toArray()) {
        if (entry.isString())
            entries << entry.toString();
    }
    return entries;
}

bool RegConfig::WriteShowEntries(const QStringList& entries)
{
    const QString path = ShowEntriesPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QJsonObject root{{QStringLiteral("entries"), QJsonArray::fromStringList(entries)}};
    QString error;
    if (!WriteFileAtomically(path, QJsonDocument(root).toJson(QJsonDocument::Compact), &error)) {
        Warning(QStringLiteral("could not save the slide show to %1: %2").arg(Shown(path), error));
        return false;
    }
    return true;
}

RegConfig::BatchedWrites::BatchedWrites()
{
    if (RegConfig* config = GetInstance())
        ++config->m_batchDepth;
}

RegConfig::BatchedWrites::~BatchedWrites()
{
    RegConfig* config = GetInstance();
    if (config && --config->m_batchDepth == 0)
        config->WritePending();
}

bool RegConfig::WriteMerged(const QJsonObject& changes)
{
    const QString path = FilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Another Quilvane may write at the same moment (a `quilvane --set`
    // while the window runs): one at a time, each merging into what the
    // other left. A lock that cannot be had in time (a read-only folder, a
    // stuck lock) is no reason to lose the write.
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);
    lock.tryLock(5000);

    QJsonObject root = m_root;
    bool refused = m_refused;
    QJsonObject onDisk;
    bool haveDisk = false;
    if (!refused) {
        QByteArray bytes;
        const FileRefusal refusal = ReadRegularFile(path, kMaxFileSize, &bytes);
        if (refusal == FileRefusal::None) {
            const QJsonDocument doc = QJsonDocument::fromJson(bytes);
            haveDisk = doc.isObject();
            onDisk = doc.object();
            refused = !haveDisk;
        } else {
            // Made unusable since it was read: kept aside as at start-up.
            refused = refusal != FileRefusal::Missing || QFileInfo(path).isSymLink();
        }
    }
    if (haveDisk)
        root = onDisk;
    for (auto it = changes.begin(); it != changes.end(); ++it) {
        root.insert(it.key(), it.value());
        m_root.insert(it.key(), it.value());
    }
    root.insert(kVersionKey, kFormatVersion);
    if (haveDisk && root == onDisk)
        return true;
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);

    if (refused) {
        // The file read at start-up (or found now) was refused, yet it may be
        // the user's own (edited by hand, written by a newer version): it is
        // kept beside the new one rather than overwritten.
        QString error;
        const QString kept = KeepRefusedFile(path, &error);
        if (kept.isEmpty() && !error.isEmpty()) {
            Warning(QStringLiteral("settings not saved: the refused file %1 %2").arg(Shown(path), error));
            return false;
        }
        if (!kept.isEmpty())
            Warning(QStringLiteral("the refused settings file was kept as %1").arg(Shown(kept)));
        m_refused = false;
    }
    QString error;
    if (!WriteFileAtomically(path, bytes, &error)) {
        Warning(QStringLiteral("could not save settings to %1: %2").arg(Shown(path), error));
        return false;
    }
    return true;
}
