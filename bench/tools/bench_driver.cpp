// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One job of the program per process, for bench/compare_tools.py to time
// against other tools' processes doing the same job:
//   make-photo OUT.jpg W H SEED        a photo-like JPEG (quality 90)
//   make-png OUT.png W H SEED          the same drawing as a PNG
//   set FILE STYLE                     the wallpaper on the X11 desktop (0 centre, 1 tile, 2 stretch)
//   stretch FILE W H OUT.png           the stretched screen image, written as PNG
//   preview FILE W H [OUT.png]         the picture decoded to fit W x H, as the previews do
//   compose OUT.jpg BG W H PHOTO...    a W x H background with the photos dropped on it, saved
//   reference FILE W H OUT.png         a plain Lanczos-3 resize of the whole decoded file
//   psnr A.png B.png                   prints their PSNR in dB
//   grab-root OUT.png                  the X root window's pixels

#include "PhotoLikeImage.h"
#include "core/WallPaperManager.h"
#include "desktop/WallpaperPicture.h"
#include "desktop/WallpaperRender.h"
#include "pictures/Picture.h"
#include "support/ScaleReference.h"
#include "support/SceneSetup.h"
#include "support/X11Observer.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

int Fail(const char* what)
{
    std::fprintf(stderr, "bench_driver: %s\n", what);
    return 1;
}

// The root window's pixels, or the pixmap setters announce where there is
// one: some leave the root window itself to be repainted later.
QImage GrabRoot()
{
    const Observer x(qgetenv("DISPLAY"));
    if (!x.Ok())
        return {};
    const uint32_t pixmap = x.Property("_XROOTPMAP_ID");
    return x.Pixels(pixmap ? pixmap : x.Root(), x.RootSize());
}

} // namespace

int main(int argc, char** argv)
{
    // The preview and the composition are work the running program does:
    // timed without the start of a GUI (platform plugin, fonts), as the tools
    // they are compared with have none. The other jobs get one.
    const bool inProgram = argc > 1 && (std::strcmp(argv[1], "preview") == 0 || std::strcmp(argv[1], "compose") == 0);
    std::unique_ptr<QCoreApplication> app;
    if (inProgram) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    const QStringList a = QCoreApplication::arguments().mid(1);
    if (a.isEmpty())
        return Fail("no job named");
    const QString job = a[0];
    const auto size = [&](int i) { return QSize(a.value(i).toInt(), a.value(i + 1).toInt()); };

    // A camera's grain: what makes a shrink's sharpness show.
    if ((job == "make-photo" || job == "make-png") && a.size() == 5) {
        QImage image = DrawPhotoLike(size(2), a[4].toInt());
        lanczos::AddGrain(image, 4, 7);
        QImageWriter writer(a[1], job == "make-png" ? "png" : "jpeg");
        writer.setQuality(90);
        return writer.write(image) ? 0 : Fail("cannot write the picture");
    }
    if (job == "set" && a.size() == 3) {
        qputenv("QUILVANE_DESKTOP", "x11");
        WallPaperManager::StaticCreate();
        const auto result = WallPaperManager::GetInstance()->ApplyWallPaper(a[1], a[2].toInt());
        WallPaperManager::StaticDestroy();
        return result == WallPaperManager::Result::Shown ? 0 : Fail("the wallpaper did not change");
    }
    if (job == "stretch" && a.size() == 5) {
        const QImage picture = LoadWallpaperPicture(a[1], size(2), WallpaperStyle::Stretch);
        const QImage screen = RenderWallpaper(picture, size(2), WallpaperStyle::Stretch);
        return !picture.isNull() && screen.save(a[4], "PNG") ? 0 : Fail("cannot stretch");
    }
    if (job == "preview" && (a.size() == 4 || a.size() == 5)) {
        CxImage picture;
        picture.SetMaxDecodeSize(size(2));
        if (!picture.Load(a[1], FindType(FindExtension(a[1]))))
            return Fail("cannot load");
        return a.size() == 4 || picture.GetImage().save(a[4], "PNG") ? 0 : Fail("cannot write");
    }
    if (job == "compose" && a.size() >= 5) {
        QTemporaryDir empty;
        SceneGraph* scene = CreateSceneWithoutTemplates(empty.filePath("none"));
        bool ok = scene->ChangeBackImage(a[2]);
        scene->SetCanvasRect(CRect(0, 0, a[3].toInt(), a[4].toInt()));
        // The photos dropped at once, as the design page adds several files.
        const QStringList photos = a.mid(5);
        std::vector<CRect> rects;
        for (int n = 0; n < photos.size(); ++n) {
            const int x = 10 + (n % 4) * 150;
            const int y = 80 + (n / 4) * 110;
            rects.emplace_back(x, y, x + 190, y + 190);
        }
        for (const bool added : scene->CreateSceneObjects(photos, rects))
            ok = ok && added;
        ok = ok && scene->SaveToJPG(a[1]);
        DestroyScene();
        return ok ? 0 : Fail("cannot compose");
    }
    if (job == "reference" && a.size() == 5) {
        QImageReader reader(a[1]);
        reader.setAutoTransform(true);
        QImageReader::setAllocationLimit(1024);
        const QImage whole = reader.read();
        return !whole.isNull() && lanczos::Resample(whole, size(2)).save(a[4], "PNG") ? 0 : Fail("cannot resize");
    }
    if (job == "psnr" && a.size() == 3) {
        const QImage x(a[1]);
        const QImage y(a[2]);
        if (x.isNull() || x.size() != y.size())
            return Fail("the pictures differ in size or cannot be read");
        std::printf("%.2f\n", lanczos::Psnr(x, y));
        return 0;
    }
    if (job == "grab-root" && a.size() == 2) {
        const QImage root = GrabRoot();
        return !root.isNull() && root.save(a[1], "PNG") ? 0 : Fail("cannot read the root window");
    }
    return Fail("unknown job or wrong arguments");
}
