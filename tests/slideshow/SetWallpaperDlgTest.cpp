// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The slide-show page on real widgets: start-up state, the file list, the
// slide list editing, the frequency and Play/Stop, list files and drops.
// Wallpapers go to a recording back end and slide-show ticks to a recording
// setter; prompts and message boxes are answered through their hooks.

#include "slideshow/SetWallpaperDlg.h"
#include "core/RegConfig.h"
#include "core/SlideShowManager.h"
#include "core/WallPaperManager.h"
#include "res/Resource.h"
#include "support/FileSizeLimit.h"
#include "support/FocusChecks.h"
#include "support/HookGuards.h"
#include "support/RecordingDesktop.h"
#include "support/SlideShowPageControls.h"
#include "support/StalledDesktop.h"
#include "support/StderrCapture.h"
#include "widgets/DialogBuilder.h"
#include "widgets/FilePrompts.h"
#include "widgets/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <climits>
#include <deque>
#include <memory>

namespace {

struct PageFixture : ::testing::Test, SlideShowControls {
    void SetUp() override
    {
        m_oldCwd = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
        WallPaperManager::StaticCreate();
        WallPaperManager::GetInstance()->SetBackend(std::make_unique<RecordingDesktop>(&wallpapers));
        SlideShowManager::StaticCreate();
        SlideShowManager::GetInstance()->SetWallpaperSetter([this](const QString& path, int style) {
            ticks << QStringLiteral("%1 %2").arg(QFileInfo(path).fileName()).arg(style);
            return WallPaperManager::Result::Shown;
        });
        m_boxes.emplace([this](const QString&, const QString& text) {
            boxes << text;
            return IDOK;
        });
        m_prompts.emplace([this](const FilePrompt& p) -> std::optional<QString> {
            prompts.push_back(p);
            if (answers.empty())
                return std::nullopt;
            const std::optional<QString> a = answers.front();
            answers.pop_front();
            return a;
        });
    }
    void TearDown() override
    {
        page.reset();
        RegConfig::StaticDestroy();
        m_prompts.reset();
        m_boxes.reset();
        SlideShowManager::StaticDestroy();
        WallPaperManager::StaticDestroy();
        QDir::setCurrent(m_oldCwd);
    }

    CSetWallpaperDlg& Open()
    {
        page = std::make_unique<CSetWallpaperDlg>();
        page->Create();
        page->show();
        return *page;
    }

    // A picture whose width tells it apart in the preview (an empty file
    // when width is 0: listing looks only at names).
    QString File(const QString& relative, int width = 0)
    {
        const QString path = dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        if (width > 0) {
            QImage image(width, 10, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            EXPECT_TRUE(image.save(path, QFileInfo(path).suffix().toLower() == "bmp" ? "BMP" : "PNG"));
        } else {
            QFile f(path);
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        }
        return path;
    }

    QStringList Entries(const CListBox& list) const
    {
        QStringList out;
        for (int i = 0; i < list.GetCount(); ++i)
            out << list.GetText(i);
        return out;
    }

    // Ticks and "Set Wallpaper" change the desktop off the window's thread:
    // waits until both managers have reported back.
    static void WaitForChanges()
    {
        QTRY_VERIFY_WITH_TIMEOUT(
            !WallPaperManager::GetInstance()->IsChanging() && !SlideShowManager::GetInstance()->IsChanging(), 20000);
    }

    void Click(int id) { QTest::mouseClick(GetDlgItemAs<QAbstractButton>(page.get(), id), Qt::LeftButton); }

    void SetSlides(const QStringList& entries)
    {
        Slides(page.get()).ResetContent();
        for (const QString& e : entries)
            Slides(page.get()).AddString(e);
    }

    QTemporaryDir dir;
    std::unique_ptr<CSetWallpaperDlg> page;
    std::vector<RecordingDesktop::Shown> wallpapers;
    QStringList ticks;
    QStringList boxes;
    std::vector<FilePrompt> prompts;
    std::deque<std::optional<QString>> answers;

private:
    QString m_oldCwd;
    std::optional<MessageBoxGuard> m_boxes;
    std::optional<FilePromptGuard> m_prompts;
};

} // namespace

TEST_F(PageFixture, StartsWithoutAWallpaperFolder)
{
    CSetWallpaperDlg& p = Open();
    EXPECT_EQ(FolderEdit(&p).text(), "wallpaper/");
    EXPECT_FALSE(FolderEdit(&p).isEnabled());
    EXPECT_EQ(Files(&p).GetCount(), 0);
    EXPECT_EQ(Files(&p).GetCurSel(), -1);
    EXPECT_FALSE(Preview(&p).m_image.IsValid());

    QStringList types;
    for (int i = 0; i < ShowType(&p).count(); ++i)
        types << ShowType(&p).itemText(i);
    EXPECT_EQ(types, (QStringList{"CENTER", "TILE", "STRETCH"}));
    EXPECT_EQ(ShowType(&p).currentIndex(), 0);
    EXPECT_EQ(ShowType(&p).currentText(), "CENTER");
    EXPECT_EQ(FrequencySlider(&p).minimum(), 1);
    EXPECT_EQ(FrequencySlider(&p).maximum(), 60);
    EXPECT_EQ(FrequencySlider(&p).value(), 5);
    EXPECT_EQ(Frequency(&p).text(), "5");
    EXPECT_EQ(Units(&p).count(), 1);
    EXPECT_EQ(Units(&p).currentText(), "Seconds");
    EXPECT_FALSE(Random(&p).isChecked());
    EXPECT_EQ(PlayStop(&p).text(), "Play");
}

TEST_F(PageFixture, FileListComesPatternByPatternInNameOrder)
{
    // The folder the design page writes into, whatever its letter case.
    File("WallPaper/b.BMP", 40);
    File("WallPaper/a.png");
    File("WallPaper/C.jpg");
    File("WallPaper/a.bmp", 30);
    File("WallPaper/b.jpeg");
    File("WallPaper/notes.txt");
    File("WallPaper/x.gif");
    File("WallPaper/y.dib");
    QDir().mkpath(dir.filePath("WallPaper/folder.jpg"));

    CSetWallpaperDlg& p = Open();
    EXPECT_EQ(FolderEdit(&p).text(), "WallPaper/");
    const QString base = dir.filePath("WallPaper/");
    EXPECT_EQ(Entries(Files(&p)), (QStringList{base + "a.bmp", base + "b.BMP", base + "C.jpg", base + "b.jpeg",
                                               base + "x.gif", base + "y.dib", base + "a.png"}));
    EXPECT_EQ(Files(&p).GetCurSel(), 0);
    EXPECT_EQ(Preview(&p).m_image.GetWidth(), 30) << "the first entry is previewed at once";
    EXPECT_EQ(p.focusWidget(), &Files(&p));

    // Without the desktop's support for other types, only bitmaps, when the
    // folder is read again.
    WallPaperManager::GetInstance()->SetSupportActiveDesktopOverride(false);
    answers.push_back(dir.filePath("WallPaper"));
    Click(IDC_BROWSE_FOLDER);
    EXPECT_EQ(Entries(Files(&p)), (QStringList{base + "a.bmp", base + "b.BMP"}));

    // A click on an entry previews it, once the list has taken the click.
    CListBox& files = Files(&p);
    QTest::mouseClick(files.viewport(), Qt::LeftButton, {}, files.visualItemRect(files.item(1)).center());
    QTRY_COMPARE(Preview(&p).m_image.GetWidth(), 40);
}

TEST_F(PageFixture, BrowsingForAFolder)
{
    File("photos/p.png", 25);
    CSetWallpaperDlg& p = Open();
    answers.push_back(std::nullopt);
    Click(IDC_BROWSE_FOLDER);
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].kind, FilePrompt::Kind::Folder);
    EXPECT_EQ(prompts[0].title, "Browse for Images");
    EXPECT_EQ(FolderEdit(&p).text(), "wallpaper/") << "cancelling changes nothing";

    answers.push_back(dir.filePath("photos"));
    Click(IDC_BROWSE_FOLDER);
    EXPECT_EQ(FolderEdit(&p).text(), dir.filePath("photos") + "/");
    EXPECT_EQ(Entries(Files(&p)), QStringList{dir.filePath("photos/p.png")});
    EXPECT_EQ(Preview(&p).m_image.GetWidth(), 25);
}

TEST_F(PageFixture, EditingTheSlideList)
{
    const QString a = File("wallpaper/a.png", 11);
    const QString b = File("wallpaper/b.png", 12);
    CSetWallpaperDlg& p = Open();
    CListBox& slides = Slides(&p);

    Click(IDC_ADD_TO_LIST);
    Click(IDC_ADD_TO_LIST);
    EXPECT_EQ(Entries(slides), (QStringList{a, a})) << "the same picture twice";
    EXPECT_EQ(slides.GetCurSel(), 1);
    Files(&p).SetCurSel(1);
    Click(IDC_ADD_TO_LIST);
    EXPECT_EQ(Entries(slides), (QStringList{a, a, b}));
    EXPECT_EQ(slides.GetCurSel(), 2);
    EXPECT_EQ(Preview(&p).m_image.GetWidth(), 11) << "adding does not preview";

    // Up and Down carry the item data and preview the moved picture; Down
    // on the last and Up on the first do nothing.
    slides.SetItemData(2, 77);
    Click(IDC_MOVE_DOWN);
    EXPECT_EQ(Entries(slides), (QStringList{a, a, b}));
    Click(IDC_MOVE_UP);
    EXPECT_EQ(Entries(slides), (QStringList{a, b, a}));
    EXPECT_EQ(slides.GetCurSel(), 1);
    EXPECT_EQ(slides.GetItemData(1), 77);
    EXPECT_EQ(Preview(&p).m_image.GetWidth(), 12);
    Click(IDC_MOVE_UP);
    EXPECT_EQ(Entries(slides), (QStringList{b, a, a}));
    Click(IDC_MOVE_UP);
    EXPECT_EQ(Entries(slides), (QStringList{b, a, a}));
    EXPECT_EQ(slides.GetItemData(0), 77);
    Click(IDC_MOVE_DOWN);
    EXPECT_EQ(Entries(slides), (QStringList{a, b, a}));

    Click(IDC_REMOVE);
    EXPECT_EQ(Entries(slides), (QStringList{a, a}));
    EXPECT_EQ(slides.GetCurSel(), -1) << "nothing selected after Remove";
    Click(IDC_REMOVE);
    EXPECT_EQ(slides.GetCount(), 2) << "Remove without a selection does nothing";
    Click(IDC_REMOVE_ALL);
    EXPECT_EQ(slides.GetCount(), 0);
}

TEST_F(PageFixture, SetWallpaperUsesTheSlideSelectionAndTheShowType)
{
    const QString a = File("wallpaper/a.png", 11);
    CSetWallpaperDlg& p = Open();
    Click(IDC_SET_WALLPAPER);
    WaitForChanges();
    EXPECT_TRUE(wallpapers.empty()) << "a file-list selection alone sets nothing";

    Click(IDC_ADD_TO_LIST);
    const struct {
        int index;
        const char* typed; // text typed into the show type's edit field, or null
        WallpaperStyle expected;
    } cases[] = {{0, nullptr, WallpaperStyle::Centre},
                 {1, nullptr, WallpaperStyle::Tile},
                 {2, nullptr, WallpaperStyle::Stretch},
                 {1, "TILES", WallpaperStyle::Centre}};
    for (const auto& c : cases) {
        wallpapers.clear();
        ShowType(&p).setCurrentIndex(c.index);
        if (c.typed)
            ShowType(&p).setEditText(c.typed);
        Click(IDC_SET_WALLPAPER);
        WaitForChanges();
        EXPECT_EQ(wallpapers, (std::vector<RecordingDesktop::Shown>{{a, c.expected}})) << c.index;
    }
}

TEST_F(PageFixture, APageWhoseDesktopHangsStaysLive)
{
    StalledDesktop::State desktop;
    WallPaperManager::GetInstance()->SetBackend(std::make_unique<StalledDesktop>(&desktop));
    SlideShowManager::GetInstance()->SetWallpaperSetter(nullptr);
    File("wallpaper/a.png", 11);
    File("wallpaper/b.png", 12);
    CSetWallpaperDlg& p = Open();
    Click(IDC_ADD_TO_LIST);
    Click(IDC_SET_WALLPAPER);
    ASSERT_TRUE(desktop.entered.tryAcquire(1, StalledDesktop::kGiveUpMs)) << "the change never reached the desktop";

    // While the desktop hangs: the page answers, takes clicks and typing,
    // and the show's ticks neither wait nor pile up behind the change.
    EXPECT_LT(MedianEventLoopAnswerMs(20), 30.0);
    Files(&p).SetCurSel(1);
    Click(IDC_ADD_TO_LIST);
    EXPECT_EQ(Slides(&p).GetCount(), 2);
    Frequency(&p).clear();
    QTest::keyClicks(&Frequency(&p), "7");
    EXPECT_EQ(Frequency(&p).text(), "7");
    // The tick's change waits its turn behind the hung one, off the page's
    // thread; the next tick finds it still running and is skipped.
    Click(IDC_PLAY_STOP);
    Tick(&p);
    EXPECT_TRUE(SlideShowManager::GetInstance()->IsChanging());
    Tick(&p);
    EXPECT_LT(MedianEventLoopAnswerMs(5), 30.0);

    desktop.release.release();
    ASSERT_TRUE(desktop.entered.tryAcquire(1, StalledDesktop::kGiveUpMs)) << "the tick did not start its change";
    desktop.release.release();
    WaitForChanges();
    EXPECT_EQ(desktop.calls, 2) << "one change for two ticks";
    EXPECT_FALSE(desktop.gaveUp);
    Click(IDC_PLAY_STOP);
}

TEST_F(PageFixture, HorizontalExtentFollowsTheLongestEntry)
{
    CSetWallpaperDlg& p = Open();
    CListBox& slides = Slides(&p);
    SetSlides({"a", "bb"});
    Click(IDC_ADD_TO_LIST); // nothing selected in the (empty) file list
    EXPECT_EQ(slides.GetCount(), 2);
    EXPECT_EQ(slides.GetHorizontalExtent(), 0) << "entries of 100 pixels or less leave the extent";

    const QString wide(80, u'W');
    SetSlides({"a", wide, "b"});
    Click(IDC_ADD_TO_LIST);
    const int extent = QFontMetrics(slides.font()).horizontalAdvance(wide) + 3 + 20;
    EXPECT_EQ(slides.GetHorizontalExtent(), extent) << "Add recomputes the extent even when it adds nothing";
    SetSlides({"a"});
    Click(IDC_ADD_TO_LIST);
    EXPECT_EQ(slides.GetHorizontalExtent(), extent) << "a shorter list does not shrink it";
}

TEST_F(PageFixture, FrequencyAndPlayStop)
{
    CSetWallpaperDlg& p = Open();
    const SlideShowManager* show = SlideShowManager::GetInstance();
    Click(IDC_PLAY_STOP);
    EXPECT_EQ(PlayStop(&p).text(), "Stop");
    EXPECT_TRUE(Timer(&p).isActive());
    EXPECT_EQ(Timer(&p).interval(), 5000);
    EXPECT_TRUE(show->IsRunning());
    EXPECT_FALSE(show->IsRandom());
    EXPECT_EQ(show->Style(), 0);
    Click(IDC_PLAY_STOP);
    EXPECT_EQ(PlayStop(&p).text(), "Play");
    EXPECT_FALSE(Timer(&p).isActive());
    EXPECT_FALSE(show->IsRunning());

    // The trackbar's right end shows 60, and its tool tip follows.
    FrequencySlider(&p).setFocus();
    QTest::keyClick(&FrequencySlider(&p), Qt::Key_End);
    EXPECT_EQ(Frequency(&p).text(), "60");
    EXPECT_EQ(FrequencySlider(&p).toolTip(), "60");

    const std::pair<const char*, int> periods[] = {
        {"60", 60000},
        {"90", 90000},
        {"12abc", 12000},
        {" 7", 7000},
        {"abc", 1000},
        {"", 1000},
        {"0", 1000},
        {"-3", 1000},
        {"2147483", 2147483000},
        {"99999999999", INT_MAX},
    };
    for (const auto& [text, period] : periods) {
        Frequency(&p).setText(text);
        Click(IDC_PLAY_STOP);
        EXPECT_TRUE(Timer(&p).isActive()) << text;
        EXPECT_EQ(Timer(&p).interval(), period) << text;
        Click(IDC_PLAY_STOP);
    }
}

TEST_F(PageFixture, SettingsChangedWhilePlayingWaitForTheNextStart)
{
    const QString a = File("wallpaper/a.png", 11);
    CSetWallpaperDlg& p = Open();
    const SlideShowManager* show = SlideShowManager::GetInstance();
    Click(IDC_ADD_TO_LIST);
    ShowType(&p).setCurrentIndex(2);
    Click(IDC_PLAY_STOP);
    ShowType(&p).setCurrentIndex(1);
    Random(&p).setChecked(true);
    Frequency(&p).setText("9");
    Tick(&p);
    WaitForChanges();
    EXPECT_EQ(ticks, QStringList{"a.png 2"}) << "the style given at the start";
    EXPECT_EQ(Timer(&p).interval(), 5000) << "the period given at the start";
    EXPECT_FALSE(show->IsRandom());
    Click(IDC_PLAY_STOP);
    EXPECT_FALSE(Timer(&p).isActive());
    EXPECT_FALSE(show->IsRunning());
    Click(IDC_PLAY_STOP);
    EXPECT_EQ(Timer(&p).interval(), 9000);
    EXPECT_TRUE(show->IsRandom());
    EXPECT_EQ(show->Style(), 1);

    // Remove All keeps the show running on the now empty list.
    Click(IDC_REMOVE_ALL);
    ticks.clear();
    Tick(&p);
    WaitForChanges();
    EXPECT_TRUE(ticks.isEmpty());
    EXPECT_EQ(PlayStop(&p).text(), "Stop");
    EXPECT_TRUE(show->IsRunning());
    Click(IDC_ADD_TO_LIST);
    Tick(&p);
    WaitForChanges();
    EXPECT_EQ(ticks, QStringList{"a.png 1"});
}

TEST_F(PageFixture, TheTimerTicksIntoTheManager)
{
    File("wallpaper/a.png", 11);
    File("wallpaper/b.png", 12);
    CSetWallpaperDlg& p = Open();
    Click(IDC_ADD_TO_LIST);
    Files(&p).SetCurSel(1);
    Click(IDC_ADD_TO_LIST);
    Frequency(&p).setText("1");
    Click(IDC_PLAY_STOP);
    QTRY_COMPARE_WITH_TIMEOUT(ticks.size(), 2, 5000);
    WaitForChanges();
    EXPECT_EQ(ticks, (QStringList{"a.png 0", "b.png 0"}));
    Click(IDC_PLAY_STOP);
}

TEST_F(PageFixture, SavingLists)
{
    Open();
    Click(IDC_SAVE_LIST);
    EXPECT_EQ(boxes, QStringList{"Can not save empty list."});
    EXPECT_TRUE(prompts.empty()) << "no dialog for an empty list";

    const QString list = dir.filePath("one.lsl");
    SetSlides({"/photos/beach.jpg"});
    answers.push_back(list);
    Click(IDC_SAVE_LIST);
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].kind, FilePrompt::Kind::Save);
    EXPECT_EQ(prompts[0].filter, "*.lsl| *.lsl||");
    EXPECT_EQ(prompts[0].defaultExt, ".lsl");
    QFile f(list);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("1\r\n/photos/beach.jpg\r\n")) << "exactly two lines";
    f.close();

    // A write that fails keeps the old file and says so.
    boxes.clear();
    SetSlides({QString(300, u'p'), "/b"});
    answers.push_back(list);
    {
        FileSizeLimit limit(40);
        ASSERT_TRUE(limit.active());
        const StderrCapture quiet;
        Click(IDC_SAVE_LIST);
    }
    EXPECT_EQ(boxes, QStringList{"Can not open file!"});
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("1\r\n/photos/beach.jpg\r\n"));
}

TEST_F(PageFixture, ListDialogsStartInTheWallpaperFolderThenWhereTheLastListWas)
{
    RegConfig::StaticCreate();
    RegConfig::GetInstance()->SetFilePath(dir.filePath("settings.json"));
    QDir().mkpath(dir.filePath("kept"));
    QDir().mkpath(dir.filePath("other"));
    Open();
    SetSlides({"/photos/beach.jpg"});
    answers.push_back(dir.filePath("kept/one.lsl"));
    Click(IDC_SAVE_LIST);
    answers.push_back(std::nullopt);
    Click(IDC_OPEN_LIST);
    ASSERT_EQ(prompts.size(), 2u);
    EXPECT_EQ(QFileInfo(prompts[0].directory).absoluteFilePath(), dir.filePath("wallpaper")) << "nothing saved yet";
    EXPECT_EQ(QDir::cleanPath(prompts[1].directory), dir.filePath("kept")) << "where the last list was saved";

    // Opened from elsewhere: the next dialogs start there, in the next
    // session too.
    QFile::copy(dir.filePath("kept/one.lsl"), dir.filePath("other/two.lsl"));
    answers.push_back(dir.filePath("other/two.lsl"));
    Click(IDC_OPEN_LIST);
    ASSERT_TRUE(RegConfig::GetInstance()->SaveData());
    RegConfig::GetInstance()->ReadData();
    Open();
    SetSlides({"/photos/beach.jpg"});
    answers.push_back(std::nullopt);
    Click(IDC_SAVE_LIST);
    EXPECT_EQ(QDir::cleanPath(prompts.back().directory), dir.filePath("other"));
}

TEST_F(PageFixture, KeyboardFocusShowsOnBothLists)
{
    File("wallpaper/a.png", 11);
    CSetWallpaperDlg& p = Open();
    p.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&p));
    CListBox* files = &Files(&p);
    CListBox* slides = &Slides(&p);
    for (CListBox* focused : {slides, files}) {
        focused->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(FocusShown(files), focused == files);
        EXPECT_EQ(FocusShown(slides), focused == slides);
    }
    Frequency(&p).setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(FocusShown(files));
    EXPECT_FALSE(FocusShown(slides));
}

TEST_F(PageFixture, OpeningLists)
{
    const QString a = File("wallpaper/a.png", 11);
    const QString b = File("wallpaper/b.png", 12);
    CSetWallpaperDlg& p = Open();
    const auto openFile = [&](const QByteArray& bytes) {
        const QString path = dir.filePath("list.lsl");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        answers.push_back(path);
        Click(IDC_OPEN_LIST);
    };

    openFile("3\r\n" + b.toUtf8() + "\r\n" + a.toUtf8() + "\r\n");
    EXPECT_EQ(Entries(Slides(&p)), (QStringList{b, a}));
    EXPECT_EQ(Slides(&p).GetCurSel(), 0);
    EXPECT_EQ(Preview(&p).m_image.GetWidth(), 12) << "the first entry is previewed";
    EXPECT_EQ(prompts.back().kind, FilePrompt::Kind::Open);
    EXPECT_EQ(prompts.back().filter, "*.lsl| *.lsl||");

    for (const char* first : {"0", "-2", "text"}) {
        SetSlides({a});
        openFile(QByteArray(first) + "\n" + a.toUtf8() + "\n");
        EXPECT_EQ(Slides(&p).GetCount(), 0) << first;
    }

    // A name that is not UTF-8 comes back byte for byte when saved again.
    const QByteArray odd = "3\r\n/photos/caf\xe9.jpg\r\n/p/\xff<b>&amp;.png\r\n\r\n";
    openFile(odd);
    EXPECT_EQ(Slides(&p).GetCount(), 3);
    answers.push_back(dir.filePath("again.lsl"));
    Click(IDC_SAVE_LIST);
    QFile again(dir.filePath("again.lsl"));
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), odd);

    // A file that cannot be opened leaves the list as it was; the name shows
    // as it is spelled.
    const QStringList before = Entries(Slides(&p));
    const QString missing = dir.filePath("<b>gone</b> & lost.lsl");
    answers.push_back(missing);
    Click(IDC_OPEN_LIST);
    EXPECT_EQ(boxes, QStringList{"Can not open " + missing + "."});
    EXPECT_EQ(Entries(Slides(&p)), before);

    answers.push_back(std::nullopt);
    Click(IDC_OPEN_LIST);
    EXPECT_EQ(Entries(Slides(&p)), before) << "a cancelled dialog changes nothing";
}

TEST_F(PageFixture, PicturesDroppedFromAFileManagerAreAppended)
{
    const QString a = File("drop/a.png", 11);
    const QString b = File("drop/b.jpg");
    const QString text = File("drop/readme.txt");
    CSetWallpaperDlg& p = Open();
    SetSlides({"/first.png"});

    QMimeData data;
    QWidget* target = Slides(&p).viewport();
    data.setUrls({QUrl::fromLocalFile(text)});
    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &refused);
    EXPECT_FALSE(refused.isAccepted()) << "nothing to take from a drag without pictures";

    data.setUrls(
        {QUrl::fromLocalFile(a), QUrl::fromLocalFile(text), QUrl::fromLocalFile(b), QUrl("https://example.org/c.png")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(Entries(Slides(&p)), (QStringList{"/first.png", a, b}));
    EXPECT_EQ(Slides(&p).GetCurSel(), 2);
}
