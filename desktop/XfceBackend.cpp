// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/XfceBackend.h"

#include "desktop/ChildProcess.h"
#include "desktop/DesktopMessages.h"
#include "desktop/ScreenNames.h"
#include "desktop/UndoList.h"
#include "platform/Warning.h"

#include <algorithm>

namespace {

const QString kProgram = QStringLiteral("xfconf-query");
const QString kChannel = QStringLiteral("xfce4-desktop");
const QString kLastImage = QStringLiteral("last-image");

// One property's value before the change; absent when the channel had none.
struct OldValue {
    bool ok = false;     // the question got an answer
    bool exists = false; // the property was there
    QString value;
};

OldValue ReadProperty(const QString& property)
{
    const ChildResult result = RunProgram(kProgram, {QStringLiteral("-c"), kChannel, QStringLiteral("-p"), property});
    OldValue old;
    // A missing property is a normal answer (exit code 1); no answer at all
    // is not.
    old.ok = result.started && result.finished;
    old.exists = result.Succeeded();
    if (old.exists) {
        old.value = QString::fromUtf8(result.output);
        if (old.value.endsWith(u'\n'))
            old.value.chop(1);
    }
    if (!old.ok)
        Warning(QStringLiteral("Xfce: cannot read %1: %2").arg(Printable(property), result.Describe(kProgram)));
    return old;
}

bool SetProperty(const QString& property, const QString& type, const QString& value)
{
    // -n creates the property when it is missing and just sets it otherwise.
    const ChildResult result =
        RunProgram(kProgram, {QStringLiteral("-c"), kChannel, QStringLiteral("-p"), property, QStringLiteral("-n"),
                              QStringLiteral("-t"), type, QStringLiteral("-s"), value});
    if (!result.Succeeded())
        Warning(QStringLiteral("Xfce: cannot set %1: %2").arg(Printable(property), result.Describe(kProgram)));
    return result.Succeeded();
}

void ResetProperty(const QString& property)
{
    RunProgram(kProgram, {QStringLiteral("-c"), kChannel, QStringLiteral("-p"), property, QStringLiteral("-r")});
}

// Sets the property after noting how to put it back in undo.
bool ChangeProperty(const QString& property, const QString& type, const QString& value, UndoList& undo)
{
    const OldValue old = ReadProperty(property);
    if (!old.ok)
        return false;
    // Registered before the write: a write that failed half-way is put back
    // too.
    undo.Add([=] {
        if (old.exists)
            SetProperty(property, type, old.value);
        else
            ResetProperty(property);
    });
    return SetProperty(property, type, value);
}

} // namespace

int XfceBackend::ImageStyle(WallpaperStyle style)
{
    switch (style) {
    case WallpaperStyle::Tile:
        return 2;
    case WallpaperStyle::Stretch:
        return 3;
    case WallpaperStyle::Centre:
        break;
    }
    return 1;
}

QStringList XfceBackend::Monitors() const
{
    if (m_monitors)
        return m_monitors();
    // Changes run on a worker thread too, where Qt's own list may not be read.
    return ScreenNames();
}

QStringList XfceBackend::Backdrops(const QByteArray& listing, const QStringList& monitors, bool onlyThese)
{
    const auto prefix = [](const QString& monitor) {
        return QStringLiteral("/backdrop/screen0/monitor%1/").arg(monitor);
    };
    QStringList properties;
    for (const QByteArray& line : listing.split('\n')) {
        const QString property = QString::fromUtf8(line.trimmed());
        if (!property.startsWith(QStringLiteral("/backdrop/")) || !property.endsWith(u'/' + kLastImage))
            continue;
        const bool ofMonitors = std::any_of(monitors.begin(), monitors.end(), [&](const QString& monitor) {
            return !monitor.isEmpty() && property.startsWith(prefix(monitor));
        });
        if (ofMonitors || !onlyThese)
            properties << property;
    }
    // The monitors always get the picture: the channel may list only
    // monitors that are gone (an old dock, a renamed connector).
    for (const QString& monitor : monitors) {
        const QString property = prefix(monitor) + QStringLiteral("workspace0/") + kLastImage;
        if (!monitor.isEmpty() && !properties.contains(property))
            properties << property;
    }
    return properties;
}

bool XfceBackend::SetBackdrops(const QStringList& monitors, bool onlyThese, const QString& absolutePath,
                               WallpaperStyle style)
{
    if (!HasProgram(kProgram)) {
        WarnUnchanged(QStringLiteral("Xfce: xfconf-query is not installed"));
        return false;
    }
    const ChildResult listed = RunProgram(kProgram, {QStringLiteral("-c"), kChannel, QStringLiteral("-l")});
    if (!listed.Succeeded() && !listed.finished) {
        WarnUnchanged(QStringLiteral("Xfce: cannot read the desktop settings: %1").arg(listed.Describe(kProgram)));
        return false;
    }
    // An empty or missing channel makes xfconf-query fail: nothing listed.
    const QStringList properties = Backdrops(listed.Succeeded() ? listed.output : QByteArray(), monitors, onlyThese);
    if (properties.isEmpty()) {
        WarnUnchanged(QStringLiteral("Xfce: no monitor to put the wallpaper on"));
        return false;
    }

    const QString styleValue = QString::number(ImageStyle(style));
    UndoList undo;
    for (const QString& property : properties) {
        const QString styleProperty = property.chopped(kLastImage.size()) + QStringLiteral("image-style");
        // The style first: xfdesktop redraws on the picture change and should
        // find the new style already there.
        if (!ChangeProperty(styleProperty, QStringLiteral("int"), styleValue, undo) ||
            !ChangeProperty(property, QStringLiteral("string"), absolutePath, undo)) {
            WarnUnchanged(QStringLiteral("Xfce: the earlier settings were put back"));
            return false;
        }
    }
    undo.Commit();
    return true;
}

bool XfceBackend::SetWallpaper(const QString& absolutePath, WallpaperStyle style)
{
    const QStringList monitors = Monitors();
    if (!SetBackdrops(monitors, false, absolutePath, style))
        return false;
    m_monitorsShown = monitors;
    return true;
}

bool XfceBackend::FollowMonitors(const QString& absolutePath, WallpaperStyle style)
{
    if (!m_monitorsShown)
        return true;
    QStringList fresh;
    for (const QString& monitor : Monitors()) {
        if (!monitor.isEmpty() && !m_monitorsShown->contains(monitor))
            fresh << monitor;
    }
    if (fresh.isEmpty())
        return true;
    if (!SetBackdrops(fresh, true, absolutePath, style))
        return false;
    *m_monitorsShown << fresh;
    return true;
}
