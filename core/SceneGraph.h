// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/DesignDocument.h"
#include "core/SceneHistory.h"
#include "core/SceneObject.h"
#include "core/Singleton.h"
#include "pictures/Picture.h"
#include "platform/Geometry.h"

#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class PhotoTemplateProcessor;
class QPainter;

// The scene: one background picture with photos placed on it. Writing it as a
// JPEG (SaveToJPG and its banded composition) lives in SceneExport.cpp.
//
// Photos are kept in the background's own pixels, so the saved JPEG is exact
// at the background's full size whatever size the canvas has. The background
// is drawn fitted (ResizeRect) into whatever rectangle Render is given. The
// operations that take or return points and rectangles work in the design
// canvas's client coordinates: the scene knows the canvas's client rectangle
// (SetCanvasRect) and maps through the background as fitted into it. Rendering
// into another rectangle (a full-screen preview, the JPEG) never changes that
// mapping.
//
// Results are reported, but callers may ignore them: a failed operation
// changes nothing.
//
// Every change the user makes (a photo added, deleted, moved or resized, an
// edit, Restore Ratio, Change Photo Image, Change Background) is a step of
// the design's history, which Undo and Redo walk. A drag is one step: only
// its final rectangle is recorded, from where the drag began. Init and
// OpenDesign start a new history. (The undo machinery is in SceneUndo.cpp,
// documents in SceneDesign.cpp.)
class SceneGraph : public CoreSingleton<SceneGraph> {
public:
    static constexpr const char* kServiceName = "SceneGraph";
    static constexpr int kJpegQuality = 92;

    // Takes the template processor after its templates are loaded and starts
    // on its first template (the built-in gradient when that one no longer
    // decodes), with no photos and no history. The scene keeps the pointer
    // but does not use it once shutdown has begun: the processor is
    // destroyed before the scene.
    void Init(PhotoTemplateProcessor* templates);

    // The background's size in pixels; 0 before Init.
    int GetSceneGraphWidth() const;
    int GetSceneGraphHeight() const;
    const CxImage& GetBackground() const { return m_background; }
    // The background's file; empty for the built-in one.
    const QString& GetBackgroundPath() const { return m_backgroundPath; }

    // Replaces the background. Photos keep their shape and their places
    // relative to the background: each centre stays at the same fraction of
    // the background's width and height, and each photo is scaled uniformly
    // by the smaller of the two factors between the backgrounds. False, and
    // nothing changed, when the file does not decode.
    bool ChangeBackImage(const QString& path);

    // The design canvas's client rectangle, which canvas coordinates refer to.
    // Until it is set (or when set empty) canvas coordinates are background
    // pixels.
    void SetCanvasRect(const CRect& rect);
    CRect GetCanvasRect() const { return m_canvasRect; }

    // Adds a photo on top of the others, inside rect (canvas coordinates),
    // as large as fits with the picture's own aspect ratio and centred in it,
    // and wholly on the background: a photo that would reach past an edge is
    // moved, not resized, the least distance that brings it all on (one
    // larger than the background goes to its top-left corner), so the saved
    // design has what the canvas shows. rect receives the photo's canvas
    // rectangle. The selection is left alone. False, and nothing added, for a
    // file that does not decode, an empty rect or a scene without background.
    bool CreateSceneObject(const QString& path, CRect& rect);
    // Adds several photos at once, as a drop of several files does: each as
    // CreateSceneObject adds it, inside its own rect (which receives the
    // photo's canvas rectangle), in order; the files are decoded side by
    // side. For each, whether it was added.
    std::vector<bool> CreateSceneObjects(const QStringList& paths, std::vector<CRect>& rects);

    SSceneObject* GetSelectedSceneObj() const { return m_selected; }

    // Selects the topmost photo whose canvas rectangle holds (x, y) and
    // returns true; with none there, clears the selection and returns false.
    bool CheckHitPhoto(int x, int y);

    // However small a photo is made, the canvas shows it at least this many
    // pixels wide and high, so it can be seen, selected and deleted.
    static constexpr int kMinPhotoSide = 4;

    // The photo's rectangle on the canvas, as Render draws it there (at least
    // kMinPhotoSide each way); empty for null or a photo not on the scene.
    CRect GetPhotoDrawRect(const SSceneObject* obj) const;

    // Puts the photo at rect (canvas coordinates, normalised). An interim
    // rectangle (a step of a drag) only moves the photo; the final one also
    // decodes the picture again if the photo grew past its pixels. False for
    // an empty rect or a photo not on the scene.
    bool SetPhotoDrawRect(SSceneObject* obj, const CRect& rect, bool interim = false);

    // The same in background pixels, exactly: used to put a photo back where
    // it was (a cancelled drag), so it is no step of the history.
    bool SetPhotoSceneRect(SSceneObject* obj, const QRectF& rect);

    // Puts the photo where a drag of its canvas rectangle from canvasFrom to
    // canvasTo takes it, the photo having been at sceneFrom (background
    // pixels) when the drag began. A move (same size) shifts sceneFrom by the
    // distance, keeping its size exactly; a resize maps only the edges that
    // moved from the canvas and keeps the others exactly. An interim
    // rectangle only moves the photo, as for SetPhotoDrawRect. False for an
    // empty result or a photo not on the scene.
    bool DragPhoto(SSceneObject* obj, const QRectF& sceneFrom, const CRect& canvasFrom, const CRect& canvasTo,
                   bool interim = false);

    // The background as drawn on the canvas: where canvas coordinates and
    // background pixels meet.
    CRect GetBackgroundDrawRect() const { return CanvasBackground(); }

    // Removes the photo; null (or a photo not on the scene) does nothing and
    // returns false.
    bool DeletePhoto(SSceneObject* obj);

    // The photo shows the picture of path instead, as large as fits inside its
    // current place with the new picture's aspect ratio, centred; its edits
    // are forgotten. False, and nothing changed, for a file that does not
    // decode.
    bool ChangePhotoImage(SSceneObject* obj, const QString& path);

    // Gives the photo its picture's aspect ratio again: as large as fits in
    // its current place, about the same centre.
    bool RestoreRatio(SSceneObject* obj);

    // Edits the photo's picture (SSceneObject::Mirror and the others) as a
    // step of the history. False for a photo not on the scene or an edit
    // that ran out of memory.
    bool EditPhoto(SSceneObject* obj, PhotoEdit edit);

    // The history. Undo takes back the last step, Redo makes again the last
    // one taken back; a new step forgets those that could be redone. False
    // when there is nothing to undo or redo, or when the step needs a file
    // that can no longer be decoded (nothing changes then).
    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    bool Undo();
    bool Redo();
    // Whether the design differs from the one last saved or opened; a new
    // design, from where it started.
    bool IsModified() const { return m_history.IsModified(); }
    // The design as it is now is the one saved.
    void MarkSaved();
    const SceneHistory& GetHistory() const { return m_history; }
    // Called after every change of the history: a step made, undone or
    // redone, the history started anew, the design saved.
    void SetHistoryListener(std::function<void()> listener) { m_historyListener = std::move(listener); }

    // Makes the changes between BeginStep and the matching EndStep one step
    // (pictures dropped together). Pairs nest.
    void BeginStep();
    void EndStep();

    // The design as a document holds it.
    Design GetDesign() const;
    // Replaces the scene with the design, with a new history. A photo whose
    // file cannot be decoded is left out, a background that cannot be
    // decoded gives way to the first template; missing receives those
    // files, each once.
    void OpenDesign(const Design& design, QStringList* missing = nullptr);

    // Draws the background fitted inside rect and the photos over it, clipped
    // to the background, over whatever dc already holds. Pictures are drawn
    // from copies scaled to their on-screen size in device pixels (twice the
    // logical size on a surface of pixel ratio 2), made once per size.
    void Render(QPainter* dc, const CRect& rect) const;

    // The background at its full size: (0, 0, width, height).
    CRect GetBackGroundActualRect() const;

    // Writes the scene at the background's full size as a JPEG of quality
    // kJpegQuality. A missing parent folder is created. The file is written
    // beside the target and renamed over it only when complete, so on any
    // failure (false) an existing file is left whole; error, when given,
    // then receives a sentence saying why, for the user.
    //
    // The picture is composed and encoded in bands of rows: no full-size copy
    // of the background is made. A photo reaching past the background is
    // drawn from its file decoded at the size it is shown (the scene holds it
    // no larger than the background), one photo at a time.
    bool SaveToJPG(const QString& path, QString* error = nullptr) const;

    // The photos, bottom first.
    int GetPhotoCount() const { return static_cast<int>(m_photos.size()); }
    SSceneObject* GetPhoto(int index) const;

private:
    friend class CoreSingleton<SceneGraph>;
    SceneGraph() = default;
    ~SceneGraph() = default;

    QSize BackgroundSize() const;
    // The background a new design starts on: the first template, or the
    // built-in one when that does not decode. path receives its file.
    void StartBackground(CxImage& background, QString& path) const;
    // The built-in background, at the screen's size when that is known.
    QImage BuiltInBackground() const;
    // Loads a background file, as a background of size had it; an empty path
    // is the built-in background.
    bool LoadBackground(const QString& path, QSize size, CxImage& background) const;
    // Moves and scales rect, a place on a background of size before, as the
    // photos go when the background becomes one of size after.
    static QRectF MapToBackground(const QRectF& rect, QSize before, QSize after);
    // The box a photo shown in `box` is decoded to fit: whole pixels, at
    // least one, at most the background.
    static QSize DecodeBoxFor(const QRectF& box, QSize background);
    // A design that starts afresh: no steps to undo or redo.
    void StartHistory();

    int IndexOf(const SSceneObject* obj) const;
    void Record(SceneChange change);
    // The pixels a photo holds before a change that may decode it again.
    struct HeldPixels {
        QSize box;
        CxImage picture;
    };
    static HeldPixels Held(const SSceneObject& photo) { return {photo.m_decodeBox, photo.m_picture}; }
    // Keeps the photo's pixels from before the change in change when the
    // change decoded it again.
    void KeepDecoded(SceneChange& change, const SSceneObject& photo, HeldPixels before) const;
    // Records a move or resize of obj from before (place and pixels), when
    // it moved.
    void RecordPlace(SSceneObject* obj, const QRectF& before, HeldPixels pixels);
    // Swaps each photo's pixels with those change keeps of the other side.
    bool SwapPixels(SceneChange& change);
    void NotifyHistory() const;
    // Takes one change back (back) or makes it again.
    bool Apply(SceneChange& change, bool back);
    bool Travel(bool back);
    bool PutIn(SceneChange& change);
    bool TakeOut(SceneChange& change);
    bool SwapPhoto(SceneChange& change);
    bool SwapBackground(SceneChange& change);
    bool ApplyEdit(SceneChange& change, bool back);
    // The background fitted into target, as Render draws it.
    CRect FittedBackground(const CRect& target) const;
    // The background as fitted into the canvas: what canvas coordinates map
    // through.
    CRect CanvasBackground() const;
    QRectF CanvasToScene(const CRect& rect) const;
    // Moves rect (background pixels) onto the background, as CreateSceneObject
    // places a new photo.
    void KeepOnBackground(QRectF& rect) const;
    CRect SceneToTarget(const QRectF& rect, const CRect& fitted) const;
    // The photo's rectangle in the background fitted at fitted, normalised
    // and at least minSide each way.
    CRect PhotoTarget(const SSceneObject& photo, const CRect& fitted, int minSide) const;
    std::vector<std::unique_ptr<SSceneObject>>::const_iterator Find(const SSceneObject* obj) const;
    bool Contains(const SSceneObject* obj) const { return Find(obj) != m_photos.end(); }
    // Fits a picture of pictureSize inside box about box's centre.
    static QRectF FitInside(QSizeF pictureSize, const QRectF& box);
    const QImage& ScaledBackground(QSize size) const;
    // Render in the painter's current coordinates, photos at least minSide.
    void RenderFitted(QPainter* dc, const CRect& rect, int minSide) const;
    // Composes the saved picture band by band and encodes it into bytes.
    bool ComposeJpeg(QByteArray& bytes, QString* error) const;
    struct SaveLayer;
    // Draws the part of the photo of layer inside band (background pixels),
    // preparing its pixels first when the bands reach it; a photo scaled
    // whole takes its bytes from budget. False when memory ran out.
    static bool DrawSaveLayer(QPainter& painter, SaveLayer& layer, const QRect& band, qint64& budget);
    // The pixels the save draws photo from for its target (background
    // pixels): the picture held, or, when that is short of what the target
    // needs and the file has more, the file decoded again at the needed size
    // and cut down to the part inside visible. full receives the size of the
    // whole picture those pixels belong to, origin where they start in it.
    static QImage SavePixels(const SSceneObject& photo, const CRect& target, const CRect& visible, QSize& full,
                             QPoint& origin);

    PhotoTemplateProcessor* m_templates = nullptr;
    CxImage m_background;
    QString m_backgroundPath;
    CRect m_canvasRect;
    std::vector<std::unique_ptr<SSceneObject>> m_photos;
    SSceneObject* m_selected = nullptr;
    mutable QImage m_scaledBackground;
    SceneHistory m_history;
    std::function<void()> m_historyListener;
    // The step BeginStep opened, and how deep its pairs are nested.
    SceneStep m_openStep;
    int m_openDepth = 0;
};
