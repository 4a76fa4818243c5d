// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The scene as a design document holds it, and the scene made from one.

#include "core/SceneGraph.h"

Design SceneGraph::GetDesign() const
{
    Design design;
    design.backgroundPath = m_backgroundPath;
    design.backgroundSize = BackgroundSize();
    design.photos.reserve(m_photos.size());
    for (const auto& photo : m_photos)
        design.photos.push_back({photo->m_path, photo->m_rect, photo->m_edits, photo->m_decodeBox});
    return design;
}

void SceneGraph::OpenDesign(const Design& design, QStringList* missing)
{
    QStringList lost;
    CxImage background;
    QString backgroundPath = design.backgroundPath;
    if (!LoadBackground(backgroundPath, design.backgroundSize, background)) {
        lost << backgroundPath;
        StartBackground(background, backgroundPath);
    }
    const QSize size = background.GetDecodedSize();

    std::vector<std::unique_ptr<SSceneObject>> photos;
    photos.reserve(design.photos.size());
    for (const DesignPhoto& record : design.photos) {
        // A background of another size than the design's (its file changed)
        // takes the photos along as Change Background does.
        const QRectF rect = MapToBackground(record.rect, design.backgroundSize, size);
        // The box the design's pixels were decoded in gives the very same
        // pixels; without one, the photo's place does.
        QSize box = record.decodeBox;
        if (box.isEmpty())
            box = SSceneObject::FileBox(DecodeBoxFor(rect, size), record.edits);
        std::unique_ptr<SSceneObject> photo(new SSceneObject);
        if (!photo->LoadWithEdits(record.path, box, record.edits)) {
            lost << record.path;
            continue;
        }
        photo->m_rect = rect;
        photo->EnsureResolution(size);
        photos.push_back(std::move(photo));
    }

    m_background = std::move(background);
    m_backgroundPath = backgroundPath;
    m_scaledBackground = QImage();
    m_photos = std::move(photos);
    m_selected = nullptr;
    lost.removeDuplicates();
    if (missing)
        *missing = lost;
    StartHistory();
}
