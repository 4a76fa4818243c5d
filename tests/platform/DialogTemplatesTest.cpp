// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every control of every dialog template: built, found by its id, carrying
// its text, and placed at the pixel rectangle its dialog units convert to.

#include "res/Dialogs.h"
#include "res/Resource.h"
#include "widgets/DialogBuilder.h"
#include "widgets/ListBox.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTreeView>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

QString ShownText(const QWidget* w)
{
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return e->text();
    return {};
}

bool KindMatches(ControlKind kind, const QWidget* w)
{
    switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
    case ControlKind::CheckBox:
        return qobject_cast<const QAbstractButton*>(w);
    case ControlKind::GroupBox:
        return qobject_cast<const QGroupBox*>(w);
    case ControlKind::Text:
    case ControlKind::Icon:
        return qobject_cast<const QLabel*>(w);
    case ControlKind::Frame:
        return qobject_cast<const QFrame*>(w);
    case ControlKind::ListBox:
        return qobject_cast<const CListBox*>(w);
    case ControlKind::TreeView:
        return qobject_cast<const QTreeView*>(w);
    case ControlKind::Edit:
        return qobject_cast<const QLineEdit*>(w);
    case ControlKind::ComboBox:
        return qobject_cast<const QComboBox*>(w);
    case ControlKind::Trackbar:
        return qobject_cast<const QSlider*>(w);
    }
    return false;
}

} // namespace

TEST(DialogTemplates, EveryControlIsBuiltWithItsIdTextAndPixelRectangle)
{
    std::set<int> seen;
    for (const DialogTemplate* t : AllDialogTemplates()) {
        SCOPED_TRACE(t->id);
        seen.insert(t->id);
        QWidget host;
        const QSize size = BuildDialog(&host, *t);
        const DialogUnits du = DialogUnits::ForFont(DialogFont(*t));
        ASSERT_GT(du.baseX, 2);
        ASSERT_GT(du.baseY, 6);
        EXPECT_EQ(size, QSize(MulDiv(t->cx, du.baseX, 4), MulDiv(t->cy, du.baseY, 8)));
        EXPECT_EQ(host.windowTitle(), QString::fromUtf8(t->caption));

        // The built children in table order (the builder keeps it).
        const QList<QWidget*> built = DialogControls(&host);
        ASSERT_EQ(built.size(), static_cast<qsizetype>(t->controls.size()));

        for (size_t i = 0; i < t->controls.size(); ++i) {
            const DialogControl& c = t->controls[i];
            SCOPED_TRACE(c.id);
            QWidget* w = built[static_cast<qsizetype>(i)];
            EXPECT_EQ(GetDlgCtrlID(w), c.id);
            if (c.id != IDC_STATIC) {
                EXPECT_EQ(GetDlgItem(&host, c.id), w);
            }
            EXPECT_TRUE(KindMatches(c.kind, w));

            if (c.kind != ControlKind::Icon) {
                QString expected = QString::fromUtf8(c.text);
                if (c.kind == ControlKind::Text && !(c.style & ss::NoPrefix))
                    expected.remove(u'&');
                EXPECT_EQ(ShownText(w), expected);
            }

            const CRect px(MulDiv(c.x, du.baseX, 4), MulDiv(c.y, du.baseY, 8),
                           MulDiv(c.x, du.baseX, 4) + MulDiv(c.cx, du.baseX, 4),
                           MulDiv(c.y, du.baseY, 8) + MulDiv(c.cy, du.baseY, 8));
            const CRect actual = FromQRect(w->geometry());
            if (c.kind == ControlKind::ComboBox) {
                // Only the closed box is a widget; the template height also
                // covers the dropped-down list.
                EXPECT_EQ(actual.TopLeft(), px.TopLeft());
                EXPECT_EQ(actual.Width(), px.Width());
                EXPECT_LE(actual.Height(), px.Height());
            } else {
                EXPECT_EQ(actual, px);
            }
            EXPECT_EQ(w->isHidden(), !(c.style & ws::Visible));
            EXPECT_EQ(w->isEnabled(), !(c.style & ws::Disabled));
        }
    }
    EXPECT_EQ(seen, (std::set<int>{IDD_ABOUTBOX, IDD_DESIGN_PAGE, IDD_PREVIEW, IDD_SLIDESHOW_PAGE, IDD_TIP}));
}

TEST(DialogTemplates, TabOrderFollowsTheTableAndSkipsStatics)
{
    QWidget host;
    BuildDialog(&host, DesignPageTemplate());
    // Focus chain of the focusable controls, starting at the first one.
    QWidget* first = GetDlgItem(&host, IDC_OK);
    ASSERT_NE(first, nullptr);
    std::vector<int> chain;
    QWidget* w = first;
    do {
        if (GetDlgCtrlID(w) != 0 && (w->focusPolicy() & Qt::TabFocus))
            chain.push_back(GetDlgCtrlID(w));
        w = w->nextInFocusChain();
    } while (w && w != first && chain.size() < 50);
    const std::vector<int> expected{IDC_OK,      IDC_FOLDER_TREE, IDC_CHANGE_BACKGROUND, IDC_SET_AS_WALLPAPER,
                                    IDC_PREVIEW, IDC_SAVE_AS_JPG, IDC_PHOTO_LIST};
    EXPECT_EQ(chain, expected);
}

TEST(DialogTemplates, BoundMemberTakesTheControlsPlaceAndStatics)
{
    // The owner's member object stands in for the template's control.
    QWidget host;
    CListBox member;
    QLabel canvas;
    BuildDialog(&host, DesignPageTemplate(), {{IDC_PHOTO_LIST, &member}, {IDC_DESIGN_CANVAS, &canvas}});
    EXPECT_EQ(GetDlgItem(&host, IDC_PHOTO_LIST), &member);
    EXPECT_EQ(member.parentWidget(), &host);
    EXPECT_TRUE(member.IsSorted());
    EXPECT_EQ(member.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(GetDlgItem(&host, IDC_DESIGN_CANVAS), &canvas);
    // Static controls let presses through to the page; lists do not.
    EXPECT_TRUE(canvas.testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(GetDlgItem(&host, IDC_PHOTO_WIDTH)->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_FALSE(member.testAttribute(Qt::WA_TransparentForMouseEvents));

    SetDlgItemText(&host, IDC_BACKGROUND_WIDTH, QStringLiteral("Background Width : 1920"));
    EXPECT_EQ(GetDlgItemText(&host, IDC_BACKGROUND_WIDTH), QStringLiteral("Background Width : 1920"));
    EXPECT_EQ(GetDlgItem(&host, 4242), nullptr);
}
