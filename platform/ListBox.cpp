#include "platform/ListBox.h"

#include <QFontMetrics>
#include <QScrollBar>

namespace {
constexpr int kItemDataRole = Qt::UserRole + 1;
// Windows' SM_CXBORDER; a one-pixel border on every platform we draw on.
constexpr int kBorderWidth = 1;

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
    connect(this, &QListWidget::currentRowChanged, this, [this](int) {
        if (m_codeChanges == 0)
            Q_EMIT selChange();
    });
}

int CListBox::AddString(const QString& text)
{
    if (!m_sorted)
        return InsertString(-1, text);
    int pos = 0;
    const int n = count();
    // After equal entries, as the Windows list box places them.
    while (pos < n && QString::compare(item(pos)->text(), text, Qt::CaseInsensitive) <= 0)
        ++pos;
    return InsertString(pos, text);
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
}

QString CListBox::GetText(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? it->text() : QString();
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
    updateGeometries();
}

void CListBox::updateGeometries()
{
    // The view's own pass resizes the viewport when a scroll bar comes or
    // goes, and the resize asks for this pass again; with our range in place
    // of the view's the bars can keep trading places, so a pass that starts
    // inside another only applies the range.
    if (!m_inGeometryUpdate) {
        m_inGeometryUpdate = true;
        QListWidget::updateGeometries();
        m_inGeometryUpdate = false;
    }
    // The scrollable width is the extent, not the widest item.
    QScrollBar* bar = horizontalScrollBar();
    const int range = std::max(0, m_horizontalExtent - viewport()->width());
    bar->setRange(0, range);
    bar->setPageStep(viewport()->width());
}

void ApplyHorizontalExtentRule(CListBox* list, const QString& longest)
{
    if (!list)
        return;
    const int w = QFontMetrics(list->font()).horizontalAdvance(longest) + 3 * kBorderWidth;
    if (w > 100)
        list->SetHorizontalExtent(w + 20);
}
