// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// KDE Plasma: the desktop script's string escaping, and the D-Bus call made
// for real against a stand-in plasmashell on a private bus.

#include "desktop/KdeBackend.h"
#include "support/PrivateBus.h"
#include "support/StderrCapture.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QJSEngine>
#include <QMutex>
#include <QThread>
#include <QUrl>
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {

// Reads the single-quoted JavaScript literal at text[pos] the way a
// JavaScript engine would; pos ends after it. Fails the test on anything a
// well-formed literal may not contain.
QString ReadJsLiteral(const QString& text, qsizetype& pos)
{
    EXPECT_EQ(text[pos], u'\'');
    QString value;
    for (++pos; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c == u'\'') {
            ++pos;
            return value;
        }
        EXPECT_TRUE(c.unicode() >= 0x20 && c.unicode() < 0x7F) << "raw character " << int(c.unicode());
        if (c != u'\\') {
            value += c;
            continue;
        }
        const QChar e = text[++pos];
        if (e == u'u') {
            value += QChar(text.mid(pos + 1, 4).toUShort(nullptr, 16));
            pos += 4;
        } else {
            EXPECT_TRUE(e == u'\\' || e == u'\'' || e == u'"') << "escape " << e.toLatin1();
            value += e;
        }
    }
    ADD_FAILURE() << "unterminated literal";
    return value;
}

// A small stand-in of Plasma's desktop scripting objects: desktops() gives
// desktopCount desktops, with ids from 1, whose writeConfig records where it
// wrote (the plugin and the current config group at that moment), the key and
// the value; print adds to what the script answers.
const char kPlasmaObjects[] = R"js(
function Desktop(id) {
    this.id = id;
    this.wallpaperPlugin = 'org.kde.color';
    this.currentConfigGroup = [];
    this.writes = [];
}
Desktop.prototype.writeConfig = function(key, value) {
    if (arguments.length !== 2)
        throw new Error('writeConfig takes a key and a value');
    this.writes.push({group: [this.wallpaperPlugin].concat(this.currentConfigGroup).join('/'), key: key,
                      value: String(value)});
};
var plasmaDesktops = [];
for (var n = 1; n <= desktopCount; n++)
    plasmaDesktops.push(new Desktop(n));
function desktops() { return plasmaDesktops.slice(); }
var printed = '';
function print(text) { printed += text; }
)js";

// What one script did to each desktop: its writes as "group key=value".
using DesktopWrites = std::vector<QStringList>;

// Runs the script the way plasmashell does, on desktopCount desktops; an
// exception is the error it would answer with. What it printed goes to
// output.
DesktopWrites RunInPlasma(const QString& script, int desktopCount, QString& error, QString& output)
{
    QJSEngine engine;
    engine.globalObject().setProperty("desktopCount", desktopCount);
    engine.evaluate(kPlasmaObjects);
    const QJSValue result = engine.evaluate(script);
    if (result.isError()) {
        error = result.toString();
        return {};
    }
    output = engine.globalObject().property("printed").toString();
    DesktopWrites writes;
    const QJSValue desktops = engine.globalObject().property("plasmaDesktops");
    for (int d = 0; d < desktops.property("length").toInt(); ++d) {
        const QJSValue list = desktops.property(d).property("writes");
        QStringList lines;
        for (int i = 0; i < list.property("length").toInt(); ++i) {
            const QJSValue w = list.property(i);
            lines << w.property("group").toString() + " " + w.property("key").toString() + "=" +
                         w.property("value").toString();
        }
        writes.push_back(lines);
    }
    return writes;
}

class FakePlasmaShell final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.PlasmaShell")

public:
    std::vector<DesktopWrites> Runs() const
    {
        QMutexLocker lock(&m_mutex);
        return m_runs;
    }
    QStringList Scripts() const
    {
        QMutexLocker lock(&m_mutex);
        return m_scripts;
    }
    // Every script then fails the way a broken Plasma answers.
    void Refuse(bool refuse) { m_refuse = refuse; }
    // Every script is answered only after this long, as a busy Plasma does.
    void AnswerAfter(int ms) { m_delayMs = ms; }
    // How many desktops (one per screen) Plasma has from now on.
    void HaveDesktops(int count) { m_desktops = count; }

public Q_SLOTS:
    QString evaluateScript(const QString& script)
    {
        QThread::msleep(m_delayMs);
        QString error = m_refuse ? QStringLiteral("Error: plasma is shutting down\x1b[2J") : QString();
        QString output;
        const DesktopWrites writes = m_refuse ? DesktopWrites() : RunInPlasma(script, m_desktops, error, output);
        QMutexLocker lock(&m_mutex);
        m_scripts << script;
        if (!error.isEmpty()) {
            sendErrorReply(QDBusError::Failed, error);
            return {};
        }
        m_runs.push_back(writes);
        return output;
    }

private:
    mutable QMutex m_mutex;
    QStringList m_scripts;
    std::vector<DesktopWrites> m_runs;
    std::atomic<bool> m_refuse = false;
    std::atomic<int> m_delayMs = 0;
    std::atomic<int> m_desktops = 2;
};

// A dbus-daemon of our own, and the stand-in answering on its own thread
// while the test's thread makes the blocking call.
class DesktopKdeBus : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_bus.Address().isEmpty()) << "dbus-daemon is needed";
        m_address = m_bus.Address();
        m_thread.start();
        m_fake.moveToThread(&m_thread);
    }
    void TearDown() override
    {
        QDBusConnection::disconnectFromBus("fake-plasma");
        m_thread.quit();
        m_thread.wait();
    }
    void ServePlasma()
    {
        QDBusConnection service = QDBusConnection::connectToBus(m_address, "fake-plasma");
        ASSERT_TRUE(service.isConnected());
        ASSERT_TRUE(service.registerObject("/PlasmaShell", &m_fake, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service.registerService("org.kde.plasmashell"));
    }

    PrivateBus m_bus;
    QString m_address;
    QThread m_thread;
    FakePlasmaShell m_fake;
};

} // namespace

TEST(DesktopKde, ScriptStringsHoldAnyFileName)
{
    const QString names[] = {
        QString::fromUtf8("/home/me/it's \"quoted\" \\ back.jpg"),
        QString::fromUtf8("/a\nb\r\tc.png"),
        QString::fromUtf8("/x/'); desktops().forEach(function(d){d.remove()}); ('.jpg"),
        QString::fromUtf8("/été/写真 100% $(rm -rf ~).jpg"),
        QString::fromUtf8("/sep\u2028line\u2029para.jpg"),
    };
    for (const QString& name : names) {
        const QString literal = KdeBackend::JsStringLiteral(name);
        qsizetype pos = 0;
        EXPECT_EQ(ReadJsLiteral(literal, pos), name);
        EXPECT_EQ(pos, literal.size()) << "the literal ends where it should";
    }
    EXPECT_EQ(KdeBackend::JsStringLiteral("a'b\\c\"d\ne\u00e9"), QStringLiteral("'a\\'b\\\\c\\\"d\\u000ae\\u00e9'"));
}

TEST_F(DesktopKdeBus, EveryDesktopClearsThenSetsThePicture)
{
    ServePlasma();
    KdeBackend kde(m_address);
    const QString path = QString::fromUtf8("/srv/it's \"x\" #1? 100% été\n.jpg");
    const QString url = QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded());
    const QString group = "org.kde.image/Wallpaper/org.kde.image/General ";
    for (const auto& [style, fill] : {std::pair{WallpaperStyle::Centre, 6}, std::pair{WallpaperStyle::Tile, 3},
                                      std::pair{WallpaperStyle::Stretch, 0}}) {
        ASSERT_TRUE(kde.SetWallpaper(path, style));
        const auto runs = m_fake.Runs();
        ASSERT_FALSE(runs.empty());
        ASSERT_EQ(runs.back().size(), 2u);
        // The same path set twice in a row still changes the name Plasma
        // sees: emptied first, so the file is read again.
        const QStringList expected = {group + "Image=", group + QStringLiteral("FillMode=%1").arg(fill),
                                      group + "Image=" + url};
        for (const QStringList& desktop : runs.back())
            EXPECT_EQ(desktop, expected);
        EXPECT_TRUE(url.startsWith("file:///srv/it's%20%22x%22%20%231%3F%20100%25%20")) << url.toStdString();
    }
    EXPECT_EQ(m_fake.Runs().size(), 3u);
}

TEST_F(DesktopKdeBus, PlasmaErrorsAreFailures)
{
    ServePlasma();
    m_fake.Refuse(true);
    KdeBackend kde(m_address);
    StderrCapture stderrText;
    EXPECT_FALSE(kde.SetWallpaper("/a.png", WallpaperStyle::Centre));
    const QString said = stderrText.Take();
    EXPECT_TRUE(said.contains("KDE Plasma refused the wallpaper: Error: plasma is shutting down\\x1b[2J; the wallpaper "
                              "stays as it is"))
        << qPrintable(said);
    EXPECT_EQ(m_fake.Scripts().size(), 1);
}

TEST_F(DesktopKdeBus, ASlowPlasmaIsWaitedFor)
{
    ServePlasma();
    m_fake.AnswerAfter(3000);
    KdeBackend kde(m_address);
    EXPECT_TRUE(kde.SetWallpaper("/a.png", WallpaperStyle::Stretch)) << "Plasma answered after 3 s";
    EXPECT_EQ(m_fake.Runs().size(), 1u);
}

TEST_F(DesktopKdeBus, NoPlasmaShellMeansNothingChanges)
{
    KdeBackend kde(m_address);
    StderrCapture noShell;
    EXPECT_FALSE(kde.SetWallpaper("/a.png", WallpaperStyle::Centre));
    EXPECT_TRUE(noShell.Take().contains("plasmashell is not running"));

    KdeBackend noBus("unix:path=/nonexistent/quilvane-test-bus");
    StderrCapture noSessionBus;
    EXPECT_FALSE(noBus.SetWallpaper("/a.png", WallpaperStyle::Centre));
    EXPECT_TRUE(noSessionBus.Take().contains("cannot connect to the session bus"));
    EXPECT_TRUE(m_fake.Scripts().isEmpty());
}

TEST_F(DesktopKdeBus, OnlyADesktopPlasmaMadeForANewScreenGetsThePicture)
{
    ServePlasma();
    KdeBackend kde(m_address);
    EXPECT_TRUE(kde.FollowMonitors("/a.png", WallpaperStyle::Tile)) << "nothing set yet, nothing to do";
    EXPECT_TRUE(m_fake.Scripts().isEmpty());
    ASSERT_TRUE(kde.SetWallpaper("/a.png", WallpaperStyle::Tile));

    // A screen comes and Plasma makes desktop 3 for it: only that one is
    // written, so a picture the user chose since on 1 or 2 stays.
    m_fake.HaveDesktops(3);
    ASSERT_TRUE(kde.FollowMonitors("/a.png", WallpaperStyle::Tile));
    const QString group = "org.kde.image/Wallpaper/org.kde.image/General ";
    const QStringList written = {group + "Image=", group + "FillMode=3", group + "Image=file:///a.png"};
    ASSERT_EQ(m_fake.Runs().size(), 2u);
    EXPECT_EQ(m_fake.Runs().back(), DesktopWrites({{}, {}, written}));

    // From then on desktop 3 is known too.
    ASSERT_TRUE(kde.FollowMonitors("/a.png", WallpaperStyle::Tile));
    EXPECT_EQ(m_fake.Runs().back(), DesktopWrites({{}, {}, {}}));
}

TEST(DesktopKde, DesktopIdsAreReadFromTheScriptsOutput)
{
    EXPECT_EQ(KdeBackend::DesktopIds("quilvane-desktops 1 7 12\n"), QList<int>({1, 7, 12}));
    EXPECT_EQ(KdeBackend::DesktopIds("js: warning\n  quilvane-desktops 4  \nmore"), QList<int>({4}));
    EXPECT_EQ(KdeBackend::DesktopIds("quilvane-desktops\n"), QList<int>());
    EXPECT_EQ(KdeBackend::DesktopIds(""), std::nullopt);
    EXPECT_EQ(KdeBackend::DesktopIds("quilvane-desktops 1 x\n"), std::nullopt);
}

#include "DesktopKdeTest.moc"
