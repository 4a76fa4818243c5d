#include "core/desktop/XfceBackend.h"

#include "core/desktop/ChildProcess.h"
#include "platform/Warning.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

const QString kProgram = QStringLiteral("xfconf-query");
const QString kChannel = QStringLiteral("xfce4-desktop");
const QString kLastImage = QStringLiteral("last-image");

bool SetProperty(const QString& property, const QString& type, const QString& value)
{
    // -n creates the property when it is missing and just sets it otherwise.
    const ChildResult result =
        RunProgram(kProgram, {QStringLiteral("-c"), kChannel, QStringLiteral("-p"), property, QStringLiteral("-n"),
                              QStringLiteral("-t"), type, QStringLiteral("-s"), value});
    if (!result.Succeeded())
        Warning(QStringLiteral("Xfce: cannot set %1: %2").arg(property, result.Describe(kProgram)));
    return result.Succeeded();
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
    QStringList names;
    for (const QScreen* screen : QGuiApplication::screens())
        names << screen->name();
    return names;
}

bool XfceBackend::SetWallpaper(const QString& absolutePath, WallpaperStyle style)
{
    if (!HasProgram(kProgram)) {
        Warning(QStringLiteral("Xfce: xfconf-query is not installed; the wallpaper stays as it is"));
        return false;
    }
    const ChildResult listed = RunProgram(kProgram, {QStringLiteral("-c"), kChannel, QStringLiteral("-l")});
    if (!listed.Succeeded() && !listed.finished) {
        Warning(QStringLiteral("Xfce: cannot read the desktop settings: %1").arg(listed.Describe(kProgram)));
        return false;
    }
    // An empty or missing channel makes xfconf-query fail; that is the
    // "nothing there yet" case handled below.
    QStringList properties;
    if (listed.Succeeded()) {
        for (const QByteArray& line : listed.output.split('\n')) {
            const QString property = QString::fromUtf8(line.trimmed());
            if (property.startsWith(QStringLiteral("/backdrop/")) && property.endsWith(u'/' + kLastImage))
                properties << property;
        }
    }
    if (properties.isEmpty()) {
        for (const QString& monitor : Monitors()) {
            if (!monitor.isEmpty())
                properties << QStringLiteral("/backdrop/screen0/monitor%1/workspace0/last-image").arg(monitor);
        }
    }
    if (properties.isEmpty()) {
        Warning(QStringLiteral("Xfce: no monitor to put the wallpaper on"));
        return false;
    }

    const QString styleValue = QString::number(ImageStyle(style));
    for (const QString& property : properties) {
        const QString styleProperty = property.chopped(kLastImage.size()) + QStringLiteral("image-style");
        // The style first: xfdesktop redraws on the picture change and should
        // find the new style already there.
        if (!SetProperty(styleProperty, QStringLiteral("int"), styleValue) ||
            !SetProperty(property, QStringLiteral("string"), absolutePath))
            return false;
    }
    return true;
}
