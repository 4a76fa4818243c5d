// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Singleton.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

// The last picture Quilvane put on the desktop, as `quilvane --restore` puts
// it back. Paths are absolute; bytes of a name that are not UTF-8 are kept as
// EntryText (core/SlideListFile.h) keeps them.
struct WallpaperRecord {
    QString path;
    int style = 0;   // 0 centre, 1 tile, 2 stretch
    QString desktop; // the back end that showed it
    bool operator==(const WallpaperRecord&) const = default;
};

// The slide show as `quilvane --restore` resumes it. The entries are kept in
// a file of their own beside the settings (slideshow.json).
struct SlideShowRecord {
    QStringList entries;
    int periodMs = 0;
    int style = 0;
    bool random = false;
    // The entry shown last, which the show goes on from; -1 before the first.
    int lastIndex = -1;
    QString lastShown;
    // Still playing: the show was not stopped, so it ran when Quilvane ended.
    bool playing = false;
    bool operator==(const SlideShowRecord&) const = default;
};

// The persistent settings of the core services, read once at start-up and
// saved once at shutdown; what `quilvane --restore` needs (the last wallpaper,
// the slide show) is written as soon as it changes, since a session may end
// without a shutdown. They live in a small JSON file in the user's config
// folder, replaced whole on every save so a failed write leaves the previous
// file as it was. Every write merges into the file as it is then, under a
// lock, so keys written meanwhile by another Quilvane (a `quilvane --set`
// beside the window) and keys this version does not know are kept. A file
// that was refused (not a regular file, too large, damaged) is moved aside to
// "settings.json.refused" before the next save, never overwritten.
class RegConfig : public CoreSingleton<RegConfig> {
public:
    static constexpr const char* kServiceName = "RegConfig";

    // The folder last selected in the design page's folder tree.
    QString m_strFolder;
    // The folder of the last slide list saved or opened; empty before the
    // first. The list dialogs start there.
    QString m_strListFolder;
    // The folder of the last design saved with "Save As JPG"; empty before
    // the first. Its dialog starts there.
    QString m_strDesignFolder;

    // Loads the settings; a missing, unreadable or damaged file leaves the
    // defaults. Returns whether a file was read.
    bool ReadData();
    // Stores the settings; false (and a warning) when the file could not be
    // written, in which case the previous file is untouched.
    bool SaveData();

    // What --restore puts back; empty records when nothing was remembered.
    const WallpaperRecord& LastWallpaper() const { return m_wallpaper; }
    const SlideShowRecord& SlideShow() const { return m_slideShow; }
    // Remember and write at once, unless nothing changed (or writes are
    // being batched); false (and a warning) when the file was not written.
    bool RecordWallpaper(const WallpaperRecord& record);
    bool RecordSlideShow(const SlideShowRecord& record);

    // While one lives, records are written once, when the outermost goes:
    // a slide-show tick changes the picture and the show's position in one
    // write.
    class BatchedWrites {
    public:
        BatchedWrites();
        ~BatchedWrites();
        BatchedWrites(const BatchedWrites&) = delete;
        BatchedWrites& operator=(const BatchedWrites&) = delete;
    };

    // Where the settings live; tests point this elsewhere.
    QString FilePath() const;
    void SetFilePath(const QString& path) { m_path = path; }

    static QString DefaultFilePath();

private:
    friend class CoreSingleton<RegConfig>;
    RegConfig() = default;
    ~RegConfig() = default;

    bool WriteMerged(const QJsonObject& changes);
    // The slide show's entries live beside the settings, in slideshow.json.
    QString ShowEntriesPath() const;
    QStringList ReadShowEntries() const;
    bool WriteShowEntries(const QStringList& entries);
    bool WritePending();

    QString m_path;
    WallpaperRecord m_wallpaper;
    SlideShowRecord m_slideShow;
    // Records not written yet, while writes are batched.
    QJsonObject m_pending;
    int m_batchDepth = 0;
    // Everything the file held, unknown keys included.
    QJsonObject m_root;
    // The file at FilePath() was there but refused by ReadData.
    bool m_refused = false;
};
