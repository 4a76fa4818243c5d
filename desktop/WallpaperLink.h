// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Symbolic links of ours to pictures, for desktops that must be handed
// another name than the picture's own: one that sway's command parsing leaves
// alone, or one that changes with the picture's content for a desktop that
// ignores a name it already shows. Only the newest link in a folder is kept;
// the desktop has read the earlier pictures by then.

#include <QByteArray>
#include <QString>

class WallpaperLink final {
public:
    // A name "wallpaper-<hash of key>[.suffix]" with the target's suffix
    // when that is plain letters and digits, so the desktop still sees the
    // picture's type.
    static QString NameFor(const QByteArray& key, const QString& target);

    // Makes folder/name pointing at target, after removing the earlier links
    // of ours there; the folder is created readable by its owner only. Empty,
    // with a warning starting with `who`, when no link could be made.
    static QString Make(const QString& folder, const QString& name, const QString& target, const QString& who);

    // What tells one state of the file from the next: its path, inode, size
    // and modification and change times in nanoseconds. Writing new content
    // to the same path changes it.
    static QByteArray ContentKey(const QString& path);
};
