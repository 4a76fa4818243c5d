// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Undo and Redo of every change the user can make to a design, the steps
// they keep, and whether the design counts as changed.

#include "core/SceneGraph.h"
#include "support/DesignState.h"
#include "support/PatternImage.h"
#include "support/PictureFixtures.h"
#include "support/SceneFixture.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

using namespace fixtures;

namespace {

class HistoryTest : public SceneFixture {
protected:
    void SetUp() override
    {
        SceneFixture::SetUp();
        m_background = Picture("background.png", PatternImage(400, 225));
        m_jpeg = Picture("photo.jpg", PatternImage(600, 400), "jpeg");
        m_png = Picture("other.png", PatternImage(300, 450));
        ASSERT_TRUE(scene->ChangeBackImage(m_background));
        scene->SetCanvasRect(CRect(0, 0, 200, 113));
        CRect a(10, 10, 60, 60);
        CRect b(90, 30, 150, 100);
        ASSERT_TRUE(scene->CreateSceneObject(m_jpeg, a));
        ASSERT_TRUE(scene->CreateSceneObject(m_png, b));
    }

    // Moves (same size) or resizes photo 0 to canvas rectangle to, as a drag
    // of the tracker does: interim steps, then the final one.
    void Drag(const CRect& to)
    {
        SSceneObject* photo = scene->GetPhoto(0);
        const QRectF from = photo->GetSceneRect();
        const CRect canvasFrom = scene->GetPhotoDrawRect(photo);
        CRect half = canvasFrom;
        half.OffsetRect((to.left - canvasFrom.left) / 2, 0);
        scene->DragPhoto(photo, from, canvasFrom, half, true);
        scene->DragPhoto(photo, from, canvasFrom, to, true);
        scene->DragPhoto(photo, from, canvasFrom, to);
    }

    QString m_background, m_jpeg, m_png;
};

} // namespace

TEST_F(HistoryTest, EveryKindOfStepIsUndoneAndRedoneExactly)
{
    struct Case {
        const char* what;
        std::function<bool(SceneGraph*)> act;
        int steps = 1;
    };
    const std::vector<Case> cases{
        {"add",
         [&](SceneGraph* s) {
             CRect r(120, 5, 180, 60);
             return s->CreateSceneObject(m_png, r);
         }},
        {"delete", [](SceneGraph* s) { return s->DeletePhoto(s->GetPhoto(0)); }},
        {"move",
         [&](SceneGraph*) {
             Drag(CRect(40, 50, 90, 84));
             return true;
         }},
        {"resize larger (decoded again)",
         [&](SceneGraph*) {
             Drag(CRect(10, 10, 160, 110));
             return true;
         }},
        {"resize smaller",
         [&](SceneGraph*) {
             Drag(CRect(10, 10, 30, 24));
             return true;
         }},
        {"mirror", [](SceneGraph* s) { return s->EditPhoto(s->GetPhoto(0), PhotoEdit::Mirror); }},
        {"flip", [](SceneGraph* s) { return s->EditPhoto(s->GetPhoto(0), PhotoEdit::Flip); }},
        {"negative", [](SceneGraph* s) { return s->EditPhoto(s->GetPhoto(0), PhotoEdit::Negative); }},
        {"grey scale", [](SceneGraph* s) { return s->EditPhoto(s->GetPhoto(0), PhotoEdit::GrayScale); }},
        {"rotate left", [](SceneGraph* s) { return s->EditPhoto(s->GetPhoto(1), PhotoEdit::RotateLeft); }},
        {"rotate right", [](SceneGraph* s) { return s->EditPhoto(s->GetPhoto(1), PhotoEdit::RotateRight); }},
        {"restore ratio",
         [](SceneGraph* s) {
             // Stretched first by a drag of a side handle.
             SSceneObject* p = s->GetPhoto(1);
             const CRect from = s->GetPhotoDrawRect(p);
             s->DragPhoto(p, p->GetSceneRect(), from, CRect(from.left, from.top, from.right + 30, from.bottom));
             return s->RestoreRatio(p);
         },
         2},
        {"change photo image", [&](SceneGraph* s) { return s->ChangePhotoImage(s->GetPhoto(0), m_png); }},
        {"change background",
         [&](SceneGraph* s) { return s->ChangeBackImage(Picture("wide.png", PatternImage(800, 300))); }},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Each case on the design as SetUp made it, with the history it made.
        while (scene->Undo()) {
        }
        while (scene->CanRedo())
            ASSERT_TRUE(scene->Redo());
        const int steps = scene->GetHistory().UndoCount();
        const DesignSnapshot before = Snapshot(*scene);
        ASSERT_TRUE(c.act(scene));
        const DesignSnapshot after = Snapshot(*scene);
        EXPECT_NE(after, before) << "the change shows";

        EXPECT_EQ(scene->GetHistory().UndoCount(), steps + c.steps);
        for (int i = 0; i < c.steps; ++i)
            ASSERT_TRUE(scene->Undo());
        EXPECT_EQ(Snapshot(*scene), before);
        EXPECT_EQ(scene->GetHistory().UndoCount(), steps);
        while (scene->CanRedo())
            ASSERT_TRUE(scene->Redo());
        EXPECT_EQ(Snapshot(*scene), after);
        // And back once more: each side keeps what the other needs.
        ASSERT_TRUE(scene->Undo());
        ASSERT_TRUE(scene->Redo());
        EXPECT_EQ(Snapshot(*scene), after);
        // The next case starts from SetUp's design.
        while (scene->GetHistory().UndoCount() > steps)
            ASSERT_TRUE(scene->Undo());
        EXPECT_EQ(Snapshot(*scene), before);
        // A new step (below) forgets what could be redone.
        CRect r(0, 0, 20, 20);
        ASSERT_TRUE(scene->CreateSceneObject(m_png, r));
        EXPECT_FALSE(scene->CanRedo());
        ASSERT_TRUE(scene->Undo());
    }
}

TEST_F(HistoryTest, ADragIsOneStepAndACancelledDragNone)
{
    const int steps = scene->GetHistory().UndoCount();
    const DesignSnapshot before = Snapshot(*scene);
    Drag(CRect(40, 50, 90, 84));
    EXPECT_EQ(scene->GetHistory().UndoCount(), steps + 1);

    // Dragged and put back (as the tracker does on Escape): no step.
    SSceneObject* photo = scene->GetPhoto(0);
    const QRectF place = photo->GetSceneRect();
    const CRect canvas = scene->GetPhotoDrawRect(photo);
    CRect away = canvas;
    away.OffsetRect(30, 30);
    scene->DragPhoto(photo, place, canvas, away, true);
    scene->SetPhotoSceneRect(photo, place);
    EXPECT_EQ(scene->GetHistory().UndoCount(), steps + 1);

    ASSERT_TRUE(scene->Undo());
    EXPECT_EQ(Snapshot(*scene), before);
}

TEST_F(HistoryTest, PicturesDroppedTogetherAreOneStep)
{
    const DesignSnapshot before = Snapshot(*scene);
    scene->BeginStep();
    for (int i = 0; i < 3; ++i) {
        CRect r(10 + 20 * i, 10, 60 + 20 * i, 60);
        ASSERT_TRUE(scene->CreateSceneObject(m_jpeg, r));
    }
    scene->EndStep();
    EXPECT_EQ(scene->GetPhotoCount(), 5);
    ASSERT_TRUE(scene->Undo());
    EXPECT_EQ(Snapshot(*scene), before);
    ASSERT_TRUE(scene->Redo());
    EXPECT_EQ(scene->GetPhotoCount(), 5);
}

TEST_F(HistoryTest, ChangedMeansDifferentFromTheDesignLastSaved)
{
    // SetUp's design is new: its own steps are changes.
    EXPECT_TRUE(scene->IsModified());
    scene->Init(PhotoTemplateProcessor::GetInstance());
    EXPECT_FALSE(scene->IsModified()) << "a new design";
    EXPECT_FALSE(scene->CanUndo());
    CRect r(10, 10, 60, 60);
    ASSERT_TRUE(scene->CreateSceneObject(m_jpeg, r));
    EXPECT_TRUE(scene->IsModified());
    ASSERT_TRUE(scene->Undo());
    EXPECT_FALSE(scene->IsModified()) << "back where it started";

    ASSERT_TRUE(scene->Redo());
    scene->MarkSaved();
    EXPECT_FALSE(scene->IsModified());
    ASSERT_TRUE(scene->EditPhoto(scene->GetPhoto(0), PhotoEdit::Mirror));
    EXPECT_TRUE(scene->IsModified());
    ASSERT_TRUE(scene->Undo());
    EXPECT_FALSE(scene->IsModified()) << "the saved design again";

    // The saved design among steps a new step replaced can never come back.
    ASSERT_TRUE(scene->Undo());
    ASSERT_TRUE(scene->EditPhoto(nullptr, PhotoEdit::Mirror) == false);
    ASSERT_TRUE(scene->ChangeBackImage(m_background));
    ASSERT_TRUE(scene->Undo());
    EXPECT_TRUE(scene->IsModified());

    int heard = 0;
    scene->SetHistoryListener([&] { ++heard; });
    ASSERT_TRUE(scene->Redo());
    scene->MarkSaved();
    EXPECT_EQ(heard, 2);
    scene->SetHistoryListener({});
}

TEST_F(HistoryTest, PixelsBeyondTheBudgetComeBackFromTheFiles)
{
    // Two photos shown at 3000x2000: each grey-scale step keeps 24 MB of
    // colours, more than the budget holds for both.
    const QString big = Picture("big.png", PatternImage(3000, 2000));
    const QString large = Picture("large.jpg", PatternImage(3000, 2000), "jpeg");
    ASSERT_TRUE(scene->ChangeBackImage(big));
    scene->Init(PhotoTemplateProcessor::GetInstance());
    ASSERT_TRUE(scene->ChangeBackImage(big));
    scene->SetCanvasRect(CRect(0, 0, 300, 200));
    for (const QString& file : {big, large}) {
        CRect whole(0, 0, 300, 200);
        ASSERT_TRUE(scene->CreateSceneObject(file, whole));
    }
    const DesignSnapshot start = Snapshot(*scene);
    ASSERT_TRUE(scene->EditPhoto(scene->GetPhoto(0), PhotoEdit::GrayScale));
    ASSERT_TRUE(scene->EditPhoto(scene->GetPhoto(1), PhotoEdit::GrayScale));
    ASSERT_TRUE(scene->DeletePhoto(scene->GetPhoto(1)));
    const DesignSnapshot end = Snapshot(*scene);
    EXPECT_LE(scene->GetHistory().KeptBytes(), SceneHistory::kPixelBudget);

    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(scene->Undo());
    EXPECT_LE(scene->GetHistory().KeptBytes(), SceneHistory::kPixelBudget);
    EXPECT_EQ(Snapshot(*scene), start);
    while (scene->CanRedo())
        ASSERT_TRUE(scene->Redo());
    EXPECT_EQ(Snapshot(*scene), end);

    // A step whose file has gone since cannot be undone, and changes nothing
    // trying: the deleted photo's colours went with the budget when the
    // grey-scale step after it kept its own.
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(scene->Undo());
    ASSERT_TRUE(scene->DeletePhoto(scene->GetPhoto(1)));
    ASSERT_TRUE(scene->EditPhoto(scene->GetPhoto(0), PhotoEdit::GrayScale));
    ASSERT_TRUE(QFile::remove(large));
    ASSERT_TRUE(scene->Undo()) << "the grey photo's own file is there";
    const DesignSnapshot stuck = Snapshot(*scene);
    const int steps = scene->GetHistory().UndoCount();
    EXPECT_FALSE(scene->Undo());
    EXPECT_EQ(Snapshot(*scene), stuck);
    EXPECT_EQ(scene->GetHistory().UndoCount(), steps);
}

TEST_F(HistoryTest, ABackgroundUndoneFromItsTemplateComesAtTheSizeItHad)
{
    // The template is made at the screen's 3000x2000 from a file of half
    // that; the next background's 24 MB push its pixels out of the budget,
    // so Undo makes it again from the template.
    const QString file = Picture("templates/sea.png", PatternImage(1500, 1000));
    PhotoTemplateProcessor* templates = PhotoTemplateProcessor::GetInstance();
    templates->SetTemplateFolders({m_dir.filePath("templates")});
    templates->SetCacheFolder(m_dir.filePath("cache"));
    templates->SetScreenSize(QSize(3000, 2000));
    templates->LoadAllTemplate();
    scene->Init(templates);
    scene->SetCanvasRect(CRect(0, 0, 300, 200));
    CRect rect(30, 20, 120, 80);
    ASSERT_TRUE(scene->CreateSceneObject(m_png, rect));
    const DesignSnapshot start = Snapshot(*scene);

    ASSERT_TRUE(scene->ChangeBackImage(Picture("next.png", PatternImage(3000, 2000))));
    ASSERT_TRUE(scene->ChangeBackImage(Picture("last.png", PatternImage(2000, 3000))));
    ASSERT_LE(scene->GetHistory().KeptBytes(), SceneHistory::kPixelBudget);
    ASSERT_TRUE(scene->Undo());
    ASSERT_TRUE(scene->Undo());
    EXPECT_EQ(scene->GetBackgroundPath(), file);
    EXPECT_EQ(Snapshot(*scene), start);
}
