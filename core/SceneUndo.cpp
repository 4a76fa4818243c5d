// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The scene's history: recording the user's changes as steps, and Undo and
// Redo applying them.

#include "core/SceneGraph.h"

#include <optional>
#include <utility>

namespace {

// Places compared exactly: a step that put a photo back where it was is no
// step at all, and one a rounding away is one.
bool SamePlace(const QRectF& a, const QRectF& b)
{
    return a.x() == b.x() && a.y() == b.y() && a.width() == b.width() && a.height() == b.height();
}

// The edit that takes edit back exactly; grey scale has none.
std::optional<PhotoEdit> Inverse(PhotoEdit edit)
{
    switch (edit) {
    case PhotoEdit::Mirror:
    case PhotoEdit::Flip:
    case PhotoEdit::Negative:
        return edit;
    case PhotoEdit::RotateLeft:
        return PhotoEdit::RotateRight;
    case PhotoEdit::RotateRight:
        return PhotoEdit::RotateLeft;
    case PhotoEdit::GrayScale:
        break;
    }
    return std::nullopt;
}

} // namespace

int SceneGraph::IndexOf(const SSceneObject* obj) const
{
    const auto it = Find(obj);
    return it == m_photos.end() ? -1 : static_cast<int>(it - m_photos.begin());
}

void SceneGraph::NotifyHistory() const
{
    if (m_historyListener)
        m_historyListener();
}

void SceneGraph::Record(SceneChange change)
{
    if (m_openDepth > 0) {
        m_openStep.changes.push_back(std::move(change));
        return;
    }
    SceneStep step;
    step.changes.push_back(std::move(change));
    m_history.Record(std::move(step));
    NotifyHistory();
}

void SceneGraph::KeepDecoded(SceneChange& change, const SSceneObject& photo, HeldPixels before) const
{
    if (photo.m_decodeBox != before.box)
        change.pixels.push_back({IndexOf(&photo), before.box, std::move(before.picture)});
}

void SceneGraph::RecordPlace(SSceneObject* obj, const QRectF& before, HeldPixels pixels)
{
    if (SamePlace(obj->m_rect, before))
        return;
    SceneChange change;
    change.kind = SceneChange::Kind::Place;
    change.index = IndexOf(obj);
    change.before = before;
    change.after = obj->m_rect;
    KeepDecoded(change, *obj, std::move(pixels));
    Record(std::move(change));
}

void SceneGraph::BeginStep()
{
    ++m_openDepth;
}

void SceneGraph::EndStep()
{
    if (m_openDepth == 0 || --m_openDepth > 0)
        return;
    if (m_openStep.changes.empty())
        return;
    m_history.Record(std::exchange(m_openStep, SceneStep()));
    NotifyHistory();
}

void SceneGraph::MarkSaved()
{
    m_history.MarkSaved();
    NotifyHistory();
}

bool SceneGraph::EditPhoto(SSceneObject* obj, PhotoEdit edit)
{
    if (!obj || !Contains(obj))
        return false;
    SceneChange change;
    change.kind = SceneChange::Kind::Edit;
    change.index = IndexOf(obj);
    change.edit = edit;
    change.before = obj->m_rect;
    change.editsBefore = obj->m_edits;
    // Grey scale cannot be taken back from the grey pixels: the colours are
    // kept (shared with the photo until the edit replaces its pixels).
    if (!Inverse(edit))
        change.pixels.push_back({change.index, obj->m_decodeBox, obj->m_picture});
    if (!obj->ApplyEdit(edit))
        return false;
    change.after = obj->m_rect;
    change.editsAfter = obj->m_edits;
    // A second grey scale changes nothing.
    if (edit == PhotoEdit::GrayScale && change.editsBefore == change.editsAfter)
        return true;
    Record(std::move(change));
    return true;
}

bool SceneGraph::Undo()
{
    return Travel(true);
}

bool SceneGraph::Redo()
{
    return Travel(false);
}

bool SceneGraph::Travel(bool back)
{
    SceneStep* step = back ? m_history.NextUndo() : m_history.NextRedo();
    if (!step)
        return false;
    const size_t n = step->changes.size();
    // Undo takes a step's changes back last first.
    const auto at = [&](size_t k) -> SceneChange& { return step->changes[back ? n - 1 - k : k]; };
    size_t done = 0;
    for (; done < n; ++done) {
        if (!Apply(at(done), back))
            break;
    }
    if (done < n) {
        // A change that could not be applied (its file has gone): those
        // already applied are put back, so the step is whole or not at all.
        while (done-- > 0)
            Apply(at(done), !back);
        return false;
    }
    if (back)
        m_history.Undone();
    else
        m_history.Redone();
    if (m_selected && !Contains(m_selected))
        m_selected = nullptr;
    NotifyHistory();
    return true;
}

bool SceneGraph::Apply(SceneChange& change, bool back)
{
    switch (change.kind) {
    case SceneChange::Kind::Insert:
        return back ? TakeOut(change) : PutIn(change);
    case SceneChange::Kind::Remove:
        return back ? PutIn(change) : TakeOut(change);
    case SceneChange::Kind::Place: {
        SSceneObject* photo = GetPhoto(change.index);
        if (!photo || !SwapPixels(change))
            return false;
        photo->m_rect = back ? change.before : change.after;
        return true;
    }
    case SceneChange::Kind::Edit:
        return ApplyEdit(change, back);
    case SceneChange::Kind::Replace:
        return SwapPhoto(change);
    case SceneChange::Kind::Background:
        return SwapBackground(change);
    }
    return false;
}

bool SceneGraph::PutIn(SceneChange& change)
{
    if (!change.photo || change.index < 0 || change.index > GetPhotoCount())
        return false;
    SSceneObject& photo = *change.photo;
    if (!photo.m_picture.IsValid() && !photo.Reload())
        return false;
    m_photos.insert(m_photos.begin() + change.index, std::move(change.photo));
    return true;
}

bool SceneGraph::TakeOut(SceneChange& change)
{
    if (change.index < 0 || change.index >= GetPhotoCount())
        return false;
    const auto it = m_photos.begin() + change.index;
    if (m_selected == it->get())
        m_selected = nullptr;
    change.photo = std::move(*it);
    change.photo->DropScaled();
    m_photos.erase(it);
    return true;
}

bool SceneGraph::SwapPhoto(SceneChange& change)
{
    SSceneObject* photo = GetPhoto(change.index);
    if (!photo || !change.photo)
        return false;
    SSceneObject& other = *change.photo;
    if (!other.m_picture.IsValid() && !other.Reload())
        return false;
    // The photo stays the same object (the selection stays on it); what it
    // shows changes sides.
    std::swap(photo->m_path, other.m_path);
    std::swap(photo->m_picture, other.m_picture);
    std::swap(photo->m_rect, other.m_rect);
    std::swap(photo->m_edits, other.m_edits);
    std::swap(photo->m_decodeBox, other.m_decodeBox);
    photo->DropScaled();
    other.DropScaled();
    return true;
}

bool SceneGraph::SwapPixels(SceneChange& change)
{
    // Every photo's other pixels are ready before any changes sides, so a
    // file that has gone changes nothing.
    for (SceneChange::Pixels& kept : change.pixels) {
        SSceneObject* photo = GetPhoto(kept.index);
        if (!photo)
            return false;
        if (!kept.picture.IsValid() && !SSceneObject::Decode(photo->m_path, kept.box, photo->m_edits, kept.picture))
            return false;
    }
    for (SceneChange::Pixels& kept : change.pixels) {
        SSceneObject* photo = GetPhoto(kept.index);
        CxImage other = std::exchange(kept.picture, photo->m_picture);
        const QSize otherBox = std::exchange(kept.box, photo->m_decodeBox);
        photo->SetPicture(std::move(other), otherBox);
    }
    return true;
}

bool SceneGraph::SwapBackground(SceneChange& change)
{
    if (change.places.size() != m_photos.size())
        return false;
    CxImage other = std::move(change.background);
    if (!other.IsValid() && !LoadBackground(change.backgroundPath, change.backgroundSize, other))
        return false;
    if (!SwapPixels(change)) {
        change.background = std::move(other);
        return false;
    }
    // The places were on a background of the recorded size; one that comes
    // at another (its file changed since) takes them along.
    const QSize size = other.GetDecodedSize();
    const QSize recorded = std::exchange(change.backgroundSize, BackgroundSize());
    change.background = std::exchange(m_background, std::move(other));
    std::swap(m_backgroundPath, change.backgroundPath);
    m_scaledBackground = QImage();
    for (size_t i = 0; i < m_photos.size(); ++i) {
        std::swap(m_photos[i]->m_rect, change.places[i]);
        m_photos[i]->m_rect = MapToBackground(m_photos[i]->m_rect, recorded, size);
    }
    return true;
}

bool SceneGraph::ApplyEdit(SceneChange& change, bool back)
{
    SSceneObject* photo = GetPhoto(change.index);
    if (!photo)
        return false;
    if (const std::optional<PhotoEdit> inverse = Inverse(change.edit)) {
        // Exact both ways on the pixels held, whatever size they are.
        if (!photo->RunOnPicture(back ? *inverse : change.edit))
            return false;
        photo->m_edits = back ? change.editsBefore : change.editsAfter;
    } else {
        // The other side's pixels are decoded with that side's edits when
        // they were not kept.
        std::vector<PhotoEdit> edits = back ? change.editsBefore : change.editsAfter;
        std::swap(photo->m_edits, edits);
        if (!SwapPixels(change)) {
            std::swap(photo->m_edits, edits);
            return false;
        }
    }
    photo->m_rect = back ? change.before : change.after;
    return true;
}
