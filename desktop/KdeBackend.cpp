// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/KdeBackend.h"

#include "desktop/DesktopMessages.h"
#include "platform/Warning.h"

#include <QAtomicInt>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

// The bus daemon answers at once; Plasma runs the script on its own thread
// and, on a busy session, loading the picture wallpaper takes it several
// seconds before it answers. A shorter wait reported a failure for a change
// that then showed.
constexpr int kBusTimeoutMs = 2000;
constexpr int kPlasmaTimeoutMs = 15000;
const QString kService = QStringLiteral("org.kde.plasmashell");

QString SessionBusAddress()
{
    const QString fromEnv = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (!fromEnv.isEmpty())
        return fromEnv;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus")))
        return QStringLiteral("unix:path=") + runtime + QStringLiteral("/bus");
    return {};
}

// A connection of our own for one call, closed again afterwards: Qt's shared
// session-bus connection is fixed at its first use, and a desktop change
// should not keep a bus connection open all the time.
class BusConnection final {
public:
    explicit BusConnection(const QString& address)
        : m_name(QStringLiteral("quilvane-kde-%1").arg(s_counter.fetchAndAddRelaxed(1))),
          m_connection(QDBusConnection::connectToBus(address, m_name))
    {
    }
    ~BusConnection() { QDBusConnection::disconnectFromBus(m_name); }
    BusConnection(const BusConnection&) = delete;
    BusConnection& operator=(const BusConnection&) = delete;

    QDBusConnection& Get() { return m_connection; }

private:
    static inline QAtomicInt s_counter;
    QString m_name;
    QDBusConnection m_connection;
};

} // namespace

int KdeBackend::FillMode(WallpaperStyle style)
{
    switch (style) {
    case WallpaperStyle::Tile:
        return 3;
    case WallpaperStyle::Stretch:
        return 0;
    case WallpaperStyle::Centre:
        break;
    }
    return 6;
}

QString KdeBackend::JsStringLiteral(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'\'';
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'\'' || u == u'"') {
            out += u'\\';
            out += c;
        } else if (u < 0x20 || u >= 0x7F) {
            out += QStringLiteral("\\u%1").arg(unsigned(u), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    out += u'\'';
    return out;
}

QString KdeBackend::Script(const QString& absolutePath, WallpaperStyle style, const QList<int>& skip)
{
    // Plasma keeps the picture as a URL; an encoded one survives '#', '?' and
    // '%' in the file name, which a bare path would not. Plasma reloads the
    // picture only when its name changes, so the name is cleared first: the
    // same path set again (a slide show's file rewritten) shows the new
    // pixels.
    const QString url = QString::fromLatin1(QUrl::fromLocalFile(absolutePath).toEncoded());
    QStringList skipped;
    for (const int id : skip)
        skipped << QString::number(id);
    return QStringLiteral("var image = %1;\n"
                          "var fillMode = %2;\n"
                          "var skip = [%3];\n"
                          "var all = desktops();\n"
                          "var ids = [];\n"
                          "for (var i = 0; i < all.length; i++) {\n"
                          "    var d = all[i];\n"
                          "    ids.push(d.id);\n"
                          "    if (skip.indexOf(d.id) >= 0)\n"
                          "        continue;\n"
                          "    d.wallpaperPlugin = 'org.kde.image';\n"
                          "    d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];\n"
                          "    d.writeConfig('Image', '');\n"
                          "    d.writeConfig('FillMode', fillMode);\n"
                          "    d.writeConfig('Image', image);\n"
                          "}\n"
                          "print('quilvane-desktops ' + ids.join(' ') + '\\n');\n")
        // One pass: chained arg() calls would read the "%0A" of an encoded
        // newline in the URL as a place for the fill mode.
        .arg(JsStringLiteral(url), QString::number(FillMode(style)), skipped.join(QStringLiteral(", ")));
}

std::optional<QList<int>> KdeBackend::DesktopIds(const QString& output)
{
    for (const QStringView line : QStringView(output).split(u'\n')) {
        const QStringView trimmed = line.trimmed();
        if (!trimmed.startsWith(u"quilvane-desktops"))
            continue;
        QList<int> ids;
        for (const QStringView word : trimmed.split(u' ', Qt::SkipEmptyParts).mid(1)) {
            bool ok = false;
            const int id = word.toInt(&ok);
            if (!ok)
                return std::nullopt;
            ids << id;
        }
        return ids;
    }
    return std::nullopt;
}

std::optional<QString> KdeBackend::RunScript(const QString& script)
{
    const QString address = m_busAddress.isEmpty() ? SessionBusAddress() : m_busAddress;
    if (address.isEmpty()) {
        WarnUnchanged(QStringLiteral("KDE Plasma: no session bus"));
        return std::nullopt;
    }
    BusConnection bus(address);
    if (!bus.Get().isConnected()) {
        WarnUnchanged(
            QStringLiteral("KDE Plasma: cannot connect to the session bus (%1)").arg(bus.Get().lastError().message()));
        return std::nullopt;
    }

    // Asked first, with our own short time-out, so a missing plasmashell is
    // reported plainly instead of as a failed call.
    QDBusMessage hasOwner =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                       QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    hasOwner << kService;
    const QDBusMessage owned = bus.Get().call(hasOwner, QDBus::Block, kBusTimeoutMs);
    if (owned.type() != QDBusMessage::ReplyMessage || owned.arguments().value(0).toBool() != true) {
        WarnUnchanged(QStringLiteral("KDE Plasma: plasmashell is not running"));
        return std::nullopt;
    }

    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, QStringLiteral("/PlasmaShell"), QStringLiteral("org.kde.PlasmaShell"),
                                       QStringLiteral("evaluateScript"));
    call << script;
    const QDBusMessage reply = bus.Get().call(call, QDBus::Block, kPlasmaTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        WarnUnchanged(QStringLiteral("KDE Plasma refused the wallpaper: %1").arg(Printable(reply.errorMessage())));
        return std::nullopt;
    }
    return reply.arguments().value(0).toString();
}

bool KdeBackend::SetWallpaper(const QString& absolutePath, WallpaperStyle style)
{
    const std::optional<QString> output = RunScript(Script(absolutePath, style));
    if (!output)
        return false;
    // A Plasma that printed nothing still took the picture; its new desktops
    // then cannot be told from the old ones.
    m_desktopsShown = DesktopIds(*output).value_or(QList<int>());
    return true;
}

bool KdeBackend::FollowMonitors(const QString& absolutePath, WallpaperStyle style)
{
    if (m_desktopsShown.isEmpty())
        return true;
    const std::optional<QString> output = RunScript(Script(absolutePath, style, m_desktopsShown));
    if (!output)
        return false;
    for (const int id : DesktopIds(*output).value_or(QList<int>())) {
        if (!m_desktopsShown.contains(id))
            m_desktopsShown << id;
    }
    return true;
}
