// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/ListBox.h"

#include <QFontMetrics>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>
#include <utility>
#include <vector>

namespace {
constexpr int kItemDataRole = Qt::UserRole + 1;
// Windows' SM_CXBORDER; a one-pixel border on every platform we draw on.
constexpr int kBorderWidth = 1;

// Whether a sorted list puts a after b.
bool SortsAfter(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) > 0;
}

// Items are as wide as the horizontal extent, so the view's own scroll
// range is the extent's: the view and the extent never disagree about
// whether a horizontal scroll bar is needed (were they to, a bar shown as
// needed would come and go for ever). The text is drawn across the item and
// cut at its end, or at the viewport's edge when that is further.
class ExtentDelegate : public QStyledItemDelegate {
public:
    explicit ExtentDelegate(const CListBox* list) : QStyledItemDelegate(const_cast<CListBox*>(list)), m_list(list) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setWidth(m_list->GetHorizontalExtent());
        return size;
    }

private:
    const CListBox* m_list;
};

struct CodeChange {
    explicit CodeChange(int& counter) : m_counter(counter) { ++m_counter; }
    ~CodeChange() { --m_counter; }
    int& m_counter;
};
} // namespace

CListBox::CListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setUniformItemSizes(true);
    // Long paths are cut at the list's edge rather than elided: the
    // horizontal extent decides how far the user can scroll to read them.
    setTextElideMode(Qt::ElideNone);
    setItemDelegate(new ExtentDelegate(this));
    // After the selection has changed, not when the current row moves: a
    // click makes the item current before it selects it.
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_codeChanges == 0)
            Q_EMIT selChange();
    });
}

int CListBox::AddString(const QString& text)
{
    if (!m_sorted)
        return InsertString(-1, text);
    // After equal entries, as the Windows list box places them.
    int low = 0;
    int high = count();
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (SortsAfter(item(mid)->text(), text))
            high = mid;
        else
            low = mid + 1;
    }
    return InsertString(low, text);
}

void CListBox::AddStrings(const QStringList& texts)
{
    if (count() > 0 || texts.size() < 2) {
        for (const QString& text : texts)
            AddString(text);
        return;
    }
    // Into an empty list: sorted once (stable, so equal entries keep their
    // order, as one AddString after another leaves them) and added at once.
    // Each text is case-folded once, not at every comparison.
    QStringList ordered = texts;
    if (m_sorted) {
        std::vector<std::pair<QString, qsizetype>> keys;
        keys.reserve(static_cast<size_t>(texts.size()));
        for (qsizetype i = 0; i < texts.size(); ++i)
            keys.emplace_back(texts[i].toCaseFolded(), i);
        std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (size_t i = 0; i < keys.size(); ++i)
            ordered[static_cast<qsizetype>(i)] = texts[keys[i].second];
    }
    CodeChange change(m_codeChanges);
    addItems(ordered);
}

int CListBox::InsertString(int index, const QString& text)
{
    if (index < -1 || index > count())
        return LB_ERR;
    CodeChange change(m_codeChanges);
    const int pos = index == -1 ? count() : index;
    insertItem(pos, text);
    return pos;
}

int CListBox::DeleteString(int index)
{
    if (index < 0 || index >= count())
        return LB_ERR;
    CodeChange change(m_codeChanges);
    delete takeItem(index);
    return count();
}

void CListBox::ResetContent()
{
    CodeChange change(m_codeChanges);
    clear();
    // The view lays its items out later, so the scroll bars still hold the
    // old entries' range and would keep their position for the next ones;
    // an emptied list starts again at its first line, from the left.
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

QString CListBox::GetText(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? it->text() : QString();
}

QStringList CListBox::GetTexts() const
{
    QStringList texts;
    texts.reserve(count());
    for (int i = 0; i < count(); ++i)
        texts << item(i)->text();
    return texts;
}

int CListBox::GetTextLen(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? static_cast<int>(it->text().size()) : LB_ERR;
}

std::intptr_t CListBox::GetItemData(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? static_cast<std::intptr_t>(it->data(kItemDataRole).toLongLong()) : LB_ERR;
}

int CListBox::SetItemData(int index, std::intptr_t data)
{
    QListWidgetItem* it = item(index);
    if (!it)
        return LB_ERR;
    it->setData(kItemDataRole, static_cast<qlonglong>(data));
    return 0;
}

int CListBox::GetCurSel() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? LB_ERR : row(selected.first());
}

int CListBox::SetCurSel(int index)
{
    CodeChange change(m_codeChanges);
    if (index < 0 || index >= count()) {
        clearSelection();
        setCurrentRow(-1);
        return index == -1 ? 0 : LB_ERR;
    }
    setCurrentRow(index);
    return index;
}

int CListBox::ItemFromPoint(QPoint p, bool& outside) const
{
    const QModelIndex idx = indexAt(p);
    if (idx.isValid()) {
        outside = false;
        return idx.row();
    }
    outside = true;
    return count() > 0 ? count() - 1 : 0;
}

void CListBox::SetHorizontalExtent(int pixels)
{
    m_horizontalExtent = std::max(0, pixels);
    doItemsLayout();
}

void ApplyHorizontalExtentRule(CListBox* list, const QString& longest)
{
    if (!list)
        return;
    const int w = QFontMetrics(list->font()).horizontalAdvance(longest) + 3 * kBorderWidth;
    if (w > 100)
        list->SetHorizontalExtent(w + 20);
}
