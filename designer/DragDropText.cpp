// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "designer/DragDropText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

#include <algorithm>

QPixmap CDragDropText::CreateDragImage(const QFont& font) const
{
    constexpr int kPadX = 6;
    constexpr int kPadY = 3;
    const QFontMetrics metrics(font);
    const QString shown = metrics.elidedText(m_text, Qt::ElideMiddle, kMaxImageWidth - 2 * kPadX);
    const int width = std::clamp(metrics.horizontalAdvance(shown) + 2 * kPadX, 2 * kPadX + 1, kMaxImageWidth);
    const int height = metrics.height() + 2 * kPadY;

    QPixmap image(width, height);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette palette;
    QColor face = palette.color(QPalette::ToolTipBase);
    face.setAlpha(230);
    p.setPen(palette.color(QPalette::Mid));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), 3, 3);
    p.setFont(font);
    p.setPen(palette.color(QPalette::ToolTipText));
    p.drawText(QRect(kPadX, kPadY, width - 2 * kPadX, height - 2 * kPadY), Qt::AlignLeft | Qt::AlignVCenter, shown);
    return image;
}
