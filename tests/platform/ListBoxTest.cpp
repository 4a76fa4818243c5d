// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/ListBox.h"

#include <QFontMetrics>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

TEST(ListBox, SortedAndUnsortedInsertionAndItemData)
{
    CListBox sorted;
    sorted.SetSorted(true);
    EXPECT_EQ(sorted.AddString("c.jpg"), 0);
    EXPECT_EQ(sorted.AddString("A.jpg"), 0); // case-insensitive, like the Windows list
    EXPECT_EQ(sorted.AddString("b.jpg"), 1);
    EXPECT_EQ(sorted.AddString("b.jpg"), 2); // equal entries go after the existing one
    EXPECT_EQ(sorted.GetText(0), "A.jpg");
    EXPECT_EQ(sorted.GetText(3), "c.jpg");

    CListBox plain;
    plain.AddString("z");
    plain.AddString("a");
    EXPECT_EQ(plain.GetText(0), "z");
    EXPECT_EQ(plain.InsertString(1, "m"), 1);
    EXPECT_EQ(plain.InsertString(7, "x"), CListBox::LB_ERR);
    EXPECT_EQ(plain.SetItemData(1, 42), 0);
    EXPECT_EQ(plain.GetItemData(1), 42);
    EXPECT_EQ(plain.DeleteString(0), 2);
    EXPECT_EQ(plain.GetItemData(0), 42);
    EXPECT_EQ(plain.DeleteString(5), CListBox::LB_ERR);
    EXPECT_EQ(plain.GetText(9), QString());
    plain.ResetContent();
    EXPECT_EQ(plain.GetCount(), 0);
    EXPECT_EQ(plain.GetCurSel(), CListBox::LB_ERR);
}

TEST(ListBox, OnlyUserSelectionRaisesTheNotification)
{
    CListBox list;
    list.resize(200, 200);
    for (const char* s : {"one", "two", "three"})
        list.AddString(s);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QSignalSpy spy(&list, &CListBox::selChange);
    // What the handler reads: the selection just made, not the one before.
    std::vector<int> seen;
    QObject::connect(&list, &CListBox::selChange, [&] { seen.push_back(list.GetCurSel()); });

    list.SetCurSel(2);
    EXPECT_EQ(list.GetCurSel(), 2);
    list.DeleteString(0);
    list.AddString("four");
    EXPECT_EQ(spy.count(), 0);

    const QRect first = list.visualItemRect(list.item(0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(list.GetCurSel(), 0);
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(seen, (std::vector<int>{0, 1}));

    list.SetCurSel(-1);
    EXPECT_EQ(list.GetCurSel(), CListBox::LB_ERR);
    EXPECT_EQ(spy.count(), 2);

    bool outside = false;
    EXPECT_EQ(list.ItemFromPoint(first.center(), outside), 0);
    EXPECT_FALSE(outside);
    list.ItemFromPoint(QPoint(5, 190), outside);
    EXPECT_TRUE(outside);
}

TEST(ListBox, HorizontalExtentRuleAndScrolling)
{
    CListBox list;
    list.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list.resize(120, 100);
    // The extent scrolls the entries; a list with none has nothing to scroll.
    list.AddString("a.jpg");
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    const QFontMetrics fm(list.font());

    // A short text keeps the extent as it was: 0 at first.
    ApplyHorizontalExtentRule(&list, "a.jpg");
    ASSERT_LE(fm.horizontalAdvance("a.jpg") + 3, 100);
    EXPECT_EQ(list.GetHorizontalExtent(), 0);

    const QString path = "/home/someone/Pictures/Holidays/2026/a-rather-long-file-name.jpg";
    const int w = fm.horizontalAdvance(path) + 3;
    ASSERT_GT(w, 100);
    ApplyHorizontalExtentRule(&list, path);
    EXPECT_EQ(list.GetHorizontalExtent(), w + 20);
    EXPECT_EQ(list.horizontalScrollBar()->maximum(), w + 20 - list.viewport()->width());

    // A later short entry leaves the wider extent alone.
    ApplyHorizontalExtentRule(&list, "b.jpg");
    EXPECT_EQ(list.GetHorizontalExtent(), w + 20);
}

// Counts the layout passes of a list box.
class CountingListBox : public CListBox {
public:
    int passes = 0;

protected:
    void updateGeometries() override
    {
        ++passes;
        CListBox::updateGeometries();
    }
};

TEST(ListBox, LongEntriesWithScrollBarsAsNeededSettle)
{
    // Entries far wider than the extent: the view alone would want a
    // horizontal scroll bar, the extent wants none.
    for (const int extent : {0, 150, 2000}) {
        CountingListBox list;
        list.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        list.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        list.resize(160, 120);
        for (int i = 0; i < 12; ++i)
            list.AddString(QStringLiteral("/home/someone/Pictures/a/rather/deep/folder/photo-%1.jpg").arg(i));
        list.SetHorizontalExtent(extent);
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
        for (int round = 0; round < 5; ++round)
            QCoreApplication::processEvents();
        const int settled = list.passes;
        for (int round = 0; round < 20; ++round)
            QCoreApplication::processEvents();
        EXPECT_EQ(list.passes, settled) << "still laying out with extent " << extent;
        EXPECT_EQ(list.horizontalScrollBar()->maximum(), std::max(0, extent - list.viewport()->width()));
        EXPECT_EQ(list.horizontalScrollBar()->isVisible(), extent > list.viewport()->width());
    }
}

TEST(ListBox, AddingManyAtOnceSortsAsAddingOneByOne)
{
    const QStringList texts{"b.jpg", "A.jpg", "c.png", "B.JPG", "a.jpg", "Ä.jpg", "10.bmp", "9.bmp", "b.jpg"};
    for (const bool sorted : {true, false}) {
        CListBox single;
        CListBox many;
        single.SetSorted(sorted);
        many.SetSorted(sorted);
        for (const QString& t : texts)
            single.AddString(t);
        many.AddStrings(texts);
        // A second batch into a list that already holds entries.
        many.AddStrings({"0.gif", "zz.gif"});
        single.AddString("0.gif");
        single.AddString("zz.gif");
        ASSERT_EQ(many.GetCount(), single.GetCount());
        for (int i = 0; i < single.GetCount(); ++i)
            EXPECT_EQ(many.GetText(i), single.GetText(i)) << "sorted " << sorted << " at " << i;
    }
}

TEST(ListBox, EmptyingStartsTheNextEntriesAtTheTop)
{
    // A list scrolled down and to the right, emptied and filled again (a new
    // folder's pictures) shows its new first entries from their beginning.
    for (const bool many : {true, false}) {
        CListBox list;
        list.SetSorted(true);
        list.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        list.resize(160, 120);
        QStringList first;
        QStringList second;
        for (int i = 0; i < 300; ++i) {
            first
                << QStringLiteral("/home/someone/Pictures/a/rather/deep/folder/photo-%1.jpg").arg(i, 3, 10, QChar('0'));
            second << QStringLiteral("/home/someone/Other/p%1.png").arg(i);
        }
        list.AddStrings(first);
        list.SetHorizontalExtent(600);
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
        list.scrollToBottom();
        list.horizontalScrollBar()->setValue(list.horizontalScrollBar()->maximum());
        QCoreApplication::processEvents();
        ASSERT_GT(list.verticalScrollBar()->value(), 0);
        ASSERT_GT(list.horizontalScrollBar()->value(), 0);

        list.ResetContent();
        if (many) {
            list.AddStrings(second);
        } else {
            for (const QString& text : second)
                list.AddString(text);
        }
        QCoreApplication::processEvents();
        EXPECT_EQ(list.verticalScrollBar()->value(), 0) << "added at once: " << many;
        EXPECT_EQ(list.horizontalScrollBar()->value(), 0) << "added at once: " << many;
        EXPECT_EQ(list.indexAt(QPoint(1, 1)).row(), 0) << "added at once: " << many;
    }
}
