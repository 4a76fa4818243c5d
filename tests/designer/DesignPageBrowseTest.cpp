// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The design page's folder tree, photo list and preview, through the real
// widgets.

#include "res/Resource.h"
#include "support/DesignPageFixture.h"
#include "support/FocusChecks.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTest>
#include <QTimer>

namespace {

class DesignBrowseTest : public DesignPageFixture {
protected:
    void PreparePictures() override
    {
        // Every pattern in some case, a folder named like a picture, and
        // entries that are no pictures.
        WritePicture(Pictures() + "/IMG_0001.JPG", {64, 48});
        WritePicture(Pictures() + "/Photo.Png", {30, 20}, 0x80FF0000, QImage::Format_ARGB32);
        WritePicture(Pictures() + "/b.jpeg", {10, 12}, 0xFF808080, QImage::Format_Grayscale8);
        WritePicture(Pictures() + "/c.bmp", {8, 8});
        WritePicture(Pictures() + "/d.DIB", {8, 8});
        QDir().mkpath(Pictures() + "/album.jpg");
        QDir().mkpath(Pictures() + "/sub");
        WritePicture(Pictures() + "/sub/hidden-away.png", {8, 8});
        QFile notes(Pictures() + "/notes.txt");
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    }

    QStringList Listed() const
    {
        QStringList items;
        for (int i = 0; i < PhotoList().GetCount(); ++i)
            items << PhotoList().GetText(i);
        return items;
    }

    void Click(int row)
    {
        CListBox& list = PhotoList();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
    }
};

} // namespace

TEST_F(DesignBrowseTest, StartsOnTheRememberedFolderAndListsItsPicturesSorted)
{
    const QString folder = Pictures() + "/";
    EXPECT_EQ(DesignPageControls::SelectedFolder(page.get()), Pictures());
    EXPECT_EQ(RegConfig::GetInstance()->m_strFolder, folder) << "stored with the separator";
    EXPECT_EQ(Listed(), (QStringList{folder + "album.jpg", folder + "b.jpeg", folder + "c.bmp", folder + "d.DIB",
                                     folder + "IMG_0001.JPG", folder + "Photo.Png"}));
    EXPECT_EQ(PhotoList().GetCurSel(), -1);
    EXPECT_EQ(Label(IDC_PHOTO_WIDTH), "Width");
    EXPECT_NE(Label(IDC_BACKGROUND_WIDTH), "Static");
    EXPECT_EQ(Label(IDC_BACKGROUND_WIDTH), QStringLiteral("Background Width : %1").arg(scene->GetSceneGraphWidth()));
    EXPECT_EQ(Label(IDC_BACKGROUND_HEIGHT), QStringLiteral("Background Height : %1").arg(scene->GetSceneGraphHeight()));

    // Choosing another folder in the tree lists that one and remembers it.
    DesignPageControls::ChooseFolder(page.get(), Pictures() + "/sub");
    EXPECT_EQ(Listed(), QStringList{folder + "sub/hidden-away.png"});
    EXPECT_EQ(RegConfig::GetInstance()->m_strFolder, folder + "sub/");
}

TEST_F(DesignBrowseTest, ATreeItemWithoutAPathStoresAnEmptyFolderAndKeepsTheList)
{
    const QStringList before = Listed();
    ASSERT_FALSE(before.isEmpty());
    FolderTree().setCurrentIndex(QModelIndex());
    EXPECT_EQ(RegConfig::GetInstance()->m_strFolder, QString());
    EXPECT_EQ(Listed(), before);
}

TEST_F(DesignBrowseTest, TheFolderGetsOneTrailingSeparator)
{
    // A folder chosen in the tree is listed and remembered with one
    // separator; the root, which has its separator already, gets no second.
    for (const QString& given : QStringList{Pictures() + "/sub", Pictures(), QDir::rootPath()}) {
        SCOPED_TRACE(given.toStdString());
        DesignPageControls::ChooseFolder(page.get(), given);
        const QString folder = given.endsWith(u'/') ? given : given + u'/';
        EXPECT_EQ(RegConfig::GetInstance()->m_strFolder, folder);
        if (given != QDir::rootPath()) {
            EXPECT_FALSE(Listed().isEmpty());
        }
        for (const QString& listed : Listed())
            EXPECT_EQ(listed.left(listed.lastIndexOf(u'/') + 1), folder) << listed.toStdString();
    }
}

TEST_F(DesignBrowseTest, TheExtentFollowsOnlyPathsWiderThanAHundredPixels)
{
    // A font small enough that the paths of one folder measure under 100
    // pixels; the extent set before stays.
    WritePicture(Path("s/a.png"), {4, 4});
    CListBox& list = PhotoList();
    const QFont normal = list.font();
    QFont tiny = normal;
    tiny.setPixelSize(1);
    list.setFont(tiny);
    list.SetHorizontalExtent(555);
    DesignPageControls::ChooseFolder(page.get(), Path("s"));
    ASSERT_EQ(list.GetCount(), 1);
    ASSERT_LE(QFontMetrics(list.font()).horizontalAdvance(list.GetText(0)) + 3, 100);
    EXPECT_EQ(list.GetHorizontalExtent(), 555) << "kept from before";

    list.setFont(normal);
    DesignPageControls::ChooseFolder(page.get(), Pictures());
    const QString longest = Pictures() + "/IMG_0001.JPG"; // the first of the longest, in pattern order
    EXPECT_EQ(list.GetHorizontalExtent(), QFontMetrics(list.font()).horizontalAdvance(longest) + 3 + 20);
}

TEST_F(DesignBrowseTest, SelectingAPhotoShowsItAndItsOwnValues)
{
    // Clicks, then the arrow keys, as a user goes through a folder.
    const struct {
        int row;
        const char* width;
        const char* height;
        const char* type;
    } steps[] = {
        {4, "Width : 64", "Height : 48", "Type : 24"}, // IMG_0001.JPG
        {5, "Width : 30", "Height : 20", "Type : 32"}, // Photo.Png, with alpha
        {1, "Width : 10", "Height : 12", "Type : 8"},  // b.jpeg, grey
    };
    for (const auto& step : steps) {
        Click(step.row);
        EXPECT_EQ(PhotoList().GetCurSel(), step.row);
        EXPECT_EQ(Label(IDC_PHOTO_WIDTH), step.width);
        EXPECT_EQ(Label(IDC_PHOTO_HEIGHT), step.height);
        EXPECT_EQ(Label(IDC_PHOTO_TYPE), step.type);
    }
    PhotoList().setFocus();
    QTest::keyClick(&PhotoList(), Qt::Key_Down);
    EXPECT_EQ(PhotoList().GetCurSel(), 2);
    EXPECT_EQ(Label(IDC_PHOTO_WIDTH), "Width : 8");
    EXPECT_TRUE(Preview().m_image.IsValid());

    // The folder named like a picture is listed; selecting it shows what an
    // empty picture reports.
    Click(0);
    EXPECT_EQ(PhotoList().GetCurSel(), 0);
    EXPECT_FALSE(Preview().m_image.IsValid());
    EXPECT_EQ(Label(IDC_PHOTO_WIDTH), "Width : 0");
}

TEST_F(DesignBrowseTest, AnotherFolderClearsThePreviewOfAPhotoNoLongerListed)
{
    Click(4); // IMG_0001.JPG
    ASSERT_TRUE(Preview().m_image.IsValid());
    ASSERT_EQ(Label(IDC_PHOTO_WIDTH), "Width : 64");

    DesignPageControls::ChooseFolder(page.get(), Pictures() + "/sub");
    ASSERT_EQ(PhotoList().GetCount(), 1);
    EXPECT_EQ(PhotoList().GetCurSel(), -1);
    EXPECT_FALSE(Preview().m_image.IsValid()) << "the preview shows its empty face";
    EXPECT_EQ(Label(IDC_PHOTO_WIDTH), "Width");
    EXPECT_EQ(Label(IDC_PHOTO_HEIGHT), "Height");
    EXPECT_EQ(Label(IDC_PHOTO_TYPE), "Type");

    // The new folder's photos preview as before.
    Click(0);
    EXPECT_EQ(Label(IDC_PHOTO_WIDTH), "Width : 8");
    EXPECT_TRUE(Preview().m_image.IsValid());
}

TEST_F(DesignBrowseTest, KeyboardFocusShowsOnTheTreeTheListAndTheCanvas)
{
    page->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
    QWidget* const canvas = &Canvas();
    QWidget* const controls[] = {&FolderTree(), &PhotoList(), canvas};
    const auto onlyShownOn = [&](const QWidget* focused) {
        for (const QWidget* control : controls)
            EXPECT_EQ(FocusShown(control), control == focused) << control->objectName().toStdString();
    };
    // The page's own focus is the canvas's: its keys act on the design.
    page->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(QApplication::focusWidget(), canvas);
    onlyShownOn(canvas);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), canvas);
    FolderTree().setFocus(Qt::TabFocusReason);
    onlyShownOn(&FolderTree());
    PhotoList().setFocus(Qt::TabFocusReason);
    onlyShownOn(&PhotoList());
    // A click on the canvas gives it the focus, as the page forwards it (the
    // menu the right button opens is closed at once).
    QTimer::singleShot(0, page.get(), [] {
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close();
    });
    QTest::mouseClick(page->windowHandle(), Qt::RightButton, {}, canvas->geometry().center());
    page->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
    EXPECT_EQ(QApplication::focusWidget(), canvas);
    onlyShownOn(canvas);

    // Tab goes through the template's tab stops, never the canvas.
    FolderTree().setFocus(Qt::TabFocusReason);
    QTest::keyClick(&FolderTree(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), GetDlgItem(page.get(), IDC_CHANGE_BACKGROUND));
}

namespace {

// A page started with a remembered folder of the test's choosing; the user's
// Pictures folder is the fixture's pictures folder.
class DesignStartTest : public DesignPageFixture {
protected:
    void PreparePictures() override
    {
        WritePicture(Pictures() + "/start.png", {8, 8});
        QFile dirs(qEnvironmentVariable("XDG_CONFIG_HOME") + "/user-dirs.dirs");
        ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
        dirs.write("XDG_PICTURES_DIR=\"" + Pictures().toUtf8() + "\"\n");
    }
    void TearDown() override
    {
        DesignPageFixture::TearDown();
        QFile::remove(qEnvironmentVariable("XDG_CONFIG_HOME") + "/user-dirs.dirs");
    }
    QString RememberedFolder() const override { return remembered; }

    static inline QString remembered;
};

class DesignFirstRunTest : public DesignStartTest {
protected:
    void SetUp() override
    {
        remembered.clear();
        DesignStartTest::SetUp();
    }
};

class DesignFolderGoneTest : public DesignStartTest {
protected:
    void SetUp() override
    {
        remembered = QStringLiteral("/no/such/folder/any/more/");
        DesignStartTest::SetUp();
    }
};

} // namespace

TEST_F(DesignFirstRunTest, StartsInThePicturesFolder)
{
    EXPECT_EQ(DesignPageControls::SelectedFolder(page.get()), Pictures());
    EXPECT_EQ(RegConfig::GetInstance()->m_strFolder, Pictures() + "/");
    EXPECT_EQ(PhotoList().GetCount(), 1);
}

TEST_F(DesignFolderGoneTest, AFolderThatIsNotThereSelectsNothingAndStaysRemembered)
{
    EXPECT_FALSE(FolderTree().currentIndex().isValid());
    EXPECT_EQ(RegConfig::GetInstance()->m_strFolder, "/no/such/folder/any/more/");
    EXPECT_EQ(PhotoList().GetCount(), 0);
}
