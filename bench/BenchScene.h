// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The scene the canvas benchmarks draw: a photo-like background with photos
// dropped the way the design page drops them (a 190-pixel square from the
// drop point, on a grid that overlaps a little), from a few distinct JPEGs.

#include "BenchTiming.h"
#include "PhotoLikeImage.h"
#include "support/SceneSetup.h"

#include <QTemporaryDir>
#include <algorithm>
#include <vector>

struct BenchScene {
    QTemporaryDir dir;
    std::vector<QString> files; // the distinct photo files
    SceneGraph* scene = nullptr;
    bool ok = false;

    // Writes the photo files and the background, and creates the scene the
    // way the tests do, on that background, without photos yet.
    BenchScene(QSize photoSize, int distinctFiles, QSize backgroundSize, QSize canvasSize)
    {
        for (int i = 0; i < distinctFiles; ++i) {
            files.push_back(dir.filePath(QStringLiteral("photo%1.jpg").arg(i)));
            if (!WritePhotoLikeJpeg(files.back(), photoSize, i))
                return;
        }
        const QString background = dir.filePath("background.jpg");
        if (!WritePhotoLikeJpeg(background, backgroundSize, 9))
            return;
        scene = CreateSceneWithoutTemplates(dir.filePath("no-templates"));
        if (!scene->ChangeBackImage(background))
            return;
        scene->SetCanvasRect(CRect(0, 0, canvasSize.width(), canvasSize.height()));
        ok = true;
    }

    // The same with the photos already dropped.
    BenchScene(QSize photoSize, int distinctFiles, QSize backgroundSize, QSize canvasSize, int photos)
        : BenchScene(photoSize, distinctFiles, backgroundSize, canvasSize)
    {
        ok = ok && AddPhotos(photos);
    }

    // Drops the photos the way the design page does, cycling through the files.
    bool AddPhotos(int photos)
    {
        for (int i = 0; i < photos; ++i) {
            const int x = 10 + (i % 4) * 150;
            const int y = 80 + (i / 4) * 110;
            CRect rect(x, y, x + 190, y + 190);
            if (!scene->CreateSceneObject(files[static_cast<size_t>(i) % files.size()], rect))
                return false;
        }
        return true;
    }
};
