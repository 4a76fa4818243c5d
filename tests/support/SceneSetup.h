#pragma once

// Scene helpers for the tests of the layers that use the scene (core and up):
// header-only, so the shared test library stays free of the core layer.

#include "core/PhotoTemplateProcessor.h"
#include "core/SceneGraph.h"

#include <QImage>
#include <QImageWriter>
#include <QString>
#include <gtest/gtest.h>

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

// Writes a PNG of one colour and returns its path.
inline QString WriteSolidPng(const QString& path, QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    EXPECT_TRUE(QImageWriter(path, "png").write(image));
    return path;
}
