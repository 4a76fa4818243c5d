// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QPixmap>
#include <QString>

// What is dragged from a list to the canvas: a text (a picture's full path).
// The drag-and-drop manager owns it once the drag has started and shows the
// image it draws next to the cursor.
class CDragDropText {
public:
    explicit CDragDropText(const QString& text) : m_text(text) {}
    virtual ~CDragDropText() = default;

    CDragDropText(const CDragDropText&) = delete;
    CDragDropText& operator=(const CDragDropText&) = delete;

    // The text given at construction.
    const QString& OnGetData() const { return m_text; }

    // The drag image: the text on a small label, shortened in the middle when
    // it is long (the file name at the end of a path stays readable).
    QPixmap CreateDragImage(const QFont& font) const;

    // The widest the drag image gets, in pixels.
    static constexpr int kMaxImageWidth = 360;

private:
    QString m_text;
};
