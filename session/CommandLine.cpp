// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/CommandLine.h"

#include "core/SlideListFile.h"
#include "core/SlidePeriod.h"
#include "desktop/DesktopBackendFactory.h"
#include "desktop/WallpaperStyle.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QRegularExpression>

#include <climits>

namespace {

// Qt's own options, taken by QGuiApplication and QApplication for the window
// (and for the platform a command starts): accepted here and left to Qt.
const char* const kQtOptionsWithValue[] = {
    "style",
    "stylesheet",
    "platform",
    "platformpluginpath",
    "platformtheme",
    "plugin",
    "qwindowgeometry",
    "geometry",
    "qwindowicon",
    "icon",
    "qwindowtitle",
    "title",
    "session",
    "display",
    "name",
    "visual",
    "ncols",
    "im",
    "inputstyle",
    "qmljsdebugger",
    "dialogs",
    "fontengine",
};
const char* const kQtFlags[] = {"widgetcount", "reverse", "sync", "nograb", "dograb", "cmap", "testability"};

struct Options {
    QCommandLineOption help{{"h", "help", "?"}};
    QCommandLineOption version{{"v", "version"}};
    QCommandLineOption set{"set", {}, "PATH"};
    QCommandLineOption mode{"mode", {}, "MODE"};
    QCommandLineOption play{"play", {}, "LIST"};
    QCommandLineOption every{"every", {}, "DURATION"};
    QCommandLineOption random{"random"};
    QCommandLineOption next{"next"};
    QCommandLineOption stop{"stop"};
    QCommandLineOption restore{"restore"};
    QCommandLineOption desktop{"desktop", {}, "NAME"};
    QCommandLineOption listDesktops{"list-desktops"};
    QCommandLineOption autostart{"autostart", {}, "on|off"};
};

CommandLine Mistake(const QString& why)
{
    CommandLine line;
    line.action = CommandLine::Action::Usage;
    line.error = why;
    return line;
}

// The one command among the options given; Usage when there are two.
CommandLine PickAction(const QCommandLineParser& parser, const Options& o)
{
    const std::pair<const QCommandLineOption*, CommandLine::Action> actions[] = {
        {&o.set, CommandLine::Action::Set},
        {&o.play, CommandLine::Action::Play},
        {&o.next, CommandLine::Action::Next},
        {&o.stop, CommandLine::Action::Stop},
        {&o.restore, CommandLine::Action::Restore},
        {&o.listDesktops, CommandLine::Action::ListDesktops},
        {&o.autostart, CommandLine::Action::Autostart},
    };
    CommandLine line;
    QString chosen;
    for (const auto& [option, action] : actions) {
        const QString name = option->names().constFirst();
        if (!parser.isSet(name))
            continue;
        if (!chosen.isEmpty())
            return Mistake(QStringLiteral("--%1 and --%2 cannot be given together").arg(chosen, name));
        chosen = name;
        line.action = action;
    }
    return line;
}

int ParseStyle(const QString& word, bool* ok)
{
    for (const WallpaperStyle style : {WallpaperStyle::Centre, WallpaperStyle::Tile, WallpaperStyle::Stretch}) {
        if (word == WallpaperStyleWord(style)) {
            *ok = true;
            return static_cast<int>(style);
        }
    }
    *ok = false;
    return 0;
}

} // namespace

int ParseDuration(const QString& text, QString* warning)
{
    static const QRegularExpression form(QStringLiteral("^\\s*([+-]?)([0-9]+)\\s*([smh]?)\\s*$"));
    const QRegularExpressionMatch match = form.match(text);
    const QString floor = QStringLiteral("using the shortest period, one second");
    if (!match.hasMatch()) {
        *warning = QStringLiteral("--every: \"%1\" is not a duration (90, 90s, 5m or 1h); %2").arg(text, floor);
        return kShortestSlidePeriodMs;
    }
    // Digits saturate rather than overflow: a huge period is the longest one.
    long long seconds = 0;
    for (const QChar digit : match.captured(2)) {
        seconds = std::min<long long>(seconds * 10 + digit.digitValue(), LLONG_MAX / 3600);
    }
    const QString unit = match.captured(3);
    seconds *= unit == QLatin1String("h") ? 3600 : unit == QLatin1String("m") ? 60 : 1;
    if (match.captured(1) == QLatin1String("-") || seconds < 1) {
        *warning = QStringLiteral("--every: %1 is less than a second; %2").arg(text.trimmed(), floor);
        return kShortestSlidePeriodMs;
    }
    const int period = SlidePeriodFromSeconds(seconds);
    if (seconds > INT_MAX / 1000)
        *warning = QStringLiteral("--every: %1 is longer than the longest period; using %2 seconds")
                       .arg(text.trimmed())
                       .arg(period / 1000);
    return period;
}

CommandLine ParseCommandLine(const QByteArrayList& arguments)
{
    QStringList texts;
    for (const QByteArray& argument : arguments)
        texts << EntryText(argument);
    if (texts.isEmpty())
        texts << QStringLiteral("quilvane");

    QCommandLineParser parser;
    // "-style fusion" is Qt's long option, not -s -t -y -l -e.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const Options o;
    for (const QCommandLineOption* option : {&o.help, &o.version, &o.set, &o.mode, &o.play, &o.every, &o.random,
                                             &o.next, &o.stop, &o.restore, &o.desktop, &o.listDesktops, &o.autostart})
        parser.addOption(*option);
    for (const char* name : kQtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), {}, QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kQtFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    if (!parser.parse(texts))
        return Mistake(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return Mistake(QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().constFirst()));
    if (parser.isSet(o.help)) {
        CommandLine line;
        line.action = CommandLine::Action::Help;
        return line;
    }
    if (parser.isSet(o.version)) {
        CommandLine line;
        line.action = CommandLine::Action::Version;
        return line;
    }

    CommandLine line = PickAction(parser, o);
    if (line.action == CommandLine::Action::Usage)
        return line;
    const bool setOrPlay = line.action == CommandLine::Action::Set || line.action == CommandLine::Action::Play;
    if (parser.isSet(o.mode) && !setOrPlay)
        return Mistake(QStringLiteral("--mode goes with --set or --play"));
    for (const QCommandLineOption* option : {&o.every, &o.random}) {
        if (parser.isSet(*option) && line.action != CommandLine::Action::Play)
            return Mistake(QStringLiteral("--%1 goes with --play").arg(option->names().constFirst()));
    }

    if (line.action == CommandLine::Action::Set)
        line.path = parser.value(o.set);
    if (line.action == CommandLine::Action::Play)
        line.path = parser.value(o.play);
    if (setOrPlay && line.path.isEmpty())
        return Mistake(
            QStringLiteral("--%1 needs a file name").arg(line.action == CommandLine::Action::Set ? "set" : "play"));
    if (parser.isSet(o.mode)) {
        bool ok = false;
        line.style = ParseStyle(parser.value(o.mode), &ok);
        if (!ok)
            return Mistake(QStringLiteral("--mode is center, tile or stretch, not \"%1\"").arg(parser.value(o.mode)));
    }
    if (parser.isSet(o.every)) {
        QString warning;
        line.periodMs = ParseDuration(parser.value(o.every), &warning);
        if (!warning.isEmpty())
            line.warnings << warning;
    }
    line.random = parser.isSet(o.random);
    if (parser.isSet(o.desktop)) {
        line.desktop = parser.value(o.desktop);
        if (!DesktopBackendFactory::KnownNames().contains(line.desktop.trimmed().toLower()))
            return Mistake(
                QStringLiteral("--desktop: no desktop is named \"%1\" (--list-desktops lists them)").arg(line.desktop));
    }
    if (line.action == CommandLine::Action::Autostart) {
        const QString value = parser.value(o.autostart);
        if (value != QLatin1String("on") && value != QLatin1String("off"))
            return Mistake(QStringLiteral("--autostart is on or off, not \"%1\"").arg(value));
        line.autostartOn = value == QLatin1String("on");
    }
    return line;
}

QString CommandLineUsage()
{
    return QStringLiteral("Usage: quilvane [--set PATH [--mode center|tile|stretch]]\n"
                          "                [--play LIST [--every DURATION] [--random] [--mode center|tile|stretch]]\n"
                          "                [--next | --stop | --restore | --list-desktops | --autostart on|off]\n"
                          "                [--desktop NAME] [--help] [--version]\n");
}

QString CommandLineHelp()
{
    return CommandLineUsage() +
           QStringLiteral("\n"
                          "Without a command Quilvane opens its window (a running one comes to the front).\n"
                          "\n"
                          "  --set PATH         put the picture on the desktop\n"
                          "  --mode MODE        center, tile or stretch (default center)\n"
                          "  --play LIST        run a slide show from a list file until --stop\n"
                          "  --every DURATION   time between pictures: 90, 90s, 5m, 1h (default 5s)\n"
                          "  --random           show the pictures in random order\n"
                          "  --next             show the running slide show's next picture now\n"
                          "  --stop             stop the running slide show\n"
                          "  --restore          put back the last wallpaper and the slide show\n"
                          "                     that was playing when Quilvane last ended\n"
                          "  --desktop NAME     use this desktop back end (as QUILVANE_DESKTOP)\n"
                          "  --list-desktops    the detected back end, then every name\n"
                          "  --autostart on|off run quilvane --restore at login, or no longer\n"
                          "  -h, --help         this text\n"
                          "  -v, --version      the version\n"
                          "\n"
                          "Qt's own options (-style, -platform, -display, ...) are the window's.\n");
}
