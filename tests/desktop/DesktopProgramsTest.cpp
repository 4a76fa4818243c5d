// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The back ends that drive a desktop's own tools, each run against a
// recording stand-in of the same name put first on PATH: the stand-in writes
// the argument vector it received, NUL-separated, so the test sees exactly
// what the real tool would. The file names are the nasty ones: spaces, both
// kinds of quote, a newline, $(...), '%' and letters outside ASCII.

#include "desktop/PcmanfmBackend.h"
#include "desktop/ScreenNames.h"
#include "desktop/SwayBackend.h"
#include "desktop/XfceBackend.h"
#include "support/EnvironmentGuard.h"
#include "support/StandInPrograms.h"
#include "support/StderrCapture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

// Records each call as one file: the program's name, then its arguments.
// With QUILVANE_FAKE_OUTPUT set it prints that file first; with
// QUILVANE_FAKE_EXIT it exits with that code.
const char kRecorder[] = R"sh(#!/bin/sh
n=$(ls "$QUILVANE_RECORD_DIR" | wc -l)
out="$QUILVANE_RECORD_DIR/$(printf '%04d' "$n")"
printf '%s\0' "$(basename "$0")" > "$out"
for a in "$@"; do printf '%s\0' "$a" >> "$out"; done
if [ -n "$QUILVANE_FAKE_OUTPUT" ]; then cat "$QUILVANE_FAKE_OUTPUT"; fi
exit "${QUILVANE_FAKE_EXIT:-0}"
)sh";

std::vector<std::pair<QString, QByteArray>> Recorders(const QStringList& programs)
{
    std::vector<std::pair<QString, QByteArray>> scripts;
    for (const QString& program : programs)
        scripts.emplace_back(program, kRecorder);
    return scripts;
}

class RecordingPath {
public:
    explicit RecordingPath(const QStringList& programs)
        : m_programs(Recorders(programs)), m_recordDir("QUILVANE_RECORD_DIR", QFile::encodeName(m_programs.State()))
    {
        m_output.Unset();
        m_exit.Unset();
    }

    // Every call so far, in order: {program, arg1, arg2, ...}.
    std::vector<QStringList> Calls() const
    {
        std::vector<QStringList> calls;
        QDir dir(m_programs.State());
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
            QFile f(dir.filePath(name));
            EXPECT_TRUE(f.open(QIODevice::ReadOnly));
            QStringList call;
            for (const QByteArray& part : f.readAll().split('\0'))
                call << QString::fromUtf8(part);
            call.removeLast(); // after the final NUL
            calls.push_back(call);
        }
        return calls;
    }
    void ClearCalls() const
    {
        QDir dir(m_programs.State());
        for (const QString& name : dir.entryList(QDir::Files))
            dir.remove(name);
    }
    void SetOutput(const QByteArray& text)
    {
        QFile f(m_outputDir.filePath("output"));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        m_output.Set(QFile::encodeName(f.fileName()));
    }
    // The code every recorded program exits with from now on.
    void SetExitCode(int code) { m_exit.Set(QByteArray::number(code)); }

private:
    StandInPrograms m_programs;
    QTemporaryDir m_outputDir;
    EnvironmentGuard m_recordDir;
    EnvironmentGuard m_output{"QUILVANE_FAKE_OUTPUT"};
    EnvironmentGuard m_exit{"QUILVANE_FAKE_EXIT"};
};

// Pictures with every troublesome kind of name, as real files.
struct NastyNames {
    NastyNames()
    {
        for (const char* name :
             {"two  spaces and one.jpg", "it's \"quoted\".png", "line\nbreak.jpg", "$(touch pwned).jpg",
              "100% sure.png", "été 写真.jpg", "back\\slash.jpg", "tab\there.png", "no\u00a0break.jpg"}) {
            const QString path = dir.filePath(QString::fromUtf8(name));
            QFile f(path);
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            paths << path;
        }
    }
    QTemporaryDir dir;
    QStringList paths;
};

} // namespace

// pcmanfm-qt ignores a name it already shows, so it gets a link to the
// picture named after the picture's content; pcmanfm gets the path itself.
TEST(DesktopPrograms, PcmanfmGetsPathAndModeAsTwoArguments)
{
    RecordingPath recording({"pcmanfm-qt", "pcmanfm"});
    NastyNames names;
    QTemporaryDir data;
    const EnvironmentGuard dataHome("XDG_DATA_HOME", QFile::encodeName(data.path()));
    PcmanfmBackend lxqt("pcmanfm-qt", "lxqt");
    PcmanfmBackend lxde("pcmanfm", "lxde");
    const std::pair<WallpaperStyle, QString> styles[] = {
        {WallpaperStyle::Centre, "center"}, {WallpaperStyle::Tile, "tile"}, {WallpaperStyle::Stretch, "stretch"}};
    for (const QString& path : names.paths) {
        for (const auto& [style, mode] : styles) {
            recording.ClearCalls();
            ASSERT_TRUE(lxqt.SetWallpaper(path, style));
            ASSERT_TRUE(lxde.SetWallpaper(path, style));
            const auto calls = recording.Calls();
            ASSERT_EQ(calls.size(), 2u);
            ASSERT_EQ(calls[0].size(), 3);
            const QString sent = calls[0][1].mid(QStringLiteral("--set-wallpaper=").size());
            EXPECT_TRUE(sent.startsWith(data.path() + "/quilvane/wallpaper-links/wallpaper-")) << sent.toStdString();
            EXPECT_EQ(QFileInfo(sent).symLinkTarget(), path);
            EXPECT_EQ(calls[0][2], "--wallpaper-mode=" + mode);
            EXPECT_EQ(calls[1], QStringList({"pcmanfm", "--set-wallpaper=" + path, "--wallpaper-mode=" + mode}));
        }
    }

    // New content under the same name: a new link, and only that one kept.
    const QString path = names.paths.first();
    const auto sentFor = [&] {
        recording.ClearCalls();
        EXPECT_TRUE(lxqt.SetWallpaper(path, WallpaperStyle::Stretch));
        return recording.Calls().at(0).at(1);
    };
    const QString first = sentFor();
    EXPECT_EQ(sentFor(), first);
    QFile rewritten(path);
    ASSERT_TRUE(rewritten.open(QIODevice::WriteOnly));
    rewritten.write("new content");
    rewritten.close();
    EXPECT_NE(sentFor(), first);
    EXPECT_EQ(QDir(data.path() + "/quilvane/wallpaper-links").entryList(QDir::System | QDir::Files).size(), 1);
}

TEST(DesktopPrograms, ProgramFailuresAndAbsenceAreReported)
{
    RecordingPath recording({"pcmanfm-qt"});
    PcmanfmBackend lxqt("pcmanfm-qt", "lxqt");
    recording.SetExitCode(3);
    StderrCapture failed;
    EXPECT_FALSE(lxqt.SetWallpaper("/a.png", WallpaperStyle::Centre));
    EXPECT_TRUE(failed.Take().contains("exit code 3"));

    PcmanfmBackend lxde("pcmanfm-not-installed-here", "lxde");
    StderrCapture missing;
    EXPECT_FALSE(lxde.SetWallpaper("/a.png", WallpaperStyle::Centre));
    EXPECT_TRUE(missing.Take().contains("is not installed"));
}

namespace {

// xfconf-query as far as the Xfce back end uses it, keeping the channel as
// one file per property (slashes written as '%') in QUILVANE_XFCONF_DIR;
// setting the property named in QUILVANE_XFCONF_FAIL fails.
const char kXfconf[] = R"sh(#!/bin/sh
store="$QUILVANE_XFCONF_DIR"
[ "$1" = -c ] || exit 2
shift 2
if [ "$1" = -l ]; then ls "$store" | tr '%' '/'; exit 0; fi
[ "$1" = -p ] || exit 2
prop="$2"
shift 2
f="$store/$(printf '%s' "$prop" | tr / %)"
if [ $# -eq 0 ]; then
  [ -f "$f" ] || { echo "Property \"$prop\" does not exist on channel" >&2; exit 1; }
  cat "$f"; echo; exit 0
fi
case "$1" in
-r) rm -f "$f"; exit 0 ;;
-n) if [ "$prop" = "$QUILVANE_XFCONF_FAIL" ]; then echo refused >&2; exit 1; fi
    printf '%s' "$5" > "$f"; exit 0 ;;
esac
exit 2
)sh";

class FakeXfconf {
public:
    FakeXfconf()
        : m_programs({std::pair<QString, QByteArray>("xfconf-query", kXfconf)}),
          m_store("QUILVANE_XFCONF_DIR", QFile::encodeName(m_programs.State()))
    {
        m_fail.Unset();
    }
    void Set(const QString& property, const QString& value)
    {
        QFile f(File(property));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(value.toUtf8());
    }
    // Setting that property fails from now on (none: nothing fails).
    void FailOn(const QString& property)
    {
        if (property.isEmpty())
            m_fail.Unset();
        else
            m_fail.Set(property.toUtf8());
    }
    // The whole channel: property -> value.
    std::map<QString, QString> Channel() const
    {
        std::map<QString, QString> values;
        QDir dir(m_programs.State());
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile f(dir.filePath(name));
            EXPECT_TRUE(f.open(QIODevice::ReadOnly));
            values[QString(name).replace('%', '/')] = QString::fromUtf8(f.readAll());
        }
        return values;
    }

private:
    QString File(QString property) const { return m_programs.State() + "/" + property.replace('/', '%'); }

    StandInPrograms m_programs;
    EnvironmentGuard m_store;
    EnvironmentGuard m_fail{"QUILVANE_XFCONF_FAIL"};
};

QString Backdrop(const QString& monitor, int workspace)
{
    return QString("/backdrop/screen0/monitor%1/workspace%2/").arg(monitor).arg(workspace);
}

} // namespace

TEST(DesktopPrograms, XfceSetsListedBackdropsAndEveryConnectedMonitor)
{
    FakeXfconf xfconf;
    // A stale monitor on two workspaces and one unrelated key; of the two
    // connected monitors only HDMI-1 is listed.
    xfconf.Set(Backdrop("OLD-1", 0) + "last-image", "/old.jpg");
    xfconf.Set(Backdrop("OLD-1", 1) + "last-image", "/old.jpg");
    xfconf.Set(Backdrop("OLD-1", 0) + "last-image-backup", "/keep.jpg");
    xfconf.Set(Backdrop("HDMI-1", 0) + "last-image", "/old.jpg");
    xfconf.Set(Backdrop("HDMI-1", 0) + "image-style", "1");
    XfceBackend xfce([] { return QStringList{"HDMI-1", "eDP-1"}; });
    const QStringList backdrops = {Backdrop("OLD-1", 0), Backdrop("OLD-1", 1), Backdrop("HDMI-1", 0),
                                   Backdrop("eDP-1", 0)};
    NastyNames names;
    const std::pair<WallpaperStyle, QString> styles[] = {
        {WallpaperStyle::Centre, "1"}, {WallpaperStyle::Tile, "2"}, {WallpaperStyle::Stretch, "3"}};
    for (int i = 0; i < names.paths.size(); ++i) {
        const auto& [style, value] = styles[i % 3];
        ASSERT_TRUE(xfce.SetWallpaper(names.paths[i], style)) << names.paths[i].toStdString();
        const auto channel = xfconf.Channel();
        EXPECT_EQ(channel.size(), 2u * backdrops.size() + 1);
        for (const QString& backdrop : backdrops) {
            EXPECT_EQ(channel.at(backdrop + "last-image"), names.paths[i]) << backdrop.toStdString();
            EXPECT_EQ(channel.at(backdrop + "image-style"), value) << backdrop.toStdString();
        }
        EXPECT_EQ(channel.at(Backdrop("OLD-1", 0) + "last-image-backup"), "/keep.jpg");
    }
}

TEST(DesktopPrograms, XfceFailureLeavesTheChannelAsItWas)
{
    FakeXfconf xfconf;
    xfconf.Set(Backdrop("DP-2", 0) + "last-image", "/old.jpg");
    xfconf.Set(Backdrop("DP-2", 0) + "image-style", "2");
    XfceBackend xfce([] { return QStringList{"DP-2", "HDMI-A-1"}; });
    const auto before = xfconf.Channel();
    // Fails on the last write, after the first monitor is done and the
    // second's style (a new property) written.
    xfconf.FailOn(Backdrop("HDMI-A-1", 0) + "last-image");
    StderrCapture stderrText;
    EXPECT_FALSE(xfce.SetWallpaper("/p/new one.jpg", WallpaperStyle::Stretch));
    const QString said = stderrText.Take();
    EXPECT_TRUE(said.contains("refused")) << qPrintable(said);
    EXPECT_TRUE(said.contains("the wallpaper stays as it is")) << qPrintable(said);
    EXPECT_EQ(xfconf.Channel(), before);

    // An empty channel gets the connected monitors' first workspace.
    xfconf.FailOn({});
    FakeXfconf empty;
    ASSERT_TRUE(xfce.SetWallpaper("/p/a b.jpg", WallpaperStyle::Tile));
    const std::map<QString, QString> expected = {{Backdrop("DP-2", 0) + "image-style", "2"},
                                                 {Backdrop("DP-2", 0) + "last-image", "/p/a b.jpg"},
                                                 {Backdrop("HDMI-A-1", 0) + "image-style", "2"},
                                                 {Backdrop("HDMI-A-1", 0) + "last-image", "/p/a b.jpg"}};
    EXPECT_EQ(empty.Channel(), expected);
}

TEST(DesktopPrograms, XfceGivesOnlyMonitorsThatCameLaterThePicture)
{
    FakeXfconf xfconf;
    QStringList connected = {"eDP-1"};
    XfceBackend xfce([&] { return connected; });
    EXPECT_TRUE(xfce.FollowMonitors("/p/ours.jpg", WallpaperStyle::Stretch)) << "nothing set yet, nothing to do";
    EXPECT_TRUE(xfconf.Channel().empty());
    ASSERT_TRUE(xfce.SetWallpaper("/p/ours.jpg", WallpaperStyle::Stretch));

    // The user picks another picture for eDP-1 in Xfce's own settings. Then
    // HDMI-1 comes, and xfdesktop gives it its default on two workspaces.
    xfconf.Set(Backdrop("eDP-1", 0) + "last-image", "/mine.jpg");
    connected << "HDMI-1";
    xfconf.Set(Backdrop("HDMI-1", 0) + "last-image", "/default.svg");
    xfconf.Set(Backdrop("HDMI-1", 0) + "image-style", "5");
    xfconf.Set(Backdrop("HDMI-1", 1) + "last-image", "/default.svg");
    ASSERT_TRUE(xfce.FollowMonitors("/p/ours.jpg", WallpaperStyle::Stretch));
    std::map<QString, QString> expected = {
        {Backdrop("eDP-1", 0) + "image-style", "3"},  {Backdrop("eDP-1", 0) + "last-image", "/mine.jpg"},
        {Backdrop("HDMI-1", 0) + "image-style", "3"}, {Backdrop("HDMI-1", 0) + "last-image", "/p/ours.jpg"},
        {Backdrop("HDMI-1", 1) + "image-style", "3"}, {Backdrop("HDMI-1", 1) + "last-image", "/p/ours.jpg"}};
    EXPECT_EQ(xfconf.Channel(), expected);

    // HDMI-1 has had the picture: what the user sets there later stays,
    // also when it is unplugged and comes back.
    xfconf.Set(Backdrop("HDMI-1", 1) + "last-image", "/mine too.jpg");
    expected[Backdrop("HDMI-1", 1) + "last-image"] = "/mine too.jpg";
    connected = {"eDP-1"};
    ASSERT_TRUE(xfce.FollowMonitors("/p/ours.jpg", WallpaperStyle::Stretch));
    connected = {"eDP-1", "HDMI-1"};
    ASSERT_TRUE(xfce.FollowMonitors("/p/ours.jpg", WallpaperStyle::Stretch));
    EXPECT_EQ(xfconf.Channel(), expected);
}

TEST(DesktopPrograms, AWorkerThreadGetsTheScreensTheApplicationHas)
{
    // Xfce names each monitor's backdrop, also in a change on a worker.
    // The application's thread has looked, as the wallpaper manager does
    // when it is made.
    const QStringList names = ScreenNames();
    ASSERT_EQ(names.size(), QGuiApplication::screens().size());
    ASSERT_FALSE(names.isEmpty());
    QStringList fromWorker;
    const std::unique_ptr<QThread> worker(QThread::create([&] { fromWorker = ScreenNames(); }));
    worker->start();
    ASSERT_TRUE(worker->wait(30000));
    EXPECT_EQ(fromWorker, names);
}

TEST(DesktopPrograms, SwayQuotesPlainNamesAndLinksTheRest)
{
    RecordingPath recording({"swaymsg"});
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const EnvironmentGuard runtimeDir("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    NastyNames names;
    SwayBackend sway;

    // Spaces, '%' and non-ASCII letters survive sway's splitting and its
    // word expansion inside "'...'"; a run of spaces, quotes, '$',
    // newlines, a backslash, a tab and a non-breaking space (which sway
    // splits at) would not, and go through a link.
    const QStringList quoted = {names.paths[4], names.paths[5]};
    for (const QString& path : names.paths) {
        for (const auto& [style, mode] :
             {std::pair{WallpaperStyle::Centre, "center"}, std::pair{WallpaperStyle::Tile, "tile"},
              std::pair{WallpaperStyle::Stretch, "stretch"}}) {
            recording.ClearCalls();
            ASSERT_TRUE(sway.SetWallpaper(path, style)) << path.toStdString();
            const auto calls = recording.Calls();
            ASSERT_EQ(calls.size(), 1u);
            ASSERT_EQ(calls[0].size(), 6);
            EXPECT_EQ(calls[0].mid(0, 4), QStringList({"swaymsg", "output", "*", "bg"}));
            EXPECT_EQ(calls[0][5], QString::fromLatin1(mode));
            const QString argument = calls[0][4];
            ASSERT_TRUE(argument.startsWith("\"'") && argument.endsWith("'\"")) << argument.toStdString();
            const QString given = argument.mid(2, argument.size() - 4);
            if (quoted.contains(path)) {
                EXPECT_EQ(given, path);
            } else {
                EXPECT_TRUE(given.startsWith(runtime.path() + "/quilvane/wallpaper-")) << given.toStdString();
                EXPECT_EQ(QFileInfo(given).symLinkTarget(), path);
                for (const QChar c : given)
                    EXPECT_TRUE(c.isLetterOrNumber() || QStringLiteral("/.-_").contains(c)) << given.toStdString();
            }
        }
    }
    // Only the newest link is kept.
    EXPECT_EQ(QDir(runtime.path() + "/quilvane").entryList(QDir::System | QDir::Files).size(), 1);
}
