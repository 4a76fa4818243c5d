// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Records the paints one widget receives: each paint's rectangle in order and
// the region painted altogether.

#include <QEvent>
#include <QPaintEvent>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <vector>

class PaintRecorder : public QObject {
public:
    PaintRecorder() = default;
    explicit PaintRecorder(QWidget* widget) { Watch(widget); }
    ~PaintRecorder() override
    {
        if (m_widget)
            m_widget->removeEventFilter(this);
    }
    PaintRecorder(const PaintRecorder&) = delete;
    PaintRecorder& operator=(const PaintRecorder&) = delete;

    // Starts recording the paints of widget (one widget at a time).
    void Watch(QWidget* widget)
    {
        if (m_widget)
            m_widget->removeEventFilter(this);
        m_widget = widget;
        widget->installEventFilter(this);
    }

    std::vector<QRect> paints; // the bounding rectangle of each paint
    QRegion painted;           // all that was painted

    // Whether one paint from the index `from` on covered all of whole.
    bool WholePaintedSince(size_t from, const QRect& whole) const
    {
        for (size_t i = from; i < paints.size(); ++i)
            if (paints[i].contains(whole))
                return true;
        return false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_widget && event->type() == QEvent::Paint) {
            const QPaintEvent* paint = static_cast<QPaintEvent*>(event);
            paints.push_back(paint->rect());
            painted += paint->region();
        }
        return false;
    }

private:
    QPointer<QWidget> m_widget;
};
