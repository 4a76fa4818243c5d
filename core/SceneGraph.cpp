// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/SceneGraph.h"

#include "core/PhotoTemplateProcessor.h"
#include "pictures/ImageHelpers.h"
#include "pictures/PictureFiles.h"
#include "platform/SideBySide.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

namespace {

// Canvas coordinates are ints; a photo dragged absurdly far must not
// overflow them when mapped.
constexpr double kCoordinateLimit = 1 << 29;

int RoundToPixel(double v)
{
    return static_cast<int>(std::floor(std::clamp(v, -kCoordinateLimit, kCoordinateLimit) + 0.5));
}

QImage::Format ScreenFormat(const QImage& image)
{
    return image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
}

} // namespace

void SceneGraph::Init(PhotoTemplateProcessor* templates)
{
    calltrace::Record("SceneGraph::Init");
    m_templates = templates;
    m_photos.clear();
    m_selected = nullptr;
    m_scaledBackground = QImage();
    StartBackground(m_background, m_backgroundPath);
    StartHistory();
}

void SceneGraph::StartHistory()
{
    m_history.Clear();
    m_openStep = SceneStep();
    m_openDepth = 0;
    NotifyHistory();
}

QSize SceneGraph::DecodeBoxFor(const QRectF& box, QSize background)
{
    return QSize(std::clamp(static_cast<int>(std::ceil(box.width())), 1, std::max(1, background.width())),
                 std::clamp(static_cast<int>(std::ceil(box.height())), 1, std::max(1, background.height())));
}

void SceneGraph::StartBackground(CxImage& background, QString& path) const
{
    background.Destroy();
    path.clear();
    if (m_templates && m_templates->GetTemplateCount() > 0 && m_templates->GetTemplatePicture(0, background))
        path = m_templates->GetTemplatePath(0);
    if (!background.IsValid()) {
        background.SetImage(BuiltInBackground());
        path.clear();
    }
}

QImage SceneGraph::BuiltInBackground() const
{
    const QSize screen = m_templates ? m_templates->GetScreenSize() : QSize();
    return PhotoTemplateProcessor::MakeBuiltInTemplate(screen.isEmpty() ? PhotoTemplateProcessor::kBuiltInSize
                                                                        : screen);
}

bool SceneGraph::LoadBackground(const QString& path, QSize size, CxImage& background) const
{
    if (path.isEmpty()) {
        background.SetImage(BuiltInBackground());
        return background.IsValid();
    }
    // A template's file is the background a new design got at the screen's
    // size, or, chosen with Change Background, the file at its own size: the
    // one of the size the background had. With neither (the screen is
    // another now), the template as a new design gets it.
    int index = -1;
    for (int i = 0; m_templates && i < m_templates->GetTemplateCount() && index < 0; ++i) {
        if (m_templates->GetTemplatePath(i) == path)
            index = i;
    }
    const auto madeTemplate = [&] {
        CxImage made;
        if (index < 0 || !m_templates->GetTemplatePicture(index, made))
            return false;
        background = std::move(made);
        return true;
    };
    const bool templateFits = index >= 0 && (size.isEmpty() || m_templates->GetTemplateSize(index) == size);
    if (templateFits && madeTemplate())
        return true;
    CxImage fresh;
    const bool loaded = fresh.Load(path, FindType(FindExtension(path).toLower()));
    if (loaded && (index < 0 || fresh.GetDecodedSize() == size)) {
        background = std::move(fresh);
        return true;
    }
    // A template that fits was tried first.
    if (!templateFits && madeTemplate())
        return true;
    if (!loaded)
        return false;
    background = std::move(fresh);
    return true;
}

QRectF SceneGraph::MapToBackground(const QRectF& rect, QSize before, QSize after)
{
    if (before.isEmpty() || after.isEmpty() || before == after)
        return rect;
    // Centres keep their place relative to the background; sizes take one
    // factor, the smaller of the two, so photos keep their shape and a photo
    // that was inside the old background is inside the new one.
    const double sx = static_cast<double>(after.width()) / before.width();
    const double sy = static_cast<double>(after.height()) / before.height();
    const double s = std::min(sx, sy);
    const QSizeF size = rect.size() * s;
    const QPointF centre(rect.center().x() * sx, rect.center().y() * sy);
    return QRectF(centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(), size.height());
}

QSize SceneGraph::BackgroundSize() const
{
    return m_background.GetDecodedSize();
}

int SceneGraph::GetSceneGraphWidth() const
{
    return BackgroundSize().width();
}

int SceneGraph::GetSceneGraphHeight() const
{
    return BackgroundSize().height();
}

CRect SceneGraph::GetBackGroundActualRect() const
{
    return CRect(0, 0, GetSceneGraphWidth(), GetSceneGraphHeight());
}

bool SceneGraph::ChangeBackImage(const QString& path)
{
    CxImage fresh;
    if (!fresh.Load(path, FindType(FindExtension(path).toLower())))
        return false;

    SceneChange change;
    change.kind = SceneChange::Kind::Background;
    change.backgroundPath = std::exchange(m_backgroundPath, path);
    for (const auto& photo : m_photos)
        change.places.push_back(photo->m_rect);

    const QSize before = BackgroundSize();
    const QSize after = fresh.GetDecodedSize();
    change.backgroundSize = before;
    change.background = std::exchange(m_background, std::move(fresh));
    m_scaledBackground = QImage();
    if (!before.isEmpty()) {
        for (const auto& photo : m_photos) {
            HeldPixels pixels = Held(*photo);
            photo->m_rect = MapToBackground(photo->m_rect, before, after);
            photo->EnsureResolution(after);
            KeepDecoded(change, *photo, std::move(pixels));
        }
    }
    Record(std::move(change));
    return true;
}

void SceneGraph::SetCanvasRect(const CRect& rect)
{
    m_canvasRect = rect;
    m_canvasRect.NormalizeRect();
}

CRect SceneGraph::FittedBackground(const CRect& target) const
{
    const QSize size = BackgroundSize();
    float scale = 1.0f;
    return ResizeRect(CRect(0, 0, size.width(), size.height()), target, scale);
}

CRect SceneGraph::CanvasBackground() const
{
    return FittedBackground(m_canvasRect.IsRectEmpty() ? GetBackGroundActualRect() : m_canvasRect);
}

QRectF SceneGraph::CanvasToScene(const CRect& rect) const
{
    const QSize size = BackgroundSize();
    const CRect fitted = CanvasBackground();
    if (size.isEmpty() || fitted.IsRectEmpty())
        return {};
    const double kx = static_cast<double>(size.width()) / fitted.Width();
    const double ky = static_cast<double>(size.height()) / fitted.Height();
    const double left = (rect.left - fitted.left) * kx;
    const double top = (rect.top - fitted.top) * ky;
    const double right = (rect.right - fitted.left) * kx;
    const double bottom = (rect.bottom - fitted.top) * ky;
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

// Each edge is rounded on its own, the way the canvas-to-scene mapping is
// inverted, so a rectangle taken from the canvas comes back exactly.
CRect SceneGraph::SceneToTarget(const QRectF& rect, const CRect& fitted) const
{
    const QSize size = BackgroundSize();
    if (size.isEmpty() || fitted.IsRectEmpty())
        return {};
    const double kx = static_cast<double>(fitted.Width()) / size.width();
    const double ky = static_cast<double>(fitted.Height()) / size.height();
    return CRect(fitted.left + RoundToPixel(rect.left() * kx), fitted.top + RoundToPixel(rect.top() * ky),
                 fitted.left + RoundToPixel(rect.right() * kx), fitted.top + RoundToPixel(rect.bottom() * ky));
}

std::vector<std::unique_ptr<SSceneObject>>::const_iterator SceneGraph::Find(const SSceneObject* obj) const
{
    return std::find_if(m_photos.begin(), m_photos.end(), [obj](const auto& p) { return p.get() == obj; });
}

SSceneObject* SceneGraph::GetPhoto(int index) const
{
    if (index < 0 || index >= GetPhotoCount())
        return nullptr;
    return m_photos[static_cast<size_t>(index)].get();
}

QRectF SceneGraph::FitInside(QSizeF pictureSize, const QRectF& box)
{
    if (pictureSize.isEmpty() || box.isEmpty())
        return box;
    const double s = std::min(box.width() / pictureSize.width(), box.height() / pictureSize.height());
    const QSizeF size = pictureSize * s;
    const QPointF centre = box.center();
    return QRectF(centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(), size.height());
}

bool SceneGraph::CreateSceneObject(const QString& path, CRect& rect)
{
    std::vector<CRect> rects{rect};
    if (!CreateSceneObjects({path}, rects).front())
        return false;
    rect = rects.front();
    return true;
}

std::vector<bool> SceneGraph::CreateSceneObjects(const QStringList& paths, std::vector<CRect>& rects)
{
    std::vector<bool> added(static_cast<size_t>(paths.size()), false);
    if (!m_background.IsValid() || rects.size() != added.size())
        return added;
    // The photo fills its box with its own shape, so decoding to fit the box
    // (and the background) gives exactly the pixels it shows.
    const QSize background = BackgroundSize();
    struct Placing {
        QRectF box;
        std::unique_ptr<SSceneObject> photo;
        bool loaded = false;
    };
    std::vector<Placing> placings(added.size());
    for (size_t i = 0; i < placings.size(); ++i) {
        CRect canvas = rects[i];
        canvas.NormalizeRect();
        if (canvas.IsRectEmpty())
            continue;
        placings[i].box = CanvasToScene(canvas);
        if (!placings[i].box.isEmpty())
            placings[i].photo.reset(new SSceneObject);
    }
    RunSideBySide(static_cast<int>(placings.size()), [&](int i) {
        Placing& p = placings[static_cast<size_t>(i)];
        if (!p.photo)
            return;
        try {
            p.loaded = p.photo->LoadPicture(paths[i], DecodeBoxFor(p.box, background));
        } catch (const std::bad_alloc&) {
            p.loaded = false;
        }
    });
    for (size_t i = 0; i < placings.size(); ++i) {
        std::unique_ptr<SSceneObject>& photo = placings[i].photo;
        if (!placings[i].loaded)
            continue;
        photo->m_rect = FitInside(QSizeF(photo->m_picture.GetWidth(), photo->m_picture.GetHeight()), placings[i].box);
        KeepOnBackground(photo->m_rect);
        photo->EnsureResolution(background);
        m_photos.push_back(std::move(photo));
        rects[i] = GetPhotoDrawRect(m_photos.back().get());
        added[i] = true;

        SceneChange change;
        change.kind = SceneChange::Kind::Insert;
        change.index = GetPhotoCount() - 1;
        Record(std::move(change));
    }
    return added;
}

void SceneGraph::KeepOnBackground(QRectF& rect) const
{
    const QSizeF background = BackgroundSize();
    if (background.isEmpty())
        return;
    // Per axis: where it fits, the least move that keeps it inside; where it
    // does not, its start at the background's.
    const auto onto = [](qreal start, qreal length, qreal extent) {
        return length >= extent ? 0.0 : std::clamp<qreal>(start, 0.0, extent - length);
    };
    rect.moveTo(onto(rect.left(), rect.width(), background.width()),
                onto(rect.top(), rect.height(), background.height()));
}

bool SceneGraph::CheckHitPhoto(int x, int y)
{
    for (auto it = m_photos.rbegin(); it != m_photos.rend(); ++it) {
        if (GetPhotoDrawRect(it->get()).PtInRect(CPoint(x, y))) {
            m_selected = it->get();
            return true;
        }
    }
    m_selected = nullptr;
    return false;
}

CRect SceneGraph::PhotoTarget(const SSceneObject& photo, const CRect& fitted, int minSide) const
{
    CRect target = SceneToTarget(photo.m_rect, fitted);
    target.NormalizeRect();
    if (fitted.IsRectEmpty())
        return target;
    // Grown about its centre, so the photo stays where it is.
    if (target.Width() < minSide) {
        const double centre = (target.left + target.right) / 2.0;
        target.left = static_cast<int>(std::floor(centre - minSide / 2.0 + 0.5));
        target.right = target.left + minSide;
    }
    if (target.Height() < minSide) {
        const double centre = (target.top + target.bottom) / 2.0;
        target.top = static_cast<int>(std::floor(centre - minSide / 2.0 + 0.5));
        target.bottom = target.top + minSide;
    }
    return target;
}

CRect SceneGraph::GetPhotoDrawRect(const SSceneObject* obj) const
{
    if (!obj || !Contains(obj))
        return {};
    return PhotoTarget(*obj, CanvasBackground(), kMinPhotoSide);
}

bool SceneGraph::SetPhotoDrawRect(SSceneObject* obj, const CRect& rect, bool interim)
{
    CRect canvas = rect;
    canvas.NormalizeRect();
    if (!obj || !Contains(obj) || canvas.IsRectEmpty())
        return false;
    const QRectF scene = CanvasToScene(canvas);
    if (scene.isEmpty())
        return false;
    const QRectF before = obj->m_rect;
    obj->m_rect = scene;
    if (!interim) {
        HeldPixels pixels = Held(*obj);
        obj->EnsureResolution(BackgroundSize());
        RecordPlace(obj, before, std::move(pixels));
    }
    return true;
}

bool SceneGraph::SetPhotoSceneRect(SSceneObject* obj, const QRectF& rect)
{
    const QRectF scene = rect.normalized();
    if (!obj || !Contains(obj) || scene.isEmpty())
        return false;
    obj->m_rect = scene;
    obj->EnsureResolution(BackgroundSize());
    return true;
}

bool SceneGraph::DragPhoto(SSceneObject* obj, const QRectF& sceneFrom, const CRect& canvasFrom, const CRect& canvasTo,
                           bool interim)
{
    CRect from = canvasFrom;
    from.NormalizeRect();
    CRect to = canvasTo;
    to.NormalizeRect();
    const QSize size = BackgroundSize();
    const CRect fitted = CanvasBackground();
    if (!obj || !Contains(obj) || to.IsRectEmpty() || size.isEmpty() || fitted.IsRectEmpty())
        return false;

    QRectF scene = sceneFrom.normalized();
    if (to.Size() == from.Size()) {
        const double kx = static_cast<double>(size.width()) / fitted.Width();
        const double ky = static_cast<double>(size.height()) / fitted.Height();
        scene.translate((to.left - from.left) * kx, (to.top - from.top) * ky);
    } else {
        const QRectF mapped = CanvasToScene(to);
        if (to.left != from.left)
            scene.setLeft(mapped.left());
        if (to.right != from.right)
            scene.setRight(mapped.right());
        if (to.top != from.top)
            scene.setTop(mapped.top());
        if (to.bottom != from.bottom)
            scene.setBottom(mapped.bottom());
        scene = scene.normalized();
    }
    if (scene.isEmpty())
        return false;
    obj->m_rect = scene;
    if (!interim) {
        HeldPixels pixels = Held(*obj);
        obj->EnsureResolution(size);
        RecordPlace(obj, sceneFrom.normalized(), std::move(pixels));
    }
    return true;
}

bool SceneGraph::DeletePhoto(SSceneObject* obj)
{
    const auto it = Find(obj);
    if (!obj || it == m_photos.end())
        return false;
    if (m_selected == obj)
        m_selected = nullptr;
    SceneChange change;
    change.kind = SceneChange::Kind::Remove;
    change.index = static_cast<int>(it - m_photos.begin());
    change.photo = std::move(m_photos[static_cast<size_t>(change.index)]);
    change.photo->DropScaled();
    m_photos.erase(m_photos.begin() + change.index);
    Record(std::move(change));
    return true;
}

bool SceneGraph::ChangePhotoImage(SSceneObject* obj, const QString& path)
{
    if (!obj || !Contains(obj))
        return false;
    const QRectF box = obj->m_rect;
    const QSize background = BackgroundSize();
    std::unique_ptr<SSceneObject> before = obj->Clone();
    if (!obj->LoadPicture(path, DecodeBoxFor(box, background)))
        return false;
    obj->m_rect = FitInside(QSizeF(obj->m_picture.GetWidth(), obj->m_picture.GetHeight()), box);
    obj->EnsureResolution(background);

    SceneChange change;
    change.kind = SceneChange::Kind::Replace;
    change.index = IndexOf(obj);
    change.photo = std::move(before);
    Record(std::move(change));
    return true;
}

bool SceneGraph::RestoreRatio(SSceneObject* obj)
{
    if (!obj || !Contains(obj) || !obj->m_picture.IsValid())
        return false;
    const QRectF before = obj->m_rect;
    obj->m_rect = FitInside(QSizeF(obj->m_picture.GetWidth(), obj->m_picture.GetHeight()), obj->m_rect);
    RecordPlace(obj, before, Held(*obj));
    return true;
}

const QImage& SceneGraph::ScaledBackground(QSize size) const
{
    if (m_scaledBackground.size() != size) {
        const QImage& source = m_background.GetImage();
        m_scaledBackground =
            source.size() == size ? source : source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_scaledBackground = m_scaledBackground.convertToFormat(ScreenFormat(source));
    }
    return m_scaledBackground;
}

void SceneGraph::Render(QPainter* dc, const CRect& rect) const
{
    if (!dc || !m_background.IsValid())
        return;
    // On a high-DPI surface the painter scales logical coordinates up to
    // device pixels; pictures scaled to the logical size would be enlarged
    // again, blurred. So the scene is drawn in device pixels, wherever the
    // painter maps by a plain scale (a rotated painter gets the logical path).
    const QTransform toDevice = dc->deviceTransform();
    const bool scaled = toDevice.m11() != 1 || toDevice.m22() != 1;
    if (!scaled || toDevice.type() > QTransform::TxScale || toDevice.m11() <= 0 || toDevice.m22() <= 0) {
        RenderFitted(dc, rect, kMinPhotoSide);
        return;
    }
    const QRectF device = toDevice.mapRect(QRectF(rect.left, rect.top, rect.Width(), rect.Height()));
    const CRect target(RoundToPixel(device.left()), RoundToPixel(device.top()), RoundToPixel(device.right()),
                       RoundToPixel(device.bottom()));
    dc->save();
    dc->setWorldTransform(toDevice.inverted() * dc->worldTransform());
    RenderFitted(dc, target, std::max(1, RoundToPixel(kMinPhotoSide * std::min(toDevice.m11(), toDevice.m22()))));
    dc->restore();
}

void SceneGraph::RenderFitted(QPainter* dc, const CRect& rect, int minSide) const
{
    const CRect fitted = FittedBackground(rect);
    if (fitted.IsRectEmpty())
        return;

    const QImage& background = ScaledBackground(fitted.Size().ToQSize());
    // Transparent parts of the background show white, as the saved JPEG
    // has them, not whatever the caller drew beneath.
    if (background.hasAlphaChannel())
        dc->fillRect(fitted.ToQRect(), Qt::white);
    dc->drawImage(fitted.TopLeft().ToQPoint(), background);

    dc->save();
    dc->setClipRect(fitted.ToQRect(), Qt::IntersectClip);
    for (const auto& photo : m_photos) {
        const CRect target = PhotoTarget(*photo, fitted, minSide);
        CRect visible;
        if (target.IsRectEmpty() || !visible.IntersectRect(target, fitted))
            continue;
        // A photo blown up far beyond the background would need a huge scaled
        // copy; drawing it scaled costs only the visible part instead.
        if (target.Width() > 2 * fitted.Width() || target.Height() > 2 * fitted.Height()) {
            dc->setRenderHint(QPainter::SmoothPixmapTransform, true);
            dc->drawImage(target.ToQRect(), photo->m_picture.GetImage());
            continue;
        }
        dc->drawImage(target.TopLeft().ToQPoint(), photo->ScaledPicture(target.Size().ToQSize()));
    }
    dc->restore();
}
