// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "designer/DragDropMgr.h"
#include "designer/DragDropText.h"
#include "platform/DialogTemplate.h"
#include "widgets/DialogBuilder.h"

#include <QGuiApplication>
#include <QImage>
#include <QListWidget>
#include <QSet>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr int kList = 1014;
constexpr int kPreview = 1002;
constexpr int kCanvas = 1003;
constexpr int kButton = 1010;

const DialogControl kControls[] = {
    {kList, ControlKind::ListBox, "", 10, 10, 100, 120, ws::Child | ws::Visible | ws::VScroll | ws::TabStop},
    {kPreview, ControlKind::Frame, "", 10, 140, 100, 60, ws::Child | ws::Visible | ss::BlackFrame},
    {kCanvas, ControlKind::Frame, "", 130, 10, 200, 190, ws::Child | ws::Visible | ss::BlackFrame},
    {kButton, ControlKind::PushButton, "Other", 130, 210, 60, 14, ws::Child | ws::Visible | ws::TabStop},
};
const DialogTemplate kPage{102, "Drag", 350, 240, "MS Shell Dlg", 8, ws::Child | ws::Visible, 0, kControls};

int g_payloadsDeleted = 0;

class CountedText : public CDragDropText {
public:
    using CDragDropText::CDragDropText;
    ~CountedText() override { ++g_payloadsDeleted; }
};

struct Message {
    int message;
    int id;
    CPoint pt;
    QString text;
};

// Answers the manager the way the design page does: a drag starts only on a
// list item, with that item's text.
class Owner : public QWidget {
public:
    Owner()
    {
        resize(BuildDialog(this, kPage));
        list = qobject_cast<QListWidget*>(GetDlgItem(this, kList));
        list->addItems({"/photos/one.jpg", "/photos/two.png"});
        for (QWidget* control : DialogControls(this))
            control->installEventFilter(this);
        list->viewport()->installEventFilter(this);
        installEventFilter(this);
        static const DRAGDROPWND table[] = {{kList, DDW_SOURCE}, {kPreview, DDW_SOURCE}, {kCanvas, DDW_TARGET}, {0, 0}};
        manager.Install(this, table);
    }

    QWidget* Control(int id) const { return GetDlgItem(this, id); }

    // A point of a control in the coordinates of the list's viewport, which
    // holds the mouse from the press on an item until the release.
    QPoint InViewport(int id, QPoint p) const { return list->viewport()->mapFromGlobal(Control(id)->mapToGlobal(p)); }

    QPoint ItemCentre(int row) const { return list->visualItemRect(list->item(row)).center(); }

    CDragDropMgr manager;
    QListWidget* list = nullptr;
    std::vector<Message> log;
    bool refuseWithPayload = false;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override { return manager.PreTranslateMessage(watched, e); }

    bool event(QEvent* e) override
    {
        if (e->type() != WindowMessageEvent::Type())
            return QWidget::event(e);
        auto* m = static_cast<WindowMessageEvent*>(e);
        auto* info = reinterpret_cast<DRAGDROPINFO*>(m->lParam());
        log.push_back(
            {m->message(), static_cast<int>(m->wParam()), info->pt, info->data ? info->data->OnGetData() : QString()});
        if (m->message() == WM_DD_DRAGENTER) {
            auto* source = qobject_cast<QListWidget*>(Control(static_cast<int>(m->wParam())));
            QListWidgetItem* item = source ? source->itemAt(info->pt.ToQPoint()) : nullptr;
            if (item) {
                info->data = new CountedText(item->text());
                m->setResult(1);
            } else if (refuseWithPayload) {
                info->data = new CountedText("refused");
            }
        }
        return true;
    }
};

class DragDropTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_payloadsDeleted = 0;
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    }

    QWidget* Viewport() { return owner.list->viewport(); }

    // Presses on the first item and drags far enough to start.
    void StartOnFirstItem()
    {
        QTest::mousePress(Viewport(), Qt::LeftButton, {}, owner.ItemCentre(0));
        QTest::mouseMove(Viewport(), owner.ItemCentre(0) + QPoint(30, 5));
    }

    Owner owner;
};

} // namespace

TEST_F(DragDropTest, ADragFromTheListToTheCanvasSendsEnterThenDropWithTheCanvasPoint)
{
    StartOnFirstItem();
    ASSERT_EQ(owner.log.size(), 1u);
    EXPECT_EQ(owner.log[0].message, WM_DD_DRAGENTER);
    EXPECT_EQ(owner.log[0].id, kList);
    EXPECT_EQ(owner.log[0].pt, CPoint::FromQPoint(owner.ItemCentre(0))) << "where the button went down, in the list";
    EXPECT_TRUE(owner.manager.IsDragging());
    ASSERT_NE(owner.manager.DragImageWindow(), nullptr);
    EXPECT_TRUE(owner.manager.DragImageWindow()->isVisible());
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);

    const QPoint overCanvas(57, 33);
    QTest::mouseMove(Viewport(), owner.InViewport(kCanvas, overCanvas));
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::DragCopyCursor) << "over a target";
    const QPoint imageAt = owner.manager.DragImageWindow()->pos();
    const QPoint cursorAt = owner.Control(kCanvas)->mapToGlobal(overCanvas);
    EXPECT_GT(imageAt.x(), cursorAt.x()) << "the image follows beside the cursor";
    EXPECT_LT(imageAt.x(), cursorAt.x() + 40);

    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, owner.InViewport(kCanvas, overCanvas));
    ASSERT_EQ(owner.log.size(), 2u);
    EXPECT_EQ(owner.log[1].message, WM_DD_DRAGDROP);
    EXPECT_EQ(owner.log[1].id, kCanvas);
    EXPECT_EQ(owner.log[1].pt, CPoint(57, 33));
    EXPECT_EQ(owner.log[1].text, "/photos/one.jpg");
    EXPECT_EQ(g_payloadsDeleted, 1) << "the manager frees the payload after the drop";
    EXPECT_FALSE(owner.manager.IsDragging());
    EXPECT_EQ(owner.manager.DragImageWindow(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // A drop back onto the list is reported too; the page ignores it.
    StartOnFirstItem();
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, owner.ItemCentre(1));
    ASSERT_EQ(owner.log.size(), 4u);
    EXPECT_EQ(owner.log[3].message, WM_DD_DRAGDROP);
    EXPECT_EQ(owner.log[3].id, kList);
    EXPECT_EQ(owner.log[3].pt, CPoint::FromQPoint(owner.ItemCentre(1)));
}

TEST_F(DragDropTest, ReleasingElsewhereOrEscapeAbortsTheDrag)
{
    StartOnFirstItem();
    const QPoint overButton(5, 5);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, owner.InViewport(kButton, overButton));
    ASSERT_EQ(owner.log.size(), 2u);
    EXPECT_EQ(owner.log[1].message, WM_DD_DRAGABORT);
    EXPECT_EQ(owner.log[1].id, kList);
    EXPECT_EQ(owner.log[1].text, "/photos/one.jpg");
    EXPECT_EQ(g_payloadsDeleted, 1);

    StartOnFirstItem();
    QTest::mouseMove(Viewport(), owner.InViewport(kCanvas, {20, 20}));
    QTest::keyClick(owner.list, Qt::Key_Escape);
    ASSERT_EQ(owner.log.size(), 4u);
    EXPECT_EQ(owner.log[3].message, WM_DD_DRAGABORT);
    EXPECT_EQ(g_payloadsDeleted, 2);
    EXPECT_FALSE(owner.manager.IsDragging());
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, owner.InViewport(kCanvas, {20, 20}));
    EXPECT_EQ(owner.log.size(), 4u) << "the release after Escape drops nothing";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(DragDropTest, DragsTheOwnerRefusesOrThatNeverLeaveTheSpotStartNothing)
{
    // The preview is a static frame: its press reaches the owner itself, and
    // the manager finds the control by geometry. The owner refuses: not a list.
    QWidget* preview = owner.Control(kPreview);
    const QPoint inPreview(40, 20);
    const QPoint onOwner = preview->mapTo(&owner, inPreview);
    QTest::mousePress(&owner, Qt::LeftButton, {}, onOwner);
    QTest::mouseMove(&owner, onOwner + QPoint(0, 25));
    ASSERT_EQ(owner.log.size(), 1u);
    EXPECT_EQ(owner.log[0].message, WM_DD_DRAGENTER);
    EXPECT_EQ(owner.log[0].id, kPreview);
    EXPECT_EQ(owner.log[0].pt, CPoint::FromQPoint(inPreview));
    EXPECT_FALSE(owner.manager.IsDragging());
    QTest::mouseRelease(&owner, Qt::LeftButton, {}, owner.Control(kCanvas)->mapTo(&owner, QPoint(10, 10)));
    EXPECT_EQ(owner.log.size(), 1u);

    // Below the last item: refused, and a payload stored with the refusal is
    // freed all the same.
    owner.refuseWithPayload = true;
    const QPoint belowItems(10, Viewport()->height() - 5);
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, belowItems);
    QTest::mouseMove(Viewport(), belowItems + QPoint(40, 0));
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, owner.InViewport(kCanvas, {10, 10}));
    ASSERT_EQ(owner.log.size(), 2u);
    EXPECT_EQ(owner.log[1].message, WM_DD_DRAGENTER);
    EXPECT_EQ(g_payloadsDeleted, 1);

    // A wobble shorter than the drag distance is a click, not a drag.
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, owner.ItemCentre(1));
    QTest::mouseMove(Viewport(), owner.ItemCentre(1) + QPoint(2, 1));
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, owner.ItemCentre(1) + QPoint(2, 1));
    EXPECT_EQ(owner.log.size(), 2u);

    // Presses on other controls (or with the other button) arm nothing.
    QTest::mousePress(owner.Control(kButton), Qt::LeftButton);
    QTest::mouseMove(owner.Control(kButton), QPoint(60, 40));
    QTest::mouseRelease(owner.Control(kButton), Qt::LeftButton);
    QTest::mousePress(Viewport(), Qt::RightButton, {}, owner.ItemCentre(0));
    QTest::mouseRelease(Viewport(), Qt::RightButton, {}, owner.ItemCentre(0));
    EXPECT_EQ(owner.log.size(), 2u);
}

TEST(DragDropText, DrawsItsTextAndKeepsLongPathsShort)
{
    const QString path = "/home/someone/Pictures/holidays/2025/a rather long folder name/beach.jpg";
    const CDragDropText text(path);
    EXPECT_EQ(text.OnGetData(), path);
    const QImage image = text.CreateDragImage(QFont()).toImage();
    EXPECT_LE(image.width(), CDragDropText::kMaxImageWidth);
    EXPECT_GT(image.height(), 5);
    // A face, a border and the letters: more than two colours where it is
    // opaque, which a blank label would not have.
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 255)
                colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 2);

    EXPECT_NE(WM_DD_DRAGENTER, WM_DD_DRAGDROP);
    EXPECT_NE(WM_DD_DRAGDROP, WM_DD_DRAGABORT);
    EXPECT_NE(WM_DD_DRAGENTER, WM_DD_DRAGABORT);
}
