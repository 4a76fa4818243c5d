// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The design page's scene commands, context menus, keys, mouse forwarding
// and drops, through the real widgets.

#include "res/Resource.h"
#include "support/DesignPageFixture.h"
#include "support/PaintRecorder.h"
#include "widgets/MenuTemplate.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>

namespace {

// Counts the keys a widget is sent.
class KeyCounter : public QObject {
public:
    int keys = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        keys += e->type() == QEvent::KeyPress;
        return false;
    }
};

class DesignSceneTest : public DesignPageFixture {
protected:
    void SetUp() override
    {
        DesignPageFixture::SetUp();
        // A background exactly the canvas's size: canvas points are
        // background pixels, so rectangles compare exactly.
        const QSize canvas = Canvas().size();
        ASSERT_TRUE(scene->ChangeBackImage(WritePicture(Path("bg.png"), canvas, 0xFF204080)));
        square = WritePicture(Path("square.png"), {190, 190}, 0xFFD02020);
        canvasPaints.Watch(&Canvas());
        QCoreApplication::processEvents();
    }

    // Adds a square photo filling rect and returns it.
    SSceneObject* AddPhoto(CRect rect)
    {
        EXPECT_TRUE(scene->CreateSceneObject(square, rect));
        return scene->GetPhoto(scene->GetPhotoCount() - 1);
    }

    // Whether the canvas was painted since the last call.
    bool Repainted()
    {
        QCoreApplication::processEvents();
        const bool painted = canvasPaints.paints.size() > m_paintsSeen;
        m_paintsSeen = canvasPaints.paints.size();
        return painted;
    }

    QPoint OnPage(CPoint canvasPoint) const { return Canvas().mapTo(page.get(), canvasPoint.ToQPoint()); }

    // The title of the context menu a right click at the page point opens
    // ("" for none), choosing the command given (0: closing it).
    QString RightClickMenu(QPoint pagePoint, int choose = 0)
    {
        QString title;
        QTimer::singleShot(0, page.get(), [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                title = menu->title();
                if (QAction* action = FindMenuCommand(menu, choose)) {
                    menu->setActiveAction(action);
                    QTest::keyClick(menu, Qt::Key_Return);
                } else {
                    menu->close();
                }
            }
        });
        QTest::mouseClick(page->windowHandle(), Qt::RightButton, {}, pagePoint);
        QCoreApplication::processEvents();
        return title;
    }

    LRESULT SendDrag(int message, int control, CPoint pt, CDragDropText* data)
    {
        DRAGDROPINFO info;
        info.pt = pt;
        info.data = data;
        const LRESULT result = SendWndMessage(page.get(), message, control, reinterpret_cast<LPARAM>(&info));
        lastPayload.reset(info.data);
        return result;
    }

    QString square;
    PaintRecorder canvasPaints;
    size_t m_paintsSeen = 0;
    std::unique_ptr<CDragDropText> lastPayload;
};

} // namespace

TEST_F(DesignSceneTest, LeftPressesOnlyFromTheCanvasCornerOnRightPressesAlways)
{
    SSceneObject* photo = AddPhoto({20, 20, 80, 80});
    scene->CheckHitPhoto(30, 30);

    // Left of and above the canvas (on the page, not on another control)
    // the left button leaves the selection alone.
    for (const CPoint outside : {CPoint(-4, 40), CPoint(40, -4)}) {
        QTest::mouseClick(page->windowHandle(), Qt::LeftButton, {}, OnPage(outside));
        EXPECT_EQ(scene->GetSelectedSceneObj(), photo) << outside.x << "," << outside.y;
    }
    // The right button selects what is under the point, and a point left
    // of the canvas (negative) is passed on too: nothing is there.
    QTest::mouseClick(page->windowHandle(), Qt::RightButton, {}, OnPage({-4, 40}));
    EXPECT_EQ(scene->GetSelectedSceneObj(), nullptr);
    RightClickMenu(OnPage({50, 50}));
    EXPECT_EQ(scene->GetSelectedSceneObj(), photo);
}

TEST_F(DesignSceneTest, ContextMenusByWhatIsUnderThePoint)
{
    AddPhoto({20, 20, 80, 80});
    EXPECT_EQ(RightClickMenu(OnPage({50, 50})), "Click Photo");
    EXPECT_EQ(RightClickMenu(OnPage({150, 150})), "Click BackGround");
    const QRect canvas = Canvas().geometry();
    EXPECT_EQ(RightClickMenu(QPoint(canvas.left() - 3, canvas.top() + 10)), "") << "outside the canvas";
    EXPECT_EQ(RightClickMenu(canvas.bottomRight() + QPoint(3, 3)), "");
}

TEST_F(DesignSceneTest, AddPhotoGoesToItsFixedPlaceWhereverTheMenuOpened)
{
    AnswerPrompts(square);
    RightClickMenu(OnPage({250, 200}), ID_ADD_PHOTO);
    ASSERT_EQ(scene->GetPhotoCount(), 1);
    EXPECT_EQ(scene->GetPhotoDrawRect(scene->GetPhoto(0)), CRect(100, 100, 200, 200));
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].kind, FilePrompt::Kind::Open);
    EXPECT_EQ(prompts[0].filter, "SRC(*.bmp;*.jpg;*.jpeg;*.gif;*.png;*.dib)| *.bmp;*.jpg;*.jpeg;*.gif;*.png;*.dib||");

    // A cancelled dialog adds nothing and repaints nothing.
    AnswerPrompts(std::nullopt);
    Repainted();
    page->OnCmdMsg(ID_ADD_PHOTO);
    EXPECT_EQ(scene->GetPhotoCount(), 1);
    EXPECT_FALSE(Repainted());
}

TEST_F(DesignSceneTest, ChangeBackgroundUpdatesTheLabels)
{
    AnswerPrompts(WritePicture(Path("wide.png"), {800, 300}));
    QTest::mouseClick(GetDlgItemAs<QPushButton>(page.get(), IDC_CHANGE_BACKGROUND), Qt::LeftButton);
    EXPECT_EQ(Label(IDC_BACKGROUND_WIDTH), "Background Width : 800");
    EXPECT_EQ(Label(IDC_BACKGROUND_HEIGHT), "Background Height : 300");
    EXPECT_TRUE(Repainted());
}

TEST_F(DesignSceneTest, CommandsWithoutASelectedPhoto)
{
    AddPhoto({20, 20, 80, 80});
    scene->CheckHitPhoto(-1, -1);
    ASSERT_EQ(scene->GetSelectedSceneObj(), nullptr);
    // The edits do nothing at all; Delete and Restore repaint all the same.
    const struct {
        int command;
        bool repaints;
    } commands[] = {
        {ID_MIRROR, false},      {ID_FLIP, false},         {ID_NEGATIVE, false},
        {ID_ROTATE_LEFT, false}, {ID_ROTATE_RIGHT, false}, {ID_GRAY_SCALE, false},
        {ID_DELETE_PHOTO, true}, {ID_DELETE_KEY, true},    {ID_RESTORE_RATIO, true},
    };
    const QImage before = scene->GetPhoto(0)->GetPicture().GetImage();
    for (const auto& c : commands) {
        Repainted();
        EXPECT_TRUE(page->OnCmdMsg(c.command));
        EXPECT_EQ(Repainted(), c.repaints) << c.command;
    }
    ASSERT_EQ(scene->GetPhotoCount(), 1);
    EXPECT_EQ(scene->GetPhoto(0)->GetPicture().GetImage(), before);

    // With the photo selected an edit changes it and repaints.
    scene->CheckHitPhoto(30, 30);
    Repainted();
    page->OnCmdMsg(ID_NEGATIVE);
    EXPECT_TRUE(Repainted());
    EXPECT_NE(scene->GetPhoto(0)->GetPicture().GetImage(), before);
}

TEST_F(DesignSceneTest, OnlyTheDeleteKeyDeletesAndKeysGoOnToTheFocusedControl)
{
    AddPhoto({20, 20, 80, 80});
    AddPhoto({120, 20, 180, 80});
    CListBox& list = PhotoList();
    KeyCounter listKeys;
    list.installEventFilter(&listKeys);
    page->activateWindow();

    // Keys that used to delete on their release, wherever the focus is.
    for (QWidget* focus : {static_cast<QWidget*>(page.get()), static_cast<QWidget*>(&list)}) {
        page->setFocusPolicy(Qt::StrongFocus);
        focus->setFocus();
        scene->CheckHitPhoto(30, 30);
        for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Down, Qt::Key_Alt, Qt::Key_Escape, Qt::Key_A})
            QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(scene->GetPhotoCount(), 2);
    }

    list.setFocus();
    scene->CheckHitPhoto(30, 30);
    listKeys.keys = 0;
    QTest::keyClick(&list, Qt::Key_Escape);
    EXPECT_EQ(listKeys.keys, 1) << "Escape reaches the list";
    EXPECT_EQ(scene->GetPhotoCount(), 2);
    QTest::keyClick(&list, Qt::Key_Delete);
    EXPECT_EQ(listKeys.keys, 2) << "Delete reaches the list";
    EXPECT_EQ(scene->GetPhotoCount(), 1) << "and deletes the selected photo, once";
    EXPECT_EQ(scene->GetPhotoDrawRect(scene->GetPhoto(0)), CRect(120, 20, 180, 80));
}

TEST_F(DesignSceneTest, DropsFromTheListPlaceThePhotoByTheDropPoint)
{
    const struct {
        CPoint at;
        CRect expected;
    } drops[] = {
        {{0, 0}, {10, 10, 200, 200}},
        {{50, 20}, {60, 30, 250, 220}},
    };
    for (const auto& drop : drops) {
        const int before = scene->GetPhotoCount();
        EXPECT_EQ(SendDrag(WM_DD_DRAGDROP, IDC_DESIGN_CANVAS, drop.at, new CDragDropText(square)), 0);
        ASSERT_EQ(scene->GetPhotoCount(), before + 1);
        EXPECT_EQ(scene->GetPhotoDrawRect(scene->GetPhoto(before)), drop.expected);
    }
    // Back onto the list: nothing.
    SendDrag(WM_DD_DRAGDROP, IDC_PHOTO_LIST, {5, 5}, new CDragDropText(square));
    EXPECT_EQ(SendDrag(WM_DD_DRAGABORT, IDC_PHOTO_LIST, {5, 5}, new CDragDropText(square)), 0);
    EXPECT_EQ(scene->GetPhotoCount(), 2);
}

TEST_F(DesignSceneTest, DragsStartOnlyOnAListItem)
{
    WritePicture(Pictures() + "/one.png", {8, 8});
    DesignPageControls::ChooseFolder(page.get(), Pictures());
    const QString folder = Pictures() + "/";
    CListBox& list = PhotoList();
    ASSERT_EQ(list.GetCount(), 1);
    const CPoint onItem = CPoint::FromQPoint(list.visualItemRect(list.item(0)).center());
    const CPoint belowLast(onItem.x, list.viewport()->height() - 2);

    EXPECT_EQ(SendDrag(WM_DD_DRAGENTER, IDC_PHOTO_PREVIEW, {10, 10}, nullptr), 0);
    EXPECT_EQ(lastPayload, nullptr);
    EXPECT_EQ(SendDrag(WM_DD_DRAGENTER, IDC_PHOTO_LIST, belowLast, nullptr), 0);
    EXPECT_EQ(lastPayload, nullptr);
    EXPECT_EQ(SendDrag(WM_DD_DRAGENTER, IDC_PHOTO_LIST, onItem, nullptr), 1);
    ASSERT_NE(lastPayload, nullptr);
    EXPECT_EQ(lastPayload->OnGetData(), folder + "one.png");
}

TEST_F(DesignSceneTest, FilesFromTheFileManagerBecomePhotos)
{
    const QString second = WritePicture(Path("other.PNG"), {190, 190});
    QFile text(Path("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.close();

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(square), QUrl::fromLocalFile(Path("notes.txt")), QUrl::fromLocalFile(second),
                  QUrl(QStringLiteral("https://example.org/x.png"))});
    const QPoint at = OnPage({30, 40});
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(page.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(page.get(), &move);
    EXPECT_TRUE(move.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(page.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());

    // The pictures only, one after the other, 20 pixels apart.
    ASSERT_EQ(scene->GetPhotoCount(), 2);
    EXPECT_EQ(scene->GetPhotoDrawRect(scene->GetPhoto(0)), CRect(40, 50, 230, 240));
    EXPECT_EQ(scene->GetPhotoDrawRect(scene->GetPhoto(1)), CRect(60, 70, 250, 260));

    // Outside the canvas the page takes no files.
    QDragMoveEvent away(PhotoList().geometry().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(page.get(), &away);
    EXPECT_FALSE(away.isAccepted());
}

TEST_F(DesignSceneTest, PhotosPlacedNearAnEdgeStayWhollyOnTheBackground)
{
    // Dropped near the lower right corner, from the list and from the file
    // manager: moved up and left into the corner, not resized.
    const CRect all(0, 0, Canvas().width(), Canvas().height());
    const CPoint nearCorner(all.right - 60, all.bottom - 60);
    const CRect inCorner(all.right - 190, all.bottom - 190, all.right, all.bottom);
    SendDrag(WM_DD_DRAGDROP, IDC_DESIGN_CANVAS, nearCorner, new CDragDropText(square));
    ASSERT_EQ(scene->GetPhotoCount(), 1) << "from the list";
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(square)});
    QDragEnterEvent enter(OnPage(nearCorner), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(page.get(), &enter);
    QDropEvent drop(OnPage(nearCorner), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(page.get(), &drop);
    ASSERT_EQ(scene->GetPhotoCount(), 2) << "from the file manager";
    EXPECT_EQ(scene->GetPhotoDrawRect(scene->GetPhoto(0)), inCorner) << "from the list";
    EXPECT_EQ(scene->GetPhotoDrawRect(scene->GetPhoto(1)), inCorner) << "from the file manager";

    // "Add Photo" on a background lower than the canvas, centred on it and
    // starting below the photo's fixed place: moved down onto it.
    ASSERT_TRUE(scene->ChangeBackImage(WritePicture(Path("strip.png"), {all.Width(), 150}, 0xFF204080)));
    const CRect strip = scene->GetBackgroundDrawRect();
    ASSERT_GT(strip.top, 100);
    AnswerPrompts(square);
    page->OnCmdMsg(ID_ADD_PHOTO);
    ASSERT_EQ(scene->GetPhotoCount(), 3);
    EXPECT_EQ(scene->GetPhotoDrawRect(scene->GetPhoto(2)), CRect(100, strip.top, 200, strip.top + 100));
}

TEST_F(DesignSceneTest, PictureDialogsStartInTheFolderThePhotoListShows)
{
    const QString other = Path("elsewhere");
    QDir().mkpath(other);
    DesignPageControls::ChooseFolder(page.get(), other);
    AddPhoto({20, 20, 80, 80});
    scene->CheckHitPhoto(30, 30);
    AnswerPrompts(std::nullopt);
    for (const int command : {ID_ADD_PHOTO, ID_CHANGE_PHOTO_IMAGE, ID_CHANGE_BACKGROUND})
        page->OnCmdMsg(command);
    ASSERT_EQ(prompts.size(), 3u);
    for (const FilePrompt& prompt : prompts)
        EXPECT_EQ(QDir::cleanPath(prompt.directory), Path("elsewhere"));
}

TEST_F(DesignSceneTest, TheCursorFollowsTheTrackerAsTheMouseMoves)
{
    AddPhoto({20, 20, 120, 120});
    scene->CheckHitPhoto(50, 50);
    Canvas().repaint();
    const auto moveTo = [&](CPoint canvasPoint) {
        const QPoint onPage = OnPage(canvasPoint);
        QCursor::setPos(page->mapToGlobal(onPage));
        QMouseEvent move(QEvent::MouseMove, onPage, page->mapToGlobal(onPage), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(page.get(), &move);
        return page->cursor().shape();
    };
    EXPECT_EQ(moveTo({70, 70}), Qt::SizeAllCursor);
    EXPECT_EQ(moveTo({119, 119}), Qt::SizeFDiagCursor);
    EXPECT_EQ(moveTo({200, 200}), Qt::ArrowCursor) << "taken back off the tracker";
}
