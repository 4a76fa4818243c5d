#include "core/PhotoTemplateProcessor.h"
#include "core/Picture.h"
#include "core/SceneGraph.h"
#include "support/PictureFixtures.h"
#include "support/SceneSetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
