// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/SceneObject.h"
#include "pictures/Picture.h"

#include <QRectF>
#include <QString>
#include <memory>
#include <vector>

// One change of the scene as the history keeps it: enough to make it again
// and to take it back, without copies of pictures at their files' size. The
// scene applies changes (SceneGraph::Undo, Redo); the history only keeps
// them.
//
// What a change keeps is what the scene does not hold while the change is on
// its side of the present: a photo taken out of the scene (a photo added and
// undone, a photo deleted), the photo's other state for Change Photo Image,
// the colours a grey-scale edit took away, the other background. Those carry
// pixels, at most as large as the scene showed them. The history keeps such
// pixels only within a budget and lets the oldest go first; a change without
// them decodes its file again (and replays the photo's edits) when it is
// undone or redone. Edits that can be inverted exactly (mirror, flip,
// negative, the rotations) keep no pixels at all.
struct SceneChange {
    enum class Kind : unsigned char {
        Insert,     // a photo added at index
        Remove,     // the photo at index deleted
        Place,      // the photo at index moved or resized: before, after
        Edit,       // an edit of the photo at index
        Replace,    // the photo at index shows another picture (photo: the other state)
        Background, // another background (backgroundPath, background, places: the other one)
    };

    Kind kind = Kind::Place;
    int index = -1;

    // Insert and Remove: the photo while it is out of the scene; Replace: the
    // photo's state on the other side of the change.
    std::unique_ptr<SSceneObject> photo;

    // Place and Edit: the photo's place before and after (a quarter turn
    // turns the place).
    QRectF before;
    QRectF after;

    // Edit: which one, and the photo's list of edits on either side.
    PhotoEdit edit = PhotoEdit::Mirror;
    std::vector<PhotoEdit> editsBefore;
    std::vector<PhotoEdit> editsAfter;

    // Background: the other background's file (empty: the built-in one), its
    // size and pixels, and every photo's place on the other side.
    QString backgroundPath;
    QSize backgroundSize;
    CxImage background;
    std::vector<QRectF> places;

    // Photos whose pixels differ on the two sides in a way no edit inverts:
    // a grey-scale edit, a photo decoded again for a larger place. Each
    // keeps the other side's decode box and, while the budget lasts, its
    // pixels; without them the box, the file and the side's edits give them
    // again.
    struct Pixels {
        int index = -1;
        QSize box;
        CxImage picture;
    };
    std::vector<Pixels> pixels;

    // The bytes of pixels this change keeps.
    qint64 KeptBytes() const;
    // Lets the kept pixels go; the change can still be applied from files.
    void DropPixels();
};

// One user action: usually one change, several when one action made several
// (pictures dropped together).
struct SceneStep {
    std::vector<SceneChange> changes;
};

// The undo and redo steps of a design, and where the design was last saved
// among them.
class SceneHistory {
public:
    // What the kept pixels of all steps may take together.
    static constexpr qint64 kPixelBudget = qint64{32} << 20;
    // The oldest steps go beyond this many.
    static constexpr int kMaxSteps = 1000;

    // A new step: the steps that could be redone are gone.
    void Record(SceneStep step);

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    // The step Undo or Redo would apply; null when there is none.
    SceneStep* NextUndo() { return m_undo.empty() ? nullptr : &m_undo.back(); }
    SceneStep* NextRedo() { return m_redo.empty() ? nullptr : &m_redo.back(); }
    // The step NextUndo gave was undone (it becomes the next to redo), or
    // the one NextRedo gave was redone.
    void Undone();
    void Redone();

    // No steps; the design as it is counts as saved.
    void Clear();
    // The design as it is now is the one saved.
    void MarkSaved() { m_savedDepth = static_cast<int>(m_undo.size()); }
    // Whether the design differs from the one saved (or, never saved, from
    // where it started).
    bool IsModified() const { return m_savedDepth != static_cast<int>(m_undo.size()); }

    int UndoCount() const { return static_cast<int>(m_undo.size()); }
    qint64 KeptBytes() const;

    // Lets kept pixels go, those of the steps farthest from the present
    // first, until what is kept fits kPixelBudget.
    void KeepWithinBudget();

private:
    std::vector<SceneStep> m_undo; // the last is the next to undo
    std::vector<SceneStep> m_redo; // the last is the next to redo
    // How many undo steps the saved design had; -1 when it can no longer be
    // reached (its steps were replaced or dropped).
    int m_savedDepth = 0;
};
