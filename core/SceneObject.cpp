// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/SceneObject.h"

#include "pictures/ImageEdits.h"
#include "pictures/ImageHelpers.h"
#include "pictures/PictureFiles.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// A picture decoded again for a larger place gets this much more than it
// needs at once, so enlarging a photo in small steps does not read the file
// at every step.
constexpr double kHeadroom = 1.25;

int Ceil(double v)
{
    return static_cast<int>(std::ceil(v - 1e-9));
}

// Whether an edit turns the picture a quarter (the picture must be told: a
// square held picture of an oblong file looks the same either way).
template <class EditKind> bool IsQuarterTurn(EditKind edit)
{
    return edit == EditKind::RotateLeft || edit == EditKind::RotateRight;
}

} // namespace

QImage SSceneObject::RunEdit(Edit edit, const QImage& image)
{
    switch (edit) {
    case Edit::Mirror:
        return imageedits::Mirror(image);
    case Edit::Flip:
        return imageedits::Flip(image);
    case Edit::Negative:
        return imageedits::Negative(image);
    case Edit::GrayScale:
        return imageedits::GrayScale(image);
    case Edit::RotateLeft:
        return imageedits::RotateLeft(image);
    case Edit::RotateRight:
        return imageedits::RotateRight(image);
    }
    return {};
}

void SSceneObject::Mirror()
{
    ApplyEdit(Edit::Mirror);
}

void SSceneObject::Flip()
{
    ApplyEdit(Edit::Flip);
}

void SSceneObject::Negative()
{
    ApplyEdit(Edit::Negative);
}

void SSceneObject::GrayScale()
{
    ApplyEdit(Edit::GrayScale);
}

void SSceneObject::RotateLeft()
{
    ApplyEdit(Edit::RotateLeft);
}

void SSceneObject::RotateRight()
{
    ApplyEdit(Edit::RotateRight);
}

bool SSceneObject::RunOnPicture(Edit edit)
{
    if (!m_picture.IsValid())
        return false;
    QImage edited = RunEdit(edit, m_picture.GetImage());
    if (edited.isNull())
        return false;
    m_picture.SetImage(std::move(edited), IsQuarterTurn(edit) ? ImageTurn::QuarterTurn : ImageTurn::None);
    m_scaled = QImage();

    if (edit == Edit::RotateLeft || edit == Edit::RotateRight) {
        const QPointF centre = m_rect.center();
        const QSizeF turned = m_rect.size().transposed();
        m_rect =
            QRectF(centre.x() - turned.width() / 2, centre.y() - turned.height() / 2, turned.width(), turned.height());
    }
    return true;
}

bool SSceneObject::ApplyEdit(Edit edit)
{
    if (!RunOnPicture(edit))
        return false;
    RememberEdit(edit);
    return true;
}

// Pairs that undo each other are dropped and a second grey scale is a no-op,
// so a user who flips a photo back and forth does not make every later
// decode replay the whole history. Each edit is exact on 8-bit channels, so
// the shortened list gives the very pixels the long one would.
void SSceneObject::RememberEdit(Edit edit)
{
    if (!m_edits.empty()) {
        const Edit last = m_edits.back();
        const bool undoes = (edit == last && (edit == Edit::Mirror || edit == Edit::Flip || edit == Edit::Negative)) ||
                            (edit == Edit::RotateLeft && last == Edit::RotateRight) ||
                            (edit == Edit::RotateRight && last == Edit::RotateLeft);
        if (undoes) {
            m_edits.pop_back();
            return;
        }
        if (edit == Edit::GrayScale && last == Edit::GrayScale)
            return;
    }
    m_edits.push_back(edit);
}

bool SSceneObject::LoadPicture(const QString& path, QSize box)
{
    return LoadWithEdits(path, box, {});
}

bool SSceneObject::LoadWithEdits(const QString& path, QSize fileBox, const std::vector<Edit>& edits)
{
    CxImage fresh;
    if (!Decode(path, fileBox, edits, fresh))
        return false;
    m_path = path;
    m_edits = edits;
    SetPicture(std::move(fresh), fileBox);
    return true;
}

std::unique_ptr<SSceneObject> SSceneObject::Clone() const
{
    std::unique_ptr<SSceneObject> copy(new SSceneObject);
    copy->m_path = m_path;
    copy->m_picture = m_picture;
    copy->m_rect = m_rect;
    copy->m_edits = m_edits;
    copy->m_decodeBox = m_decodeBox;
    return copy;
}

bool SSceneObject::Reload()
{
    CxImage fresh;
    if (!Decode(m_path, m_decodeBox, m_edits, fresh))
        return false;
    SetPicture(std::move(fresh), m_decodeBox);
    return true;
}

void SSceneObject::SetPicture(CxImage picture, QSize fileBox)
{
    m_picture = std::move(picture);
    m_decodeBox = fileBox;
    m_scaled = QImage();
}

QSize SSceneObject::NeededDecodeSize(QSize background, double factor) const
{
    const double pw = m_picture.GetWidth();
    const double ph = m_picture.GetHeight();
    if (pw <= 0 || ph <= 0)
        return {};
    // Cover the place: a photo stretched out of its picture's shape needs the
    // larger of the two scales.
    double s = std::max(std::abs(m_rect.width()) / pw, std::abs(m_rect.height()) / ph) * factor;
    s = std::min(s, 1.0);
    if (background.width() > 0 && background.height() > 0)
        s = std::min({s, background.width() / pw, background.height() / ph});
    return QSize(std::max(1, Ceil(pw * s)), std::max(1, Ceil(ph * s)));
}

bool SSceneObject::EnsureResolution(QSize background)
{
    const QSize need = NeededDecodeSize(background, 1.0);
    const QSize have = m_picture.GetDecodedSize();
    // One pixel of slack: the decoder rounds the reduced size its own way.
    if (need.isEmpty() || (have.width() + 1 >= need.width() && have.height() + 1 >= need.height()))
        return true;

    const QSize box = FileBox(NeededDecodeSize(background, kHeadroom), m_edits);
    CxImage fresh;
    if (!Decode(m_path, box, m_edits, fresh))
        return false;
    SetPicture(std::move(fresh), box);
    return true;
}

QSize SSceneObject::FileBox(QSize shownBox, const std::vector<Edit>& edits)
{
    // The file decodes upright as it is stored; quarter turns among the edits
    // come after that.
    const auto turns = std::count_if(edits.begin(), edits.end(), [](Edit e) { return IsQuarterTurn(e); });
    return turns % 2 ? shownBox.transposed() : shownBox;
}

bool SSceneObject::DecodeWithEdits(QSize box, CxImage& out) const
{
    return Decode(m_path, FileBox(box, m_edits), m_edits, out);
}

bool SSceneObject::Decode(const QString& path, QSize fileBox, const std::vector<Edit>& edits, CxImage& out)
{
    CxImage fresh;
    fresh.SetMaxDecodeSize(fileBox);
    if (!fresh.Load(path, FindType(FindExtension(path).toLower())))
        return false;
    for (Edit edit : edits) {
        QImage edited = RunEdit(edit, fresh.GetImage());
        if (edited.isNull())
            return false;
        fresh.SetImage(std::move(edited), IsQuarterTurn(edit) ? ImageTurn::QuarterTurn : ImageTurn::None);
    }
    out = std::move(fresh);
    return true;
}

const QImage& SSceneObject::ScaledPicture(QSize size) const
{
    if (m_scaled.size() != size && m_picture.IsValid() && !size.isEmpty()) {
        const QImage& source = m_picture.GetImage();
        const QImage::Format format =
            source.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
        m_scaled =
            source.size() == size ? source : source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_scaled = m_scaled.convertToFormat(format);
    }
    return m_scaled;
}
