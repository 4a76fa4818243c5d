// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writing the scene as a JPEG at the background's full size: composed and
// encoded a band of rows at a time, so no full-size copy of the background
// is ever made.

#include "core/SceneGraph.h"

#include "pictures/AreaScaler.h"
#include "pictures/JpegStreamWriter.h"
#include "platform/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>

QImage SceneGraph::SavePixels(const SSceneObject& photo, const CRect& target, const CRect& visible, QSize& full,
                              QPoint& origin)
{
    const QImage& held = photo.m_picture.GetImage();
    full = held.size();
    origin = QPoint();
    // The pixels held are capped at the background's size; a photo that
    // reaches past the background may need more, and its file may have them.
    const QSize need = photo.NeededDecodeSize(QSize(), 1.0);
    if (need.isEmpty() || (held.width() + 1 >= need.width() && held.height() + 1 >= need.height()))
        return held;

    // Decoded at the size the target needs, then cut down to the part that
    // shows (with a margin for the scaler's taps), before the next photo.
    CxImage fresh;
    if (!photo.DecodeWithEdits(need, fresh))
        return held;
    const QImage& decoded = fresh.GetImage();
    const double kx = static_cast<double>(decoded.width()) / target.Width();
    const double ky = static_cast<double>(decoded.height()) / target.Height();
    constexpr int kMargin = 2;
    const QPoint from(static_cast<int>(std::floor((visible.left - target.left) * kx)) - kMargin,
                      static_cast<int>(std::floor((visible.top - target.top) * ky)) - kMargin);
    const QPoint to(static_cast<int>(std::ceil((visible.right - target.left) * kx)) + kMargin,
                    static_cast<int>(std::ceil((visible.bottom - target.top) * ky)) + kMargin);
    const QRect cut = QRect(from, to - QPoint(1, 1)) & decoded.rect();
    QImage part = decoded.copy(cut);
    if (part.isNull())
        return held;
    full = decoded.size();
    origin = cut.topLeft();
    return part;
}

namespace {

// The saved picture is composed and encoded this many rows at a time.
constexpr int kSaveBandRows = 128;

bool Fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

const char* const kNoMemory = "There is not enough memory to compose the wallpaper.";

} // namespace

// One photo as the save draws it: prepared when the bands reach it and
// released once they have passed it.
struct SceneGraph::SaveLayer {
    const SSceneObject* photo = nullptr;
    CRect target;  // where the whole photo lies, in background pixels
    CRect visible; // the part of it on the background
    bool prepared = false;
    QImage pixels;
    QPoint origin;
    QSize full;
    std::optional<AreaScaler> scaler;

    qint64 scaledBytes = 0; // of a copy scaled whole, counted in the budget

    bool OneToOne() const { return origin.isNull() && pixels.size() == full && full == target.Size().ToQSize(); }
    void Release(qint64& budget)
    {
        pixels = QImage();
        scaler.reset();
        budget += scaledBytes;
        scaledBytes = 0;
    }
};

bool SceneGraph::DrawSaveLayer(QPainter& painter, SaveLayer& layer, const QRect& band, qint64& budget)
{
    const QRect part = layer.visible.ToQRect() & band;
    if (part.isEmpty())
        return true;
    if (!layer.prepared) {
        layer.prepared = true;
        layer.pixels = SavePixels(*layer.photo, layer.target, layer.visible, layer.full, layer.origin);
        const QSize size = layer.target.Size().ToQSize();
        const qint64 bytes = qint64{4} * size.width() * size.height();
        // While the budget lasts, a photo is scaled whole at once (the
        // fastest way); beyond it, band by band with no copy of its size.
        if (!layer.OneToOne() && layer.origin.isNull() && bytes <= budget) {
            QImage scaled = layer.pixels.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            if (!scaled.isNull()) {
                layer.pixels = std::move(scaled);
                layer.full = size;
                layer.scaledBytes = bytes;
                budget -= bytes;
            }
        }
        if (!layer.OneToOne())
            layer.scaler.emplace(layer.pixels, layer.origin, layer.full, size);
    }
    const QRect local = part.translated(-layer.target.left, -layer.target.top);
    if (layer.OneToOne()) {
        painter.drawImage(part.topLeft(), layer.pixels, local);
        return true;
    }
    const QImage scaled = layer.scaler->Region(local);
    if (scaled.isNull())
        return false;
    painter.drawImage(part.topLeft(), scaled);
    return true;
}

bool SceneGraph::ComposeJpeg(QByteArray& bytes, QString* error) const
{
    const QSize size = BackgroundSize();
    const CRect whole = GetBackGroundActualRect();
    std::vector<SaveLayer> layers;
    for (const auto& photo : m_photos) {
        SaveLayer layer;
        layer.photo = photo.get();
        layer.target = SceneToTarget(photo->m_rect, whole);
        layer.target.NormalizeRect();
        if (!layer.target.IsRectEmpty() && layer.visible.IntersectRect(layer.target, whole))
            layers.push_back(std::move(layer));
    }

    // Photos scaled whole may take at most this much at once: a quarter of
    // a full-size image.
    qint64 budget = qint64{size.width()} * size.height();

    JpegStreamWriter jpeg;
    if (!jpeg.Start(size, kJpegQuality))
        return Fail(error, jpeg.ErrorString());
    QImage band(size.width(), std::min(kSaveBandRows, size.height()), QImage::Format_RGB32);
    if (band.isNull())
        return Fail(error, QString::fromLatin1(kNoMemory));

    for (int top = 0; top < size.height(); top += band.height()) {
        const int rows = std::min(band.height(), size.height() - top);
        // A background with transparent parts shows white there, not the
        // black the JPEG encoder would make of them.
        band.fill(Qt::white);
        QPainter painter(&band);
        painter.translate(0, -top);
        painter.drawImage(0, 0, m_background.GetImage());
        for (SaveLayer& layer : layers) {
            if (layer.visible.bottom <= top)
                layer.Release(budget);
            else if (!DrawSaveLayer(painter, layer, QRect(0, top, size.width(), rows), budget))
                return Fail(error, QString::fromLatin1(kNoMemory));
        }
        painter.end();
        if (!jpeg.WriteRows(band, rows))
            return Fail(error, jpeg.ErrorString());
    }
    if (!jpeg.Finish())
        return Fail(error, jpeg.ErrorString());
    bytes = jpeg.TakeBytes();
    return true;
}

bool SceneGraph::SaveToJPG(const QString& path, QString* error) const
{
    if (path.isEmpty())
        return Fail(error, QStringLiteral("No file name was given for the wallpaper."));
    if (!m_background.IsValid())
        return Fail(error, QStringLiteral("There is no background to save."));

    QByteArray bytes;
    if (!ComposeJpeg(bytes, error))
        return false;

    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return Fail(
            error,
            QStringLiteral("The folder %1 cannot be created.").arg(QDir::toNativeSeparators(info.absolutePath())));
    QString why;
    if (!WriteFileAtomically(info.absoluteFilePath(), bytes, &why))
        return Fail(
            error,
            QStringLiteral("%1 cannot be written: %2").arg(QDir::toNativeSeparators(info.absoluteFilePath()), why));
    return true;
}
