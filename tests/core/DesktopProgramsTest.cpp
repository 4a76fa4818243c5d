// The back ends that drive a desktop's own tools, each run against a
// recording stand-in of the same name put first on PATH: the stand-in writes
// the argument vector it received, NUL-separated, so the test sees exactly
// what the real tool would. The file names are the nasty ones: spaces, both
// kinds of quote, a newline, $(...), '%' and letters outside ASCII.

#include "core/desktop/PcmanfmBackend.h"
#include "core/desktop/SwayBackend.h"
#include "core/desktop/XfceBackend.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

class RecordingPath {
public:
    explicit RecordingPath(const QStringList& programs) : m_oldPath(qgetenv("PATH"))
    {
        QDir().mkpath(m_dir.filePath("bin"));
        QDir().mkpath(m_dir.filePath("calls"));
        for (const QString& program : programs) {
            QFile script(m_dir.filePath("bin/" + program));
            EXPECT_TRUE(script.open(QIODevice::WriteOnly));
            script.write(kRecorder);
            script.close();
            script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("PATH", QFile::encodeName(m_dir.filePath("bin")) + ":" + m_oldPath);
        qputenv("QUILVANE_RECORD_DIR", QFile::encodeName(m_dir.filePath("calls")));
    }
    ~RecordingPath()
    {
        qputenv("PATH", m_oldPath);
        for (const char* name : {"QUILVANE_RECORD_DIR", "QUILVANE_FAKE_OUTPUT", "QUILVANE_FAKE_EXIT"})
            qunsetenv(name);
    }

    // Every call so far, in order: {program, arg1, arg2, ...}.
    std::vector<QStringList> Calls() const
    {
        std::vector<QStringList> calls;
        QDir dir(m_dir.filePath("calls"));
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
        QDir dir(m_dir.filePath("calls"));
        for (const QString& name : dir.entryList(QDir::Files))
            dir.remove(name);
    }
    void SetOutput(const QByteArray& text)
    {
        QFile f(m_dir.filePath("output"));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        qputenv("QUILVANE_FAKE_OUTPUT", QFile::encodeName(f.fileName()));
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldPath;
};

// Pictures with every troublesome kind of name, as real files.
struct NastyNames {
    NastyNames()
    {
        for (const char* name : {"two  spaces and one.jpg", "it's \"quoted\".png", "line\nbreak.jpg",
                                 "$(touch pwned).jpg", "100% sure.png", "été 写真.jpg"}) {
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

TEST(DesktopPrograms, PcmanfmGetsPathAndModeAsTwoArguments)
{
    RecordingPath recording({"pcmanfm-qt", "pcmanfm"});
    NastyNames names;
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
            EXPECT_EQ(calls[0], QStringList({"pcmanfm-qt", "--set-wallpaper=" + path, "--wallpaper-mode=" + mode}));
            EXPECT_EQ(calls[1], QStringList({"pcmanfm", "--set-wallpaper=" + path, "--wallpaper-mode=" + mode}));
        }
    }
}

TEST(DesktopPrograms, ProgramFailuresAndAbsenceAreReported)
{
    RecordingPath recording({"pcmanfm-qt"});
    PcmanfmBackend lxqt("pcmanfm-qt", "lxqt");
    qputenv("QUILVANE_FAKE_EXIT", "3");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(lxqt.SetWallpaper("/a.png", WallpaperStyle::Centre));
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("exit code 3"), std::string::npos);

    PcmanfmBackend lxde("pcmanfm-not-installed-here", "lxde");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(lxde.SetWallpaper("/a.png", WallpaperStyle::Centre));
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("is not installed"), std::string::npos);
}

TEST(DesktopPrograms, XfceSetsEveryListedBackdrop)
{
    RecordingPath recording({"xfconf-query"});
    recording.SetOutput("/backdrop/screen0/monitorHDMI-1/workspace0/color-style\n"
                        "/backdrop/screen0/monitorHDMI-1/workspace0/last-image\n"
                        "/backdrop/screen0/monitorHDMI-1/workspace1/last-image\n"
                        "/backdrop/screen0/monitoreDP-1/workspace0/last-image\n"
                        "/backdrop/screen0/monitoreDP-1/workspace0/last-image-backup\n"
                        "/desktop-icons/style\n");
    NastyNames names;
    XfceBackend xfce([] { return QStringList{"unused"}; });
    const std::pair<WallpaperStyle, QString> styles[] = {
        {WallpaperStyle::Centre, "1"}, {WallpaperStyle::Tile, "2"}, {WallpaperStyle::Stretch, "3"}};
    const QStringList backdrops = {"/backdrop/screen0/monitorHDMI-1/workspace0/",
                                   "/backdrop/screen0/monitorHDMI-1/workspace1/",
                                   "/backdrop/screen0/monitoreDP-1/workspace0/"};
    // Every name in one style, every style with one name.
    struct Run {
        QString path;
        WallpaperStyle style;
        QString value;
    };
    std::vector<Run> runs;
    for (const QString& path : names.paths)
        runs.push_back({path, styles[0].first, styles[0].second});
    runs.push_back({names.paths[1], styles[1].first, styles[1].second});
    runs.push_back({names.paths[2], styles[2].first, styles[2].second});
    for (const Run& run : runs) {
        recording.ClearCalls();
        ASSERT_TRUE(xfce.SetWallpaper(run.path, run.style));
        const auto calls = recording.Calls();
        ASSERT_EQ(calls.size(), 1u + 2 * backdrops.size());
        EXPECT_EQ(calls[0], QStringList({"xfconf-query", "-c", "xfce4-desktop", "-l"}));
        for (int i = 0; i < backdrops.size(); ++i) {
            EXPECT_EQ(calls[1 + 2 * i],
                      QStringList({"xfconf-query", "-c", "xfce4-desktop", "-p", backdrops[i] + "image-style", "-n",
                                   "-t", "int", "-s", run.value}));
            EXPECT_EQ(calls[2 + 2 * i],
                      QStringList({"xfconf-query", "-c", "xfce4-desktop", "-p", backdrops[i] + "last-image", "-n", "-t",
                                   "string", "-s", run.path}));
        }
    }
}

TEST(DesktopPrograms, XfceCreatesBackdropsForConnectedMonitors)
{
    RecordingPath recording({"xfconf-query"});
    recording.SetOutput("/desktop-icons/style\n");
    XfceBackend xfce([] { return QStringList{"DP-2", "HDMI-A-1"}; });
    ASSERT_TRUE(xfce.SetWallpaper("/p/a b.jpg", WallpaperStyle::Stretch));
    const auto calls = recording.Calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[2], QStringList({"xfconf-query", "-c", "xfce4-desktop", "-p",
                                     "/backdrop/screen0/monitorDP-2/workspace0/last-image", "-n", "-t", "string", "-s",
                                     "/p/a b.jpg"}));
    EXPECT_EQ(calls[3],
              QStringList({"xfconf-query", "-c", "xfce4-desktop", "-p",
                           "/backdrop/screen0/monitorHDMI-A-1/workspace0/image-style", "-n", "-t", "int", "-s", "3"}));
}

TEST(DesktopPrograms, SwayQuotesPlainNamesAndLinksTheRest)
{
    RecordingPath recording({"swaymsg"});
    QTemporaryDir runtime;
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    NastyNames names;
    SwayBackend sway;

    // Spaces, '%' and non-ASCII letters survive sway's splitting and its
    // word expansion inside "'...'"; a run of spaces, quotes, '$' and
    // newlines would not, and go through a link.
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
    qputenv("XDG_RUNTIME_DIR", oldRuntime);
}
