// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Creating and destroying the scene the way start-up and shutdown do, for the
// tests of the layers that use the scene (core and up) and for the
// benchmarks: header-only, so the shared test library stays free of the core
// layer, and free of the test framework, so the benchmarks can use it.

#include "core/PhotoTemplateProcessor.h"
#include "core/SceneGraph.h"

#include <QString>

// Creates the template processor and the scene the way start-up does, with
// templates looked for only in a folder that holds none, so the scene starts
// on the built-in background whatever is installed.
inline SceneGraph* CreateSceneWithoutTemplates(const QString& emptyFolder)
{
    PhotoTemplateProcessor::StaticCreate();
    PhotoTemplateProcessor::GetInstance()->SetTemplateFolders({emptyFolder});
    PhotoTemplateProcessor::GetInstance()->LoadAllTemplate();
    SceneGraph::StaticCreate();
    SceneGraph* scene = SceneGraph::GetInstance();
    scene->Init(PhotoTemplateProcessor::GetInstance());
    return scene;
}

// Destroys both, in shutdown's order.
inline void DestroyScene()
{
    SceneGraph::StaticDestroy();
    PhotoTemplateProcessor::StaticDestroy();
}
