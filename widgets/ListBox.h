// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A list box with the operations and habits the pages rely on: string items
// with optional item data, an optional sorted mode, a horizontal extent that
// decides how far the list scrolls sideways, and selection-change
// notifications only for changes the user makes.

#include <QListWidget>
#include <QString>
#include <QStringList>
#include <cstdint>

class CListBox : public QListWidget {
    Q_OBJECT

public:
    static constexpr int LB_ERR = -1;

    explicit CListBox(QWidget* parent = nullptr);

    void SetSorted(bool sorted) { m_sorted = sorted; }
    bool IsSorted() const { return m_sorted; }

    int GetCount() const { return count(); }
    // Appends, or inserts at the sorted place (case-insensitive, like the
    // Windows list box) when sorted; returns the index.
    int AddString(const QString& text);
    // Adds many strings the way AddString adds each, in one step: much
    // faster for thousands of entries.
    void AddStrings(const QStringList& texts);
    // Inserts at index (-1 appends); returns the index or LB_ERR.
    int InsertString(int index, const QString& text);
    // Deletes one item; returns the remaining count or LB_ERR.
    int DeleteString(int index);
    void ResetContent();

    // The item's text, or an empty string for an index out of range.
    QString GetText(int index) const;
    // Every item's text, in list order.
    QStringList GetTexts() const;
    int GetTextLen(int index) const;

    std::intptr_t GetItemData(int index) const;
    int SetItemData(int index, std::intptr_t data);

    int GetCurSel() const;
    // Selects from code: raises no selection notification. -1 clears.
    int SetCurSel(int index);

    // The item at a point in client coordinates; outside is true when the
    // point lies below the last item or outside the list.
    int ItemFromPoint(QPoint p, bool& outside) const;

    // How wide, in pixels, the content is treated as for horizontal
    // scrolling; 0 means no horizontal scrolling.
    void SetHorizontalExtent(int pixels);
    int GetHorizontalExtent() const { return m_horizontalExtent; }

Q_SIGNALS:
    // The user changed the selection (click or keyboard); never emitted for
    // SetCurSel or for changes made by adding and deleting items. Emitted
    // once the new selection is in place: GetCurSel returns it.
    void selChange();

private:
    bool m_sorted = false;
    int m_horizontalExtent = 0;
    int m_codeChanges = 0; // >0 while the list changes from code
};

// Sets the horizontal extent of a list box from the widest of its entries:
// with w the width of longest in the list's font plus three border widths,
// the extent becomes w + 20 when w exceeds 100 pixels; otherwise it stays.
void ApplyHorizontalExtentRule(CListBox* list, const QString& longest);
