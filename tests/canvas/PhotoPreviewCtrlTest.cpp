// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/PhotoPreviewCtrl.h"
#include "pictures/ImageHelpers.h"
#include "pictures/PictureFiles.h"
#include "support/PictureFixtures.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using fixtures::Extent;
using fixtures::WriteSolid;

QImage Grab(CPhotoPreviewCtrl& ctrl)
{
    return ctrl.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(PhotoPreview, EmptyControlIsAUniformShadowFace)
{
    CPhotoPreviewCtrl ctrl;
    ctrl.resize(220, 150);
    const QImage grab = Grab(ctrl);
    const QRgb face = ctrl.palette().color(QPalette::Dark).rgb();
    for (int y = 0; y < grab.height(); ++y)
        for (int x = 0; x < grab.width(); ++x)
            ASSERT_EQ(grab.pixel(x, y) & 0xFFFFFF, face & 0xFFFFFF) << x << "," << y;

    // A changed palette shows at the next paint.
    QPalette pal = ctrl.palette();
    pal.setColor(QPalette::Dark, QColor(10, 120, 30));
    ctrl.setPalette(pal);
    EXPECT_EQ(Grab(ctrl).pixel(100, 70) & 0xFFFFFF, qRgb(10, 120, 30) & 0xFFFFFF);
}

TEST(PhotoPreview, PictureIsFittedInsideTheGapAndMatAndTheMatSurroundsIt)
{
    QTemporaryDir dir;
    const QRgb red = qRgb(220, 20, 20);
    for (const QSize pictureSize : {QSize(400, 100), QSize(90, 300), QSize(212, 142)}) {
        SCOPED_TRACE(pictureSize.width());
        CPhotoPreviewCtrl ctrl;
        ctrl.resize(220, 150);
        const QString path = WriteSolid(dir.filePath("p.png"), pictureSize, red);
        ASSERT_TRUE(ctrl.m_image.Load(path, FindType("png")));
        EXPECT_EQ(ctrl.m_image.GetWidth(), pictureSize.width());

        // The picture keeps its shape inside the control less 4 pixels of
        // gap and 4 of mat on each side; the mat lies around it.
        float scale = 1.0f;
        const CRect inner =
            ResizeRect(CRect(0, 0, pictureSize.width(), pictureSize.height()), CRect(8, 8, 212, 142), scale);
        CRect mat = inner;
        mat.InflateRect(4, 4);

        const QImage grab = Grab(ctrl);
        // The picture covers exactly the inner rectangle...
        EXPECT_EQ(Extent(grab, red), inner);
        // ...and the white mat shows on every side of it, 4 pixels wide.
        EXPECT_EQ(Extent(grab, qRgb(255, 255, 255)), mat);
        EXPECT_EQ(grab.pixel(mat.left, mat.top + mat.Height() / 2) & 0xFFFFFF, 0xFFFFFFu);
        EXPECT_EQ(grab.pixel(mat.left + 3, mat.top + mat.Height() / 2) & 0xFFFFFF, 0xFFFFFFu);
        EXPECT_EQ(grab.pixel(mat.right - 1, mat.top + mat.Height() / 2) & 0xFFFFFF, 0xFFFFFFu);
        // Outside the mat: the face.
        const QRgb face = ctrl.palette().color(QPalette::Dark).rgb() & 0xFFFFFF;
        EXPECT_EQ(grab.pixel(1, 1) & 0xFFFFFF, face);
        EXPECT_EQ(grab.pixel(219, 149) & 0xFFFFFF, face);
    }
}

TEST(PhotoPreview, DecodesNoLargerThanItShowsButReportsTheFilesSize)
{
    QTemporaryDir dir;
    const QString path = WriteSolid(dir.filePath("big.png"), QSize(1600, 1200), qRgb(0, 0, 255));
    CPhotoPreviewCtrl ctrl;
    ctrl.resize(160, 120);
    // Any load honours the control's limit, also one through a plain
    // picture reference.
    CxImage& picture = ctrl.m_image;
    ASSERT_TRUE(picture.Load(path, FindType("png")));
    EXPECT_EQ(ctrl.m_image.GetWidth(), 1600);
    EXPECT_EQ(ctrl.m_image.GetHeight(), 1200);
    EXPECT_EQ(ctrl.m_image.GetDecodedSize(), QSize(139, 104));

    // The decode is exactly the size the picture is drawn at, whatever its
    // shape, so no paint rescales it; the limit follows the control's size.
    ctrl.resize(300, 200);
    for (const QSize size : {QSize(1600, 1200), QSize(2000, 500), QSize(500, 1900), QSize(1000, 1000)}) {
        SCOPED_TRACE(size.width());
        ASSERT_TRUE(picture.Load(WriteSolid(dir.filePath("shape.png"), size, qRgb(0, 0, 255)), FindType("png")));
        const CRect drawn = ctrl.PictureRect(size);
        EXPECT_EQ(ctrl.m_image.GetDecodedSize(), QSize(drawn.Width(), drawn.Height()));
    }
    ctrl.resize(160, 120);

    // A picture that fails to load leaves the plain face.
    ctrl.m_image.Load(dir.filePath("missing.png"), FindType("png"));
    EXPECT_FALSE(ctrl.m_image.IsValid());
    EXPECT_EQ(Extent(Grab(ctrl), qRgb(255, 255, 255)), CRect(160, 120, 0, 0));
}
