// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program in the user's language: chosen from the session's locale at
// start-up, German complete, English untouched.

#include "app/MainPropertySheet.h"
#include "core/DesignDocument.h"
#include "designer/AboutDlg.h"
#include "designer/TipDlg.h"
#include "designer/TipsReader.h"
#include "platform/SafeFile.h"
#include "res/Menus.h"
#include "res/Resource.h"
#include "res/Strings.h"
#include "res/Translations.h"
#include "support/HookGuards.h"
#include "support/TipsPathGuard.h"
#include "widgets/DialogBuilder.h"
#include "widgets/MenuTemplate.h"
#include "widgets/TrayIcon.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kTips = QStringLiteral(QUILVANE_SOURCE_DIR "/res/Tips.tip");

// What the main window shows in its title, tabs, menu bar and tray menu,
// as the language probe prints it.
const QStringList kEnglishWindow = {
    "language\t",
    "title\tQuilvane",
    "tab\tDesign",
    "tab\tWallpaper",
    "menu\t&File",
    "item\t&Open",
    "item\t&Save",
    "item\tRestore at &Login",
    "item\t&Quit",
    "menu\t&Edit Photos",
    "item\t&Undo",
    "item\t&Redo",
    "item\t&Mirror",
    "item\t&Flip",
    "item\t&Negative",
    "item\tRotate &Left",
    "item\tRotate &Right",
    "item\tGray Scale",
    "menu\t&Help",
    "item\t&Tip of day",
    "item\t&About",
    "tray\t&Configure Tessorel",
    "tray\t&About Tessorel",
    "tray\tE&xit Tessorel",
};
const QStringList kGermanWindow = {
    "language\tde",
    "title\tQuilvane",
    "tab\tGestaltung",
    "tab\tHintergrundbild",
    "menu\t&Datei",
    "item\tÖ&ffnen",
    "item\t&Speichern",
    "item\tBei der &Anmeldung wiederherstellen",
    "item\t&Beenden",
    "menu\tFotos &bearbeiten",
    "item\t&Rückgängig",
    "item\t&Wiederholen",
    "item\tHorizontal &spiegeln",
    "item\t&Vertikal spiegeln",
    "item\t&Negativ",
    "item\tNach &links drehen",
    "item\tNach &rechts drehen",
    "item\tGraustufen",
    "menu\t&Hilfe",
    "item\t&Tipp des Tages",
    "item\tÜ&ber",
    "tray\tTessorel &konfigurieren",
    "tray\t&Über Tessorel",
    "tray\tTessorel &beenden",
};

// Runs the language probe with only the given locale variables set.
QStringList RunProbe(const QStringList& localeVariables)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        env.remove(name);
    for (const QString& assignment : localeVariables)
        env.insert(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    env.insert("XDG_CONFIG_HOME", config.path());
    QProcess probe;
    probe.setProcessEnvironment(env);
    probe.start(QUILVANE_LANGUAGE_PROBE, {});
    if (!probe.waitForFinished(60000)) {
        probe.kill();
        probe.waitForFinished();
        return {"the probe did not end"};
    }
    if (probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
        return {"the probe failed: " + QString::fromUtf8(probe.readAllStandardError())};
    return QString::fromUtf8(probe.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

// German for the test's lifetime, English again after it.
struct GermanGuard {
    GermanGuard() { language = InstallTranslations(QLocale(QLocale::German, QLocale::Germany)); }
    ~GermanGuard() { RemoveTranslations(); }
    QString language;
};

struct Shown {
    QString where;
    QString text;
    QWidget* control = nullptr; // where the text has to fit, if anywhere
};

void CollectMenu(const QString& where, const QMenu* menu, QList<Shown>* out)
{
    out->append({where, menu->title()});
    for (const QAction* a : menu->actions()) {
        if (a->menu())
            CollectMenu(where, a->menu(), out);
        else if (!a->isSeparator())
            out->append({where, a->text()});
    }
}

void CollectControls(const QString& where, QWidget* host, QList<Shown>* out)
{
    out->append({where + " title", host->windowTitle()});
    for (QWidget* w : host->findChildren<QWidget*>()) {
        const QString name = where + ' ' + w->objectName();
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty())
            out->append({name, label->text(), label});
        else if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty())
            out->append({name, button->text(), button});
        else if (auto* box = qobject_cast<QGroupBox*>(w))
            out->append({name, box->title()});
        else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                out->append({name, combo->itemText(i)});
        }
    }
}

// Every text the windows, dialogs and menus show when they are built.
QList<Shown> AllShownTexts(std::vector<std::unique_ptr<QWidget>>* keep)
{
    QList<Shown> out;
    CDesignPage::SetStartupTipPending(false);
    auto sheet = std::make_unique<CMainPropertySheet>(CMainPropertySheet::Look::Tabs, IDB_TAB_IMAGES, 32);
    sheet->OnInitDialog();
    sheet->TabWidget()->setCurrentIndex(1);
    out.append({"window", sheet->windowTitle()});
    for (int i = 0; i < sheet->TabWidget()->count(); ++i)
        out.append({"tab", sheet->TabWidget()->tabText(i)});
    if (const QSystemTrayIcon* tray = FindTrayIcon(sheet.get(), IDR_MAINFRAME))
        out.append({"tray tip", tray->toolTip()});
    CollectControls("design page", &sheet->m_designPage, &out);
    CollectControls("slide-show page", &sheet->m_slideShowPage, &out);
    for (const QAction* a : sheet->m_menuBar->actions())
        CollectMenu("menu bar", a->menu(), &out);
    for (const MenuTemplate* menu : {&TrayMenu(), &PhotoMenu(), &BackgroundMenu()}) {
        const std::unique_ptr<QMenu> popup(LoadPopupMenu(*menu, 0));
        CollectMenu("popup menu", popup.get(), &out);
    }
    auto about = std::make_unique<CAboutDlg>();
    about->CreateControls();
    CollectControls("about box", about.get(), &out);
    auto tip = std::make_unique<CTipDlg>();
    tip->CreateControls();
    CollectControls("tip dialog", tip.get(), &out);
    for (const int id : {IDS_ABOUTBOX, IDS_TIP_FILE_ERROR, IDS_DID_YOU_KNOW})
        out.append({"string table", LoadResString(id)});
    keep->push_back(std::move(sheet));
    keep->push_back(std::move(about));
    keep->push_back(std::move(tip));
    return out;
}

QString WithoutAccessKey(QString text)
{
    return text.replace(QRegularExpression(QStringLiteral("&(?!&)")), QString());
}

// The tips of the tips file, each as the Tip of the Day reads it.
QList<QString> TipsOf(const QString& path)
{
    QList<QString> tips;
    const std::unique_ptr<QFile> file = OpenRegularFile(path);
    if (!file)
        return tips;
    QByteArray tip;
    qint64 last = -1;
    while (ReadNextTip(*file, tip) == TipReadResult::Tip && file->pos() > last) {
        last = file->pos();
        tips.append(QString::fromUtf8(tip));
    }
    return tips;
}

} // namespace

TEST(StartupLanguage, TheSessionsLocaleChoosesTheLanguageWithoutInstalledLocales)
{
    // Qt reads the variables itself: none of these locales needs to be
    // generated on the machine.
    const std::pair<QStringList, const QStringList*> cases[] = {
        {{"LANG=de_DE.UTF-8"}, &kGermanWindow},
        {{"LC_ALL=de_DE.UTF-8", "LANG=en_US.UTF-8"}, &kGermanWindow},
        {{"LC_MESSAGES=de_DE.UTF-8", "LANG=C"}, &kGermanWindow},
        {{"LANGUAGE=de:en", "LANG=en_US.UTF-8"}, &kGermanWindow},
        {{"LANG=de_AT.UTF-8"}, &kGermanWindow},
        {{"LANG=en_US.UTF-8"}, &kEnglishWindow},
        {{"LANG=C"}, &kEnglishWindow},
        {{}, &kEnglishWindow},
        {{"LANG=fr_FR.UTF-8"}, &kEnglishWindow},
        // C asks for the program as it is written, whatever LANGUAGE says.
        {{"LC_ALL=C", "LANGUAGE=de"}, &kEnglishWindow},
    };
    for (const auto& [variables, expected] : cases) {
        SCOPED_TRACE(variables.join(u' ').toStdString());
        EXPECT_EQ(RunProbe(variables).join(u'\n').toStdString(), expected->join(u'\n').toStdString());
    }
}

TEST(GermanTranslation, EveryTextTheWindowsDialogsAndMenusShowIsGermanAndFits)
{
    const TipsPathGuard tips(kTips);
    std::vector<std::unique_ptr<QWidget>> englishWindows;
    const QList<Shown> english = AllShownTexts(&englishWindows);
    std::vector<std::unique_ptr<QWidget>> germanWindows;
    QList<Shown> german;
    {
        const GermanGuard guard;
        ASSERT_EQ(guard.language, "de");
        german = AllShownTexts(&germanWindows);
    }
    // Names, version numbers and words German shares with English.
    const QStringList same = {"Quilvane", "Quilvaned", "Quilvane Version 1.0", "Version 1.0.1 (Build 20)", "OK", "..."};

    ASSERT_EQ(german.size(), english.size());
    ASSERT_GT(english.size(), 70);
    for (qsizetype i = 0; i < english.size(); ++i) {
        const Shown& en = english[i];
        const Shown& de = german[i];
        SCOPED_TRACE(QString(en.where + ": " + en.text).toStdString());
        ASSERT_EQ(de.where.toStdString(), en.where.toStdString());
        if (same.contains(en.text) || en.text.isEmpty()) {
            EXPECT_EQ(de.text.toStdString(), en.text.toStdString());
        } else {
            EXPECT_NE(de.text.toStdString(), en.text.toStdString()) << "left in English";
        }
        // A German text is cut off nowhere the English one fits.
        if (de.control && en.control) {
            // The width the style leaves for the text: a check box's beside
            // its box, a button's inside its bevel.
            const auto room = [](const QWidget* w) {
                QStyleOptionButton option;
                option.initFrom(w);
                if (qobject_cast<const QCheckBox*>(w))
                    return w->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, w).width();
                if (qobject_cast<const QPushButton*>(w))
                    return w->style()->subElementRect(QStyle::SE_PushButtonContents, &option, w).width();
                return w->contentsRect().width();
            };
            const auto width = [](const QWidget* w, const QString& text) {
                return w->fontMetrics().horizontalAdvance(WithoutAccessKey(text));
            };
            if (width(en.control, en.text) <= room(en.control)) {
                EXPECT_LE(width(de.control, de.text), room(de.control)) << de.text.toStdString();
            }
        }
    }
}

TEST(GermanTranslation, QtsOwnTextsFollowOnlyALanguageTheProgramSpeaks)
{
    const QString qtGerman = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm";
    const auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
    {
        const GermanGuard guard;
        ASSERT_EQ(guard.language, "de");
        if (QFile::exists(qtGerman)) {
            EXPECT_EQ(cancel(), "Abbrechen");
        }
    }
    EXPECT_EQ(cancel(), "Cancel");
    // Qt speaks French, the program does not: all stays English.
    EXPECT_EQ(InstallTranslations(QLocale(QLocale::French, QLocale::France)), "");
    EXPECT_EQ(cancel(), "Cancel");
    RemoveTranslations();
}

TEST(GermanTranslation, TipsMessagesAndFilePromptsAreGerman)
{
    const GermanGuard guard;
    ASSERT_EQ(guard.language, "de");

    const QList<QString> tips = TipsOf(kTips);
    ASSERT_GT(tips.size(), 10);
    QStringList translated;
    for (const QString& tip : tips) {
        SCOPED_TRACE(tip.toStdString());
        translated << TranslateTip(tip);
        EXPECT_NE(translated.last(), tip);
        EXPECT_EQ(translated.last().endsWith(u'\n'), tip.endsWith(u'\n'));
    }
    EXPECT_EQ(TranslateTip("Drücken Sie OK.\r\n"), "Drücken Sie OK.\r\n") << "a tip of the user's own stays";
    EXPECT_EQ(TranslateTip("Press the Delete key to remove the selected photo from the design.\n"),
              "Drücken Sie die Entf-Taste, um das ausgewählte Foto aus der Gestaltung zu entfernen.\n");

    // The Tip of the Day dialog shows its tips in German, each whole in the
    // text rectangle where the English one is.
    {
        const TipsPathGuard path(kTips);
        CTipDlg dlg;
        EXPECT_TRUE(translated.contains(dlg.m_strTipText)) << dlg.m_strTipText.toStdString();
        dlg.OnNextTip();
        EXPECT_TRUE(translated.contains(dlg.m_strTipText)) << dlg.m_strTipText.toStdString();
        dlg.CreateControls();
        const QRect area = GetDlgItem(&dlg, IDC_TIP_TEXT)->geometry();
        const QFontMetrics metrics(CTipDlg::TipFont());
        const auto height = [&](const QString& text) {
            return metrics.boundingRect(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text.trimmed()).height();
        };
        for (qsizetype i = 0; i < tips.size(); ++i) {
            if (height(tips[i]) <= area.height()) {
                EXPECT_LE(height(translated[i]), area.height()) << translated[i].toStdString();
            }
        }
    }

    CMainPropertySheet sheet(CMainPropertySheet::Look::Tabs, IDB_TAB_IMAGES, 32);
    sheet.OnInitDialog();
    sheet.TabWidget()->setCurrentIndex(1);
    QStringList boxes;
    const MessageBoxGuard box([&](const QString&, const QString& text) {
        boxes << text;
        return 1;
    });
    QList<FilePrompt> prompts;
    const FilePromptGuard prompt([&](const FilePrompt& p) -> std::optional<QString> {
        prompts << p;
        return std::nullopt;
    });
    sheet.m_slideShowPage.OnCmdMsg(IDC_SAVE_LIST);
    sheet.m_slideShowPage.OnCmdMsg(IDC_OPEN_LIST);
    sheet.m_designPage.OnCmdMsg(IDC_SAVE_AS_JPG);
    sheet.m_designPage.OnCmdMsg(ID_FILE_OPEN);
    EXPECT_EQ(boxes, QStringList{"Eine leere Liste kann nicht gespeichert werden."});
    ASSERT_EQ(prompts.size(), 3);
    EXPECT_EQ(prompts[0].title, "Öffnen");
    EXPECT_EQ(ConvertFileFilter(prompts[0].filter), QStringList{"Diashow-Liste (*.lsl)"});
    EXPECT_EQ(ConvertFileFilter(prompts[1].filter), QStringList{"JPEG-Bild (*.jpg)"});
    EXPECT_EQ(ConvertFileFilter(prompts[2].filter),
              (QStringList{"Quilvane-Gestaltungen (*.qvdesign)", "Alle Dateien (*)"}));

    // The reasons a design cannot be opened come from the window-free layer,
    // in German too.
    const QString missing = QDir::temp().filePath("quilvane-no-such-design.qvdesign");
    EXPECT_EQ(ReadDesignFile(missing).error,
              QDir::toNativeSeparators(missing) + " kann nicht geöffnet werden: sie existiert nicht.");
}

TEST(GermanTranslation, TheTranslationFileIsFinishedAndKeepsPlaceholdersKeysAndPatterns)
{
    QFile file(QUILVANE_SOURCE_DIR "/res/translations/quilvane_de.ts");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    int messages = 0;
    const QRegularExpression placeholder(QStringLiteral("%\\d+"));
    const auto placeholders = [&](const QString& text) {
        QStringList found;
        for (const QRegularExpressionMatch& m : placeholder.globalMatch(text))
            found << m.captured();
        found.sort();
        return found;
    };
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"source") {
            source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            ++messages;
            const QString type = xml.attributes().value("type").toString();
            const QString text = xml.readElementText();
            SCOPED_TRACE(QString(context + ": " + source).toStdString());
            EXPECT_TRUE(type.isEmpty()) << type.toStdString();
            EXPECT_FALSE(text.isEmpty());
            EXPECT_EQ(placeholders(text), placeholders(source));
            EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("&(?!&)"))),
                      source.count(QRegularExpression(QStringLiteral("&(?!&)"))))
                << "an access key more or less: " << text.toStdString();
            if (source.contains(u'|')) {
                EXPECT_EQ(text.section(u'|', 1), source.section(u'|', 1)) << "the patterns of a file filter";
            }
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(messages, 100);
}
