// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/PhotoTemplateProcessor.h"
#include "core/SceneGraph.h"
#include "pictures/Picture.h"
#include "support/PictureFixtures.h"
#include "support/SceneSetup.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

using namespace fixtures;

namespace {

class TemplateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PhotoTemplateProcessor::StaticCreate();
        templates = PhotoTemplateProcessor::GetInstance();
    }
    void TearDown() override { DestroyScene(); }

    QString Picture(const QString& relative, QSize size, QRgb colour, const char* format)
    {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        return WriteSolid(path, size, colour, format);
    }

    QTemporaryDir m_dir;
    PhotoTemplateProcessor* templates = nullptr;
};

} // namespace

TEST_F(TemplateTest, TheShippedTemplatesLoadFromTheDataFolderBesideBin)
{
    // The build lays res/templates out as an installation does: share/quilvane
    // beside the bin/ folder that holds every program it makes.
    const QString shared = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/quilvane/templates");
    ASSERT_TRUE(templates->GetTemplateFolders().contains(shared));
    templates->LoadAllTemplate();
    ASSERT_GE(templates->GetTemplateCount(), 3);
    for (int i = 0; i < templates->GetTemplateCount(); ++i) {
        EXPECT_TRUE(templates->GetTemplatePath(i).startsWith(shared + '/')) << i;
        EXPECT_EQ(templates->GetTemplateSize(i), QSize(1920, 1080)) << i;
        EXPECT_LE(QFileInfo(templates->GetTemplatePath(i)).size(), 300 * 1024) << i;
    }
    CxImage first;
    ASSERT_TRUE(templates->GetTemplatePicture(0, first));
    EXPECT_EQ(first.GetDecodedSize(), QSize(1920, 1080));

    SceneGraph::StaticCreate();
    SceneGraph::GetInstance()->Init(templates);
    EXPECT_EQ(SceneGraph::GetInstance()->GetSceneGraphWidth(), 1920);
    EXPECT_EQ(SceneGraph::GetInstance()->GetBackground().GetImage().pixel(960, 540), first.GetImage().pixel(960, 540));
}

TEST_F(TemplateTest, TheFirstFolderWithPicturesWinsAndTheyComeInNameOrder)
{
    Picture("empty/readme.txt", QSize(1, 1), 0, "png"); // a picture under a name we do not read
    Picture("mine/b-second.png", QSize(300, 200), 0xFF00FF00, "png");
    WriteFile(m_dir.filePath("mine/00-broken.jpg"), Garbage(2000));
    Picture("mine/A-first.jpg", QSize(640, 480), 0xFFFF0000, "jpeg");
    Picture("mine/notes.txt", QSize(5, 5), 0, "png");
    Picture("later/c.png", QSize(10, 10), 0xFF0000FF, "png");
    templates->SetTemplateFolders(
        {m_dir.filePath("missing"), m_dir.filePath("empty"), m_dir.filePath("mine"), m_dir.filePath("later")});
    templates->LoadAllTemplate();

    ASSERT_EQ(templates->GetTemplateCount(), 2);
    EXPECT_TRUE(templates->GetTemplatePath(0).endsWith("mine/A-first.jpg"));
    EXPECT_TRUE(templates->GetTemplatePath(1).endsWith("mine/b-second.png"));
    EXPECT_EQ(templates->GetTemplateSize(0), QSize(640, 480));
    EXPECT_EQ(templates->GetTemplateSize(1), QSize(300, 200));
    EXPECT_TRUE(templates->GetTemplatePath(2).isEmpty());

    // Looking again starts afresh.
    QFile::remove(templates->GetTemplatePath(0));
    templates->LoadAllTemplate();
    EXPECT_EQ(templates->GetTemplateCount(), 1);
}

TEST_F(TemplateTest, WithoutTemplateFilesABuiltInGradientStandsIn)
{
    templates->SetTemplateFolders({m_dir.filePath("nowhere")});
    templates->LoadAllTemplate();
    ASSERT_EQ(templates->GetTemplateCount(), 1);
    EXPECT_TRUE(templates->GetTemplatePath(0).isEmpty());
    CxImage builtIn;
    ASSERT_TRUE(templates->GetTemplatePicture(0, builtIn));
    EXPECT_EQ(builtIn.GetDecodedSize(), QSize(1920, 1080));
    EXPECT_NE(builtIn.GetImage().pixel(10, 10), builtIn.GetImage().pixel(10, 1070)) << "a gradient, not a fill";
    EXPECT_FALSE(templates->GetTemplatePicture(1, builtIn));
    EXPECT_FALSE(builtIn.IsValid());

    // A template that vanished after start-up leaves the scene on the
    // built-in one rather than on nothing.
    const QString only = Picture("one/only.png", QSize(800, 600), 0xFF00FF00, "png");
    templates->SetTemplateFolders({m_dir.filePath("one")});
    templates->LoadAllTemplate();
    ASSERT_TRUE(QFile::remove(only));
    SceneGraph::StaticCreate();
    SceneGraph::GetInstance()->Init(templates);
    EXPECT_EQ(SceneGraph::GetInstance()->GetSceneGraphWidth(), 1920);
    EXPECT_EQ(SceneGraph::GetInstance()->GetSceneGraphHeight(), 1080);
}

TEST_F(TemplateTest, TemplatesAreMadeAtTheScreensSizeAndKeptInTheCache)
{
    // Four flat quadrants: scaled to cover any screen about their middle,
    // each corner of the screen keeps its quadrant's colour.
    QImage quadrants(64, 36, QImage::Format_RGB32);
    const QRgb colours[4] = {qRgb(200, 40, 40), qRgb(40, 200, 40), qRgb(40, 40, 200), qRgb(220, 220, 220)};
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 64; ++x)
            quadrants.setPixel(x, y, colours[(y / 18) * 2 + x / 32]);
    QDir().mkpath(m_dir.filePath("mine"));
    ASSERT_TRUE(quadrants.save(m_dir.filePath("mine/a.png")));
    const QString cache = m_dir.filePath("cache");
    templates->SetCacheFolder(cache);

    for (const QSize screen : {QSize(1366, 768), QSize(2560, 1440), QSize(3440, 1440), QSize(1080, 1920)}) {
        SCOPED_TRACE(std::to_string(screen.width()) + "x" + std::to_string(screen.height()));
        templates->SetTemplateFolders({m_dir.filePath("mine")});
        templates->SetScreenSize(screen);
        templates->LoadAllTemplate();
        EXPECT_EQ(templates->GetTemplateSize(0), screen);
        CxImage made;
        ASSERT_TRUE(templates->GetTemplatePicture(0, made));
        ASSERT_EQ(made.GetDecodedSize(), screen);
        const QImage& image = made.GetImage();
        const QPoint corners[4] = {
            {2, 2}, {screen.width() - 3, 2}, {2, screen.height() - 3}, {screen.width() - 3, screen.height() - 3}};
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(fixtures::Near(image.pixel(corners[i]), colours[i], 6)) << "corner " << i;

        SceneGraph::StaticCreate();
        SceneGraph::GetInstance()->Init(templates);
        EXPECT_EQ(SceneGraph::GetInstance()->GetSceneGraphWidth(), screen.width());
        EXPECT_EQ(SceneGraph::GetInstance()->GetSceneGraphHeight(), screen.height());
        SceneGraph::StaticDestroy();
    }

    // Kept in the cache, one file a screen size, and read from there: a
    // cached picture (here painted over) is what the next session gets.
    const QFileInfoList kept = QDir(cache).entryInfoList(QDir::Files);
    ASSERT_EQ(kept.size(), 4);
    const QString cached1366 = [&] {
        for (const QFileInfo& file : kept)
            if (QImageReader(file.filePath()).size() == QSize(1366, 768))
                return file.filePath();
        return QString();
    }();
    ASSERT_FALSE(cached1366.isEmpty());
    QImage painted(1366, 768, QImage::Format_RGB32);
    painted.fill(qRgb(10, 20, 30));
    ASSERT_TRUE(painted.save(cached1366, QImageReader(cached1366).format()));
    templates->SetScreenSize(QSize(1366, 768));
    templates->LoadAllTemplate();
    CxImage again;
    ASSERT_TRUE(templates->GetTemplatePicture(0, again));
    EXPECT_TRUE(fixtures::Near(again.GetImage().pixel(683, 384), qRgb(10, 20, 30), 6));

    // A template file that changes is made again.
    quadrants.fill(qRgb(250, 250, 0));
    ASSERT_TRUE(quadrants.save(m_dir.filePath("mine/a.png")));
    QFile touched(m_dir.filePath("mine/a.png"));
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    touched.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    touched.close();
    templates->LoadAllTemplate();
    ASSERT_TRUE(templates->GetTemplatePicture(0, again));
    EXPECT_TRUE(fixtures::Near(again.GetImage().pixel(683, 384), qRgb(250, 250, 0), 6));
}

TEST_F(TemplateTest, TheShippedTemplateAndTheBuiltInOneCoverAHighDensityScreen)
{
    const QSize screen(3840, 2160);
    templates->SetCacheFolder(m_dir.filePath("cache"));
    templates->SetScreenSize(screen);
    templates->LoadAllTemplate();
    CxImage shipped;
    ASSERT_TRUE(templates->GetTemplatePicture(0, shipped));
    EXPECT_EQ(shipped.GetDecodedSize(), screen);

    templates->SetTemplateFolders({m_dir.filePath("nowhere")});
    templates->LoadAllTemplate();
    CxImage builtIn;
    ASSERT_TRUE(templates->GetTemplatePicture(0, builtIn));
    EXPECT_EQ(builtIn.GetDecodedSize(), screen);
    EXPECT_NE(builtIn.GetImage().pixel(10, 10), builtIn.GetImage().pixel(10, 2150))
        << "the gradient, drawn at that size";
}

TEST(TemplateScreenSize, TheScreensDeviceSizeComesBackFromItsLogicalSizeAtAnyRatio)
{
    // What Qt reports for each screen at each ratio: the device size divided
    // by the ratio, rounded.
    for (const QSize device : {QSize(1366, 768), QSize(2560, 1440), QSize(3440, 1440), QSize(1080, 1920),
                               QSize(3840, 2160), QSize(1920, 1200)}) {
        for (const qreal ratio : {1.0, 1.25, 1.5, 1.75, 2.0}) {
            const QSize logical(qRound(device.width() / ratio), qRound(device.height() / ratio));
            EXPECT_EQ(PhotoTemplateProcessor::DeviceScreenSize(logical, ratio), device)
                << device.width() << "x" << device.height() << " at " << ratio;
        }
    }
    EXPECT_TRUE(PhotoTemplateProcessor::DeviceScreenSize(QSize(), 2.0).isEmpty());
}
