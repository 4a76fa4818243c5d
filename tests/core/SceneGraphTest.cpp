// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/SceneGraph.h"
#include "core/PhotoTemplateProcessor.h"
#include "support/FileSizeLimit.h"
#include "support/HeapWatch.h"
#include "support/PatternImage.h"
#include "support/PictureFixtures.h"
#include "support/PixelChecks.h"
#include "support/ScaleReference.h"
#include "support/SceneFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <utility>

using namespace fixtures;

namespace {

constexpr QRgb kBlue = 0xFF285AA0;  // background
constexpr QRgb kGreen = 0xFF20B040; // square photo
constexpr QRgb kRed = 0xFFD02020;   // wide photo
constexpr QRgb kGrey = 0xFF969696;  // what the caller drew first

class SceneTest : public SceneFixture {
protected:
    // Left half red, right half blue: shows which way a picture was turned.
    QString Halves(const QString& name, QSize size, const char* format = "png")
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(0xFF0000FF);
        QPainter(&image).fillRect(0, 0, size.width() / 2, size.height(), QColor(0xFF, 0, 0));
        return Picture(name, image, format);
    }

    SSceneObject* Add(const QString& path, CRect rect)
    {
        const int before = scene->GetPhotoCount();
        EXPECT_TRUE(scene->CreateSceneObject(path, rect));
        EXPECT_EQ(scene->GetPhotoCount(), before + 1);
        return scene->GetPhoto(scene->GetPhotoCount() - 1);
    }

    QImage RenderCanvas(QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(kGrey);
        QPainter painter(&image);
        scene->Render(&painter, CRect(0, 0, size.width(), size.height()));
        return image;
    }

    static QByteArray Read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

void ExpectNear(const CRect& got, const CRect& want, int tolerance, const char* what)
{
    EXPECT_LE(std::abs(got.left - want.left), tolerance) << what;
    EXPECT_LE(std::abs(got.top - want.top), tolerance) << what;
    EXPECT_LE(std::abs(got.right - want.right), tolerance) << what;
    EXPECT_LE(std::abs(got.bottom - want.bottom), tolerance) << what;
}

// The first luminance quantiser of the first DQT table: libjpeg's quality
// scaling makes it 3 or less exactly when the quality is 90 or more.
int FirstLumaQuantiser(const QByteArray& jpeg)
{
    const qsizetype at = jpeg.indexOf(QByteArray("\xFF\xDB", 2));
    if (at < 0 || at + 5 >= jpeg.size())
        return -1;
    return static_cast<uchar>(jpeg[at + 5]);
}

} // namespace

TEST_F(SceneTest, CanvasCoordinatesSurviveARoundTripAtEveryCanvasSize)
{
    const QString photo = Solid("square.png", QSize(64, 64), kGreen);
    const QSize backgrounds[] = {{1920, 1080}, {320, 200}, {1000, 1000}};
    const CRect canvases[] = {{0, 0, 640, 500}, {0, 0, 333, 777}, {15, 25, 1215, 700}, {0, 0, 97, 61}};
    int n = 0;
    for (const QSize bg : backgrounds) {
        ASSERT_TRUE(scene->ChangeBackImage(Solid(QStringLiteral("bg%1.png").arg(n++), bg, kBlue)));
        for (const CRect& canvas : canvases) {
            scene->SetCanvasRect(canvas);
            const CRect inside(canvas.left + canvas.Width() / 4, canvas.top + canvas.Height() / 4,
                               canvas.left + canvas.Width() / 2, canvas.top + canvas.Height() / 2);
            SSceneObject* p = Add(photo, CRect(inside));
            const CRect rects[] = {
                inside,
                {canvas.left + 1, canvas.top + 3, canvas.left + 30, canvas.top + 17},
                {canvas.left - 40, canvas.top - 20, canvas.left + 10, canvas.top + 9},        // off the top-left
                {canvas.right - 5, canvas.bottom - 7, canvas.right + 50, canvas.bottom + 31}, // off the bottom-right
                {canvas.left + 2, canvas.top + 2, canvas.right - 3, canvas.bottom - 1},
            };
            for (const CRect& r : rects) {
                ASSERT_TRUE(scene->SetPhotoDrawRect(p, r));
                ExpectNear(scene->GetPhotoDrawRect(p), r, 1, "canvas -> scene -> canvas");
                const CPoint centre = r.CenterPoint();
                EXPECT_TRUE(scene->CheckHitPhoto(centre.x, centre.y));
                EXPECT_EQ(scene->GetSelectedSceneObj(), p);
            }
            ASSERT_TRUE(scene->DeletePhoto(p));
        }
    }
}

TEST_F(SceneTest, RenderFitsTheBackgroundAndDrawsPhotosClippedToIt)
{
    ASSERT_TRUE(scene->ChangeBackImage(Solid("bg.png", QSize(1920, 1080), kBlue)));
    scene->SetCanvasRect(CRect(0, 0, 640, 500)); // background fitted at (0, 70, 640, 430)
    SSceneObject* inside = Add(Solid("green.png", QSize(50, 50), kGreen), CRect(100, 100, 200, 200));
    // Dragged over the edge after it was added (a new photo starts wholly
    // on the background).
    SSceneObject* overTheEdge = Add(Solid("red.png", QSize(50, 50), kRed), CRect(300, 100, 400, 200));
    ASSERT_TRUE(scene->SetPhotoDrawRect(overTheEdge, CRect(300, 40, 400, 140)));
    EXPECT_EQ(scene->GetPhotoDrawRect(inside), CRect(100, 100, 200, 200));
    EXPECT_EQ(scene->GetPhotoDrawRect(overTheEdge), CRect(300, 40, 400, 140));

    const QImage canvas = RenderCanvas(QSize(640, 500));
    EXPECT_EQ(canvas.pixel(5, 5), kGrey) << "outside the fitted background the caller's fill stays";
    EXPECT_EQ(canvas.pixel(5, 69), kGrey);
    EXPECT_EQ(canvas.pixel(5, 70), kBlue);
    EXPECT_EQ(canvas.pixel(639, 429), kBlue);
    EXPECT_EQ(canvas.pixel(639, 430), kGrey);
    EXPECT_EQ(canvas.pixel(150, 150), kGreen);
    EXPECT_EQ(canvas.pixel(100, 100), kGreen);
    EXPECT_EQ(canvas.pixel(199, 199), kGreen);
    EXPECT_EQ(canvas.pixel(200, 150), kBlue);
    EXPECT_EQ(canvas.pixel(350, 50), kGrey) << "the part above the background is not drawn";
    EXPECT_EQ(canvas.pixel(350, 100), kRed);

    // A render into another rectangle (a full-screen preview) draws the same
    // scene there and leaves the canvas mapping alone.
    QImage screen(1600, 1000, QImage::Format_RGB32);
    screen.fill(kGrey);
    {
        QPainter painter(&screen);
        scene->Render(&painter, CRect(0, 0, 1600, 1000)); // fitted at (0, 50, 1600, 950)
    }
    EXPECT_EQ(screen.pixel(375, 250), kGreen); // canvas (150, 150)
    EXPECT_EQ(screen.pixel(875, 150), kRed);
    EXPECT_EQ(screen.pixel(875, 40), kGrey);
    EXPECT_EQ(scene->GetPhotoDrawRect(inside), CRect(100, 100, 200, 200));
    EXPECT_TRUE(scene->CheckHitPhoto(150, 150));
    EXPECT_EQ(scene->GetSelectedSceneObj(), inside);
}

TEST_F(SceneTest, OnAHighDpiSurfaceTheSceneIsDrawnAtDevicePixels)
{
    // Twice as many device pixels as logical ones: the 1280x720 background
    // fits the 640x360 logical canvas pixel for device pixel.
    const QImage background = PatternImage(1280, 720);
    const QImage picture = PatternImage(200, 100).mirrored(true, false);
    ASSERT_TRUE(scene->ChangeBackImage(Picture("bg.png", background)));
    scene->SetCanvasRect(CRect(0, 0, 640, 360));
    SSceneObject* p = Add(Picture("photo.png", picture), CRect(100, 100, 200, 150));
    ASSERT_EQ(p->GetSceneRect(), QRectF(200, 200, 200, 100));

    QImage device(1280, 720, QImage::Format_RGB32);
    device.setDevicePixelRatio(2);
    device.fill(kGrey);
    {
        QPainter painter(&device);
        scene->Render(&painter, CRect(0, 0, 640, 360));
    }
    EXPECT_EQ(device.copy(0, 0, 200, 200), background.copy(0, 0, 200, 200));
    EXPECT_EQ(device.copy(200, 200, 200, 100), picture);
    EXPECT_EQ(device.copy(900, 400, 300, 300), background.copy(900, 400, 300, 300));
}

TEST_F(SceneTest, TransparentPartsOfTheBackgroundShowWhiteOnTheCanvasAsInTheSavedFile)
{
    QImage background(640, 360, QImage::Format_ARGB32);
    background.fill(Qt::transparent);
    QPainter(&background).fillRect(320, 0, 320, 360, QColor(kBlue));
    ASSERT_TRUE(scene->ChangeBackImage(Picture("clear-left.png", background)));
    scene->SetCanvasRect(CRect(0, 0, 640, 360));

    const QImage canvas = RenderCanvas(QSize(640, 360));
    const QString path = m_dir.filePath("saved.jpg");
    ASSERT_TRUE(scene->SaveToJPG(path));
    const QImage saved(path);
    ASSERT_EQ(saved.size(), QSize(640, 360));
    EXPECT_EQ(canvas.pixel(100, 180), qRgb(255, 255, 255)) << "not the grey drawn beneath";
    EXPECT_TRUE(fixtures::Near(saved.pixel(100, 180), canvas.pixel(100, 180), 4));
    EXPECT_TRUE(fixtures::Near(saved.pixel(500, 180), canvas.pixel(500, 180), 4));
}

TEST_F(SceneTest, CreateKeepsThePicturesShapeInsideTheRectangleAndRefusesBadInput)
{
    scene->SetCanvasRect(CRect(0, 0, 640, 360)); // the 1920x1080 built-in fills it at scale 3
    CRect wide(100, 100, 200, 200);
    ASSERT_TRUE(scene->CreateSceneObject(Solid("wide.png", QSize(400, 200), kRed), wide));
    EXPECT_EQ(wide, CRect(100, 125, 200, 175)) << "rect receives where the photo went";
    EXPECT_EQ(scene->GetPhotoDrawRect(scene->GetPhoto(0)), wide);
    EXPECT_EQ(scene->GetPhoto(0)->GetSceneRect(), QRectF(300, 375, 300, 150));
    EXPECT_EQ(scene->GetSelectedSceneObj(), nullptr) << "adding does not select";

    CRect tall(60, 30, 250, 220);
    ASSERT_TRUE(scene->CreateSceneObject(Solid("tall.png", QSize(100, 300), kGreen), tall));
    EXPECT_EQ(tall.Height(), 190);
    EXPECT_NEAR(tall.Width(), 63, 1);
    EXPECT_NEAR(tall.CenterPoint().x, 155, 1);

    const QString garbage = m_dir.filePath("broken.jpg");
    WriteFile(garbage, Garbage(4000));
    CRect r(10, 10, 100, 100);
    EXPECT_FALSE(scene->CreateSceneObject(garbage, r));
    EXPECT_FALSE(scene->CreateSceneObject(m_dir.filePath("missing.png"), r));
    CRect empty(50, 50, 50, 120);
    EXPECT_FALSE(scene->CreateSceneObject(Solid("ok.png", QSize(10, 10), kRed), empty));
    EXPECT_EQ(scene->GetPhotoCount(), 2);
    EXPECT_EQ(r, CRect(10, 10, 100, 100));
}

TEST_F(SceneTest, SeveralPhotosAtOnceGoWhereOneAtATimeWouldInTheirOrder)
{
    scene->SetCanvasRect(CRect(0, 0, 640, 360));
    const QString garbage = m_dir.filePath("broken.jpg");
    WriteFile(garbage, Garbage(4000));
    const QStringList paths = {Solid("wide.png", QSize(400, 200), kRed), garbage,
                               Solid("tall.png", QSize(100, 300), kGreen), Solid("ok.png", QSize(10, 10), kRed),
                               Picture("photo.jpg", PatternImage(900, 600), "jpeg")};
    const std::vector<CRect> asked = {CRect(100, 100, 200, 200), CRect(10, 10, 100, 100), CRect(60, 30, 250, 220),
                                      CRect(50, 50, 50, 120), CRect(300, 40, 600, 300)};

    std::vector<CRect> one = asked;
    std::vector<bool> oneAdded;
    for (qsizetype i = 0; i < paths.size(); ++i)
        oneAdded.push_back(scene->CreateSceneObject(paths[i], one[static_cast<size_t>(i)]));
    const QImage oneByOne = RenderCanvas(QSize(640, 360));
    ASSERT_EQ(oneAdded, (std::vector<bool>{true, false, true, false, true}));

    DestroyScene();
    scene = CreateSceneWithoutTemplates(m_dir.filePath("no-templates"));
    scene->SetCanvasRect(CRect(0, 0, 640, 360));
    std::vector<CRect> batch = asked;
    EXPECT_EQ(scene->CreateSceneObjects(paths, batch), oneAdded);
    EXPECT_EQ(batch, one) << "each rect receives where its photo went; failures keep theirs";
    ASSERT_EQ(scene->GetPhotoCount(), 3);
    EXPECT_EQ(scene->GetPhoto(1)->GetPath(), paths[2]) << "in the order given";
    EXPECT_EQ(RenderCanvas(QSize(640, 360)), oneByOne);

    std::vector<CRect> mismatched(2);
    EXPECT_EQ(scene->CreateSceneObjects(paths, mismatched), std::vector<bool>(5, false));
    EXPECT_EQ(scene->GetPhotoCount(), 3);
}

TEST_F(SceneTest, HitTestingPicksTheTopmostPhotoAndClearsTheSelectionOnBackground)
{
    scene->SetCanvasRect(CRect(0, 0, 640, 360));
    SSceneObject* below = Add(Solid("a.png", QSize(10, 10), kGreen), CRect(100, 100, 200, 200));
    SSceneObject* above = Add(Solid("b.png", QSize(10, 10), kRed), CRect(150, 150, 250, 250));

    EXPECT_TRUE(scene->CheckHitPhoto(175, 175));
    EXPECT_EQ(scene->GetSelectedSceneObj(), above) << "newest is on top";
    EXPECT_TRUE(scene->CheckHitPhoto(120, 120));
    EXPECT_EQ(scene->GetSelectedSceneObj(), below);
    EXPECT_TRUE(scene->CheckHitPhoto(249, 249));
    EXPECT_EQ(scene->GetSelectedSceneObj(), above);
    EXPECT_FALSE(scene->CheckHitPhoto(250, 250)) << "right and bottom edges are outside";
    EXPECT_EQ(scene->GetSelectedSceneObj(), nullptr);

    // The same order decides what the canvas shows in the overlap.
    EXPECT_EQ(RenderCanvas(QSize(640, 360)).pixel(175, 175), kRed);
}

TEST_F(SceneTest, APhotoTooSmallForTheCanvasStillShowsAFewPixelsThatCanBeSelected)
{
    scene->SetCanvasRect(CRect(0, 0, 640, 360)); // 3 background pixels a canvas pixel
    SSceneObject* tiny = Add(Solid("tiny.png", QSize(10, 10), kGreen), CRect(100, 100, 200, 200));
    ASSERT_TRUE(scene->SetPhotoSceneRect(tiny, QRectF(450.4, 450.4, 0.5, 0.5)));

    const CRect shown = scene->GetPhotoDrawRect(tiny);
    EXPECT_GE(shown.Width(), 3);
    EXPECT_GE(shown.Height(), 3);
    EXPECT_TRUE(shown.PtInRect(CPoint(150, 150))) << "about the photo's own place";
    const CPoint centre = shown.CenterPoint();
    EXPECT_TRUE(scene->CheckHitPhoto(centre.x, centre.y));
    EXPECT_EQ(scene->GetSelectedSceneObj(), tiny);
    EXPECT_EQ(RenderCanvas(QSize(640, 360)).pixel(centre.x, centre.y), kGreen);
    EXPECT_TRUE(scene->DeletePhoto(scene->GetSelectedSceneObj()));
}

TEST_F(SceneTest, ANewPhotoLiesWhollyOnTheBackgroundMovedTheLeastDistanceAndNeverResized)
{
    const QString square = Solid("p.png", QSize(10, 10), kGreen);
    const QString veryWide = Solid("wide-bg.png", QSize(1000, 100), kBlue);
    const struct {
        const char* where;
        CRect canvas;
        QString background; // empty: the built-in 1920x1080
        CRect given;
        CRect expected;
    } cases[] = {
        // The background drawn at (0, 70)-(640, 430) on a 640x500 canvas.
        {"inside: kept", {0, 0, 640, 500}, {}, {100, 100, 290, 290}, {100, 100, 290, 290}},
        {"over the lower right corner", {0, 0, 640, 500}, {}, {510, 310, 700, 500}, {450, 240, 640, 430}},
        {"over the right edge only", {0, 0, 640, 500}, {}, {600, 100, 700, 200}, {540, 100, 640, 200}},
        {"above", {0, 0, 640, 500}, {}, {100, 5, 160, 65}, {100, 70, 160, 130}},
        {"left of the canvas", {0, 0, 640, 500}, {}, {-200, 100, -100, 200}, {0, 100, 100, 200}},
        // Taller than the background (drawn at (0, 218)-(640, 282)): its
        // top at the background's, its left where it fits.
        {"taller than the background", {0, 0, 640, 500}, veryWide, {100, 100, 290, 290}, {100, 218, 290, 408}},
        // Larger both ways (drawn at (0, 5)-(160, 95)): at the top-left.
        {"larger than the background", {0, 0, 160, 100}, {}, {40, 30, 230, 220}, {0, 5, 190, 195}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        scene->Init(PhotoTemplateProcessor::GetInstance());
        if (!c.background.isEmpty()) {
            ASSERT_TRUE(scene->ChangeBackImage(c.background));
        }
        scene->SetCanvasRect(c.canvas);
        CRect rect = c.given;
        ASSERT_TRUE(scene->CreateSceneObject(square, rect));
        EXPECT_EQ(rect, c.expected);
        EXPECT_EQ(scene->GetPhotoDrawRect(scene->GetPhoto(0)), c.expected);
        const QRectF placed = scene->GetPhoto(0)->GetSceneRect();
        const QRectF background(QPointF(0, 0), QSizeF(scene->GetSceneGraphWidth(), scene->GetSceneGraphHeight()));
        if (placed.width() <= background.width() && placed.height() <= background.height()) {
            EXPECT_TRUE(background.contains(placed)) << "wholly on the background, so the saved design has it";
        }
    }
}

TEST_F(SceneTest, DeleteRemovesThePhotoAndIgnoresNull)
{
    scene->SetCanvasRect(CRect(0, 0, 640, 360));
    SSceneObject* p = Add(Solid("a.png", QSize(10, 10), kGreen), CRect(100, 100, 200, 200));
    EXPECT_FALSE(scene->DeletePhoto(nullptr));
    EXPECT_EQ(scene->GetPhotoCount(), 1);

    ASSERT_TRUE(scene->CheckHitPhoto(150, 150));
    EXPECT_TRUE(scene->DeletePhoto(scene->GetSelectedSceneObj()));
    EXPECT_EQ(scene->GetPhotoCount(), 0);
    EXPECT_EQ(scene->GetSelectedSceneObj(), nullptr);
    EXPECT_FALSE(scene->DeletePhoto(p)) << "a photo already gone is not deleted twice";
    EXPECT_TRUE(scene->GetPhotoDrawRect(p).IsRectNull());
    EXPECT_FALSE(scene->RestoreRatio(nullptr));
    EXPECT_FALSE(scene->ChangePhotoImage(nullptr, Solid("b.png", QSize(10, 10), kRed)));
}

TEST_F(SceneTest, ChangeBackImageKeepsEachPhotosShapeAndItsCentresRelativePlace)
{
    ASSERT_TRUE(scene->ChangeBackImage(Solid("wide.png", QSize(1920, 1080), kBlue)));
    scene->SetCanvasRect(CRect(0, 0, 640, 360));
    SSceneObject* square = Add(Solid("a.png", QSize(10, 10), kGreen), CRect(64, 36, 320, 180));
    SSceneObject* corner = Add(Solid("b.png", QSize(20, 10), kRed), CRect(440, 260, 640, 360));
    EXPECT_EQ(square->GetSceneRect(), QRectF(360, 108, 432, 432));
    const QRectF cornerBefore = corner->GetSceneRect();

    // Both narrower (0.52) and taller relative to the width (0.93): one factor
    // for both axes, and photos inside the old background stay inside.
    ASSERT_TRUE(scene->ChangeBackImage(Solid("square.png", QSize(1000, 1000), kRed)));
    EXPECT_EQ(scene->GetSceneGraphWidth(), 1000);
    EXPECT_EQ(scene->GetSceneGraphHeight(), 1000);
    for (const auto& [photo, before] : {std::pair{square, QRectF(360, 108, 432, 432)}, {corner, cornerBefore}}) {
        const QRectF after = photo->GetSceneRect();
        EXPECT_NEAR(after.width() / after.height(), before.width() / before.height(), 1e-9) << "shape kept";
        EXPECT_NEAR(after.center().x() / 1000, before.center().x() / 1920, 1e-9);
        EXPECT_NEAR(after.center().y() / 1000, before.center().y() / 1080, 1e-9);
        EXPECT_TRUE(QRectF(-1e-9, -1e-9, 1000 + 2e-9, 1000 + 2e-9).contains(after)) << "still wholly on the background";
    }
    EXPECT_NEAR(square->GetSceneRect().width(), 432.0 * 1000 / 1920, 1e-9);
    const QRectF after = square->GetSceneRect();

    const QString garbage = m_dir.filePath("broken.png");
    WriteFile(garbage, Garbage(3000));
    EXPECT_FALSE(scene->ChangeBackImage(garbage));
    EXPECT_FALSE(scene->ChangeBackImage(m_dir.filePath("missing.jpg")));
    EXPECT_EQ(scene->GetSceneGraphWidth(), 1000);
    EXPECT_EQ(square->GetSceneRect(), after);
}

TEST_F(SceneTest, RestoreRatioAndRotationsWorkAboutThePhotosCentre)
{
    scene->SetCanvasRect(CRect(0, 0, 640, 360));
    SSceneObject* p = Add(Halves("halves.png", QSize(200, 100)), CRect(100, 100, 300, 200));
    EXPECT_EQ(scene->GetPhotoDrawRect(p), CRect(100, 100, 300, 200));

    // Stretched square, then back to 2:1 inside that square about its centre.
    ASSERT_TRUE(scene->SetPhotoDrawRect(p, CRect(50, 40, 350, 340)));
    ASSERT_TRUE(scene->RestoreRatio(p));
    ExpectNear(scene->GetPhotoDrawRect(p), CRect(50, 115, 350, 265), 1, "restored ratio");
    EXPECT_TRUE(scene->RestoreRatio(p));
    ExpectNear(scene->GetPhotoDrawRect(p), CRect(50, 115, 350, 265), 1, "restoring twice changes nothing");

    ASSERT_TRUE(scene->SetPhotoDrawRect(p, CRect(100, 100, 300, 200)));
    p->RotateRight();
    ExpectNear(scene->GetPhotoDrawRect(p), CRect(150, 50, 250, 250), 1, "quarter turn about the centre");
    EXPECT_EQ(p->GetPicture().GetWidth(), 100);
    EXPECT_EQ(p->GetPicture().GetHeight(), 200);
    QImage canvas = RenderCanvas(QSize(640, 360));
    EXPECT_EQ(canvas.pixel(200, 80), 0xFFFF0000u) << "the left half went to the top";
    EXPECT_EQ(canvas.pixel(200, 220), 0xFF0000FFu);

    p->RotateLeft();
    p->RotateLeft();
    ExpectNear(scene->GetPhotoDrawRect(p), CRect(150, 50, 250, 250), 1, "two turns back the other way");
    canvas = RenderCanvas(QSize(640, 360));
    EXPECT_EQ(canvas.pixel(200, 80), 0xFF0000FFu);
    EXPECT_EQ(canvas.pixel(200, 220), 0xFFFF0000u);

    p->Mirror();
    p->Negative();
    canvas = RenderCanvas(QSize(640, 360));
    EXPECT_EQ(canvas.pixel(200, 80), 0xFFFFFF00u) << "mirror keeps the top blue, negative makes it yellow";
    p->GrayScale();
    const QRgb grey = RenderCanvas(QSize(640, 360)).pixel(200, 80);
    EXPECT_TRUE(qRed(grey) == qGreen(grey) && qGreen(grey) == qBlue(grey));
}

TEST_F(SceneTest, PhotosAreDecodedOnlyAsLargeAsTheirPlaceNeedsAndKeepTheirEditsWhenEnlarged)
{
    scene->SetCanvasRect(CRect(0, 0, 640, 360)); // scale 3 to the 1920x1080 background
    SSceneObject* p = Add(Halves("big.jpg", QSize(3000, 2000), "jpeg"), CRect(100, 100, 200, 200));
    EXPECT_EQ(p->GetPicture().GetWidth(), 3000) << "the file's own size is kept for display";
    EXPECT_EQ(p->GetPicture().GetHeight(), 2000);
    const QSize small = p->GetPicture().GetDecodedSize();
    EXPECT_LE(small.width(), 301);
    EXPECT_LE(small.height(), 201);

    p->Negative();
    p->RotateRight();
    ASSERT_TRUE(scene->SetPhotoDrawRect(p, CRect(0, 0, 640, 360)));
    const QSize large = p->GetPicture().GetDecodedSize();
    EXPECT_GT(large.height(), 3 * small.width()) << "enlarged past its pixels: decoded again, turned";
    EXPECT_LE(large.width(), 1920);
    EXPECT_LE(large.height(), 1080) << "never larger than the background";

    // Left half red, negative cyan, turned clockwise to the top.
    const QImage& picture = p->GetPicture().GetImage();
    EXPECT_TRUE(Near(picture.pixel(picture.width() / 2, picture.height() / 4), qRgb(0, 255, 255), 40));
    EXPECT_TRUE(Near(picture.pixel(picture.width() / 2, 3 * picture.height() / 4), qRgb(255, 255, 0), 40));
}

TEST_F(SceneTest, ChangePhotoImageFitsTheNewPictureInThePhotosPlace)
{
    scene->SetCanvasRect(CRect(0, 0, 640, 360));
    SSceneObject* p = Add(Solid("square.png", QSize(50, 50), kGreen), CRect(100, 100, 200, 200));
    p->Negative();
    ASSERT_TRUE(scene->ChangePhotoImage(p, Solid("wide.png", QSize(400, 200), kRed)));
    EXPECT_EQ(scene->GetPhotoDrawRect(p), CRect(100, 125, 200, 175));
    EXPECT_EQ(RenderCanvas(QSize(640, 360)).pixel(150, 150), kRed) << "the old picture's edits are gone";

    WriteFile(m_dir.filePath("broken.gif"), Garbage(500));
    EXPECT_FALSE(scene->ChangePhotoImage(p, m_dir.filePath("broken.gif")));
    EXPECT_TRUE(p->GetPath().endsWith("wide.png"));
    EXPECT_EQ(scene->GetPhotoDrawRect(p), CRect(100, 125, 200, 175));
}

TEST_F(SceneTest, SaveToJpgWritesTheBackgroundsFullSizeWithPhotosInPlace)
{
    ASSERT_TRUE(scene->ChangeBackImage(Solid("bg.png", QSize(800, 450), kBlue)));
    scene->SetCanvasRect(CRect(0, 0, 400, 300)); // background fitted at (0, 37, 400, 262), scale 2
    SSceneObject* green = Add(Solid("green.png", QSize(100, 100), kGreen), CRect(50, 60, 150, 160));
    SSceneObject* red = Add(Solid("red.png", QSize(200, 100), kRed), CRect(100, 100, 300, 200));
    EXPECT_EQ(green->GetSceneRect(), QRectF(100, 46, 200, 200));
    EXPECT_EQ(red->GetSceneRect(), QRectF(200, 126, 400, 200));

    const QString path = m_dir.filePath("out/nested/wallpaper.jpg");
    ASSERT_TRUE(scene->SaveToJPG(path)) << "the missing folders are created";
    const QByteArray bytes = Read(path);
    EXPECT_LE(FirstLumaQuantiser(bytes), 3) << "quality 90 or better";
    QImage out;
    ASSERT_TRUE(out.loadFromData(bytes, "jpeg"));
    EXPECT_EQ(out.size(), QSize(800, 450));
    const int tolerance = 12;
    EXPECT_TRUE(Near(out.pixel(20, 20), kBlue, tolerance));
    EXPECT_TRUE(Near(out.pixel(150, 100), kGreen, tolerance));
    EXPECT_TRUE(Near(out.pixel(250, 200), kRed, tolerance)) << "the newer photo covers the older";
    EXPECT_TRUE(Near(out.pixel(550, 270), kRed, tolerance));
    EXPECT_TRUE(Near(out.pixel(650, 270), kBlue, tolerance));
    EXPECT_TRUE(Near(out.pixel(150, 300), kBlue, tolerance));
    EXPECT_TRUE(Near(out.pixel(790, 440), kBlue, tolerance));

    // An existing file is replaced, with nothing left beside it.
    scene->DeletePhoto(red);
    ASSERT_TRUE(scene->SaveToJPG(path));
    ASSERT_TRUE(out.loadFromData(Read(path), "jpeg"));
    EXPECT_TRUE(Near(out.pixel(550, 270), kBlue, tolerance));
    EXPECT_EQ(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(SceneTest, FailedSaveLeavesTheOldFileWhole)
{
    scene->SetCanvasRect(CRect(0, 0, 640, 360));
    Add(Solid("green.png", QSize(100, 100), kGreen), CRect(50, 60, 150, 160));
    const QString path = m_dir.filePath("wallpaper.jpg");
    WriteFile(path, QByteArray("the previous wallpaper"));

    bool saved = true;
    {
        FileSizeLimit limit(1024);
        ASSERT_TRUE(limit.active());
        saved = scene->SaveToJPG(path);
    }

    EXPECT_FALSE(saved);
    EXPECT_EQ(Read(path), QByteArray("the previous wallpaper"));
    EXPECT_EQ(QDir(m_dir.path()).entryList({"wallpaper*"}, QDir::Files | QDir::Hidden).size(), 1);

    // The caller learns why, in words a page can show.
    {
        FileSizeLimit limit(1024);
        QString why;
        EXPECT_FALSE(scene->SaveToJPG(path, &why));
        EXPECT_TRUE(why.contains(path)) << why.toStdString();
    }
    WriteFile(m_dir.filePath("blocker"), "x");
    QString why;
    EXPECT_FALSE(scene->SaveToJPG(m_dir.filePath("blocker/wallpaper.jpg"), &why));
    EXPECT_TRUE(why.contains("blocker")) << why.toStdString();
    why.clear();
    EXPECT_FALSE(scene->SaveToJPG(QString(), &why));
    EXPECT_FALSE(why.isEmpty());
}

TEST_F(SceneTest, APhotoStretchedPastTheBackgroundIsSavedFromTheFilesOwnPixels)
{
    // Fine grey ripples: they survive the JPEG, but not a decode at the
    // background's size enlarged twice.
    QImage file(1200, 900, QImage::Format_RGB32);
    for (int y = 0; y < file.height(); ++y)
        for (int x = 0; x < file.width(); ++x) {
            const int v = 128 + static_cast<int>(90 * std::sin(x * 0.7) * std::sin(y * 0.55));
            file.setPixel(x, y, qRgb(v, v, v));
        }
    ASSERT_TRUE(scene->ChangeBackImage(Solid("bg.png", QSize(400, 300), kBlue)));
    // Added on the background, then stretched past it (canvas = background
    // pixels).
    SSceneObject* p = Add(Picture("ripples.png", file), CRect(0, 0, 400, 300));
    ASSERT_TRUE(scene->SetPhotoDrawRect(p, CRect(-100, -50, 700, 550)));
    ASSERT_EQ(p->GetSceneRect(), QRectF(-100, -50, 800, 600));

    const QString path = m_dir.filePath("wallpaper.jpg");
    ASSERT_TRUE(scene->SaveToJPG(path));
    QImage saved;
    ASSERT_TRUE(saved.load(path, "jpeg"));
    // Shrunk with Lanczos-3 on decoding, as the loader does.
    const QImage expected = lanczos::Resample(file, QSize(800, 600)).copy(100, 50, 400, 300);
    double total = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            total += std::abs(qGray(saved.pixel(x, y)) - qGray(expected.pixel(x, y)));
    EXPECT_LT(total / (400 * 300), 4.0) << "mean difference per pixel";
}

TEST_F(SceneTest, SavingHoldsNoSecondFullSizeImage)
{
    if (!HeapWatch::Available())
        GTEST_SKIP() << "needs the address sanitizer's allocation hooks";
    // The encoder keeps a picture's coefficients (3 bytes a pixel) for
    // tables fitted to it only up to two megapixels; everything else must
    // stay well below a full image.
    struct Case {
        QSize size;
        double coefficients; // in full-size images
    };
    for (const Case& c : {Case{{1600, 1200}, 3.0 / 4}, Case{{2400, 1000}, 0.0}}) {
        SCOPED_TRACE(c.size.width());
        ASSERT_TRUE(scene->ChangeBackImage(Solid("bg.jpg", c.size, kBlue, "jpeg")));
        while (scene->GetPhotoCount() > 0)
            scene->DeletePhoto(scene->GetPhoto(0));
        Add(Solid("green.png", QSize(700, 500), kGreen), CRect(100, 100, 800, 600));
        Add(Solid("red.png", QSize(300, 300), kRed), CRect(700, 500, 1950, 1300)); // scaled, past the edge
        const QString path = m_dir.filePath("wallpaper.jpg");
        ASSERT_TRUE(scene->SaveToJPG(path)); // Qt's plug-ins and caches loaded

        HeapWatch watch;
        ASSERT_TRUE(scene->SaveToJPG(path));
        const double fullImage = 4.0 * c.size.width() * c.size.height();
        EXPECT_LT(static_cast<double>(watch.PeakAbove()), c.coefficients * fullImage + fullImage / 2)
            << watch.PeakAbove() / fullImage << " full-size images";
    }
}
