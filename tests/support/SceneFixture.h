// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A test fixture that owns a scene on the built-in background and a folder
// for the pictures a test writes.

#include "support/PictureFixtures.h"
#include "support/SceneSetup.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class SceneFixture : public ::testing::Test {
protected:
    void SetUp() override { scene = CreateSceneWithoutTemplates(m_dir.filePath("no-templates")); }
    void TearDown() override { DestroyScene(); }

    // A picture of one colour in the test's folder; returns its path.
    QString Solid(const QString& name, QSize size, QRgb colour, const char* format = "png")
    {
        return fixtures::WriteSolid(m_dir.filePath(name), size, colour, format);
    }

    // The picture written in the given format to name, a path below the
    // test's folder (its folders made); returns its path.
    QString Picture(const QString& name, const QImage& image, const char* format = "png")
    {
        const QString path = m_dir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        fixtures::WriteFile(path, fixtures::Encode(image, format));
        return path;
    }

    QTemporaryDir m_dir;
    SceneGraph* scene = nullptr;
};
