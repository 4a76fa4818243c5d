// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The design as text, exactly: every number with all its digits, so two
// designs compare equal only when they are the same to the last bit, and a
// failing comparison shows where they differ. Header-only, like SceneSetup.h.

#include "core/SceneGraph.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <ostream>

inline QString ExactNumber(double v)
{
    return QString::number(v, 'g', 17);
}

inline QString DesignText(const Design& design)
{
    QStringList lines;
    lines << QStringLiteral("background %1 %2x%3")
                 .arg(design.backgroundPath)
                 .arg(design.backgroundSize.width())
                 .arg(design.backgroundSize.height());
    for (const DesignPhoto& photo : design.photos) {
        QStringList edits;
        for (PhotoEdit edit : photo.edits)
            edits << QLatin1String(PhotoEditName(edit));
        lines << QStringLiteral("%1 at %2,%3 %4x%5 edits [%6] box %7x%8")
                     .arg(photo.path, ExactNumber(photo.rect.x()), ExactNumber(photo.rect.y()),
                          ExactNumber(photo.rect.width()), ExactNumber(photo.rect.height()), edits.join(' '))
                     .arg(photo.decodeBox.width())
                     .arg(photo.decodeBox.height());
    }
    return lines.join('\n');
}

// What the design canvas shows of the scene at that size.
inline QImage CanvasImage(const SceneGraph& scene, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(0xFF969696);
    QPainter painter(&image);
    scene.Render(&painter, CRect(0, 0, size.width(), size.height()));
    return image;
}

// The design and what the canvas shows of it: equal when nothing a user
// could see or save differs.
struct DesignSnapshot {
    QString design;
    QImage canvas;
    bool operator==(const DesignSnapshot&) const = default;
};

inline DesignSnapshot Snapshot(const SceneGraph& scene, QSize canvas = {320, 180})
{
    return {DesignText(scene.GetDesign()), CanvasImage(scene, canvas)};
}

inline void PrintTo(const DesignSnapshot& s, std::ostream* out)
{
    *out << s.design.toStdString() << "\ncanvas " << s.canvas.width() << "x" << s.canvas.height() << " #"
         << qHashBits(s.canvas.constBits(), static_cast<size_t>(s.canvas.sizeInBytes()));
}
