// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws Quilvane's background templates and writes them as JPEGs under a res/
// folder:
//
//   templates/01-daybreak.jpg   sky from deep blue to a warm horizon, soft sun
//   templates/02-lagoon.jpg     teal water with slow, soft wave bands
//   templates/03-meadow.jpg     pale sky over layered rolling hills
//   templates/04-dusk.jpg       plum to indigo with out-of-focus light discs
//   templates/05-linen.jpg      warm paper with a faint woven diamond pattern
//
// The files are checked in; run this only to redraw them:
//   quilvane_draw_templates [res-folder]
// Without an argument it writes into the res/ folder this source lives in.
//
// The scene starts on the first of them, in name order. They are wallpaper
// sized (1920x1080) and drawn with soft shapes only: hard edges and noise
// would make the JPEGs several times larger for nothing.

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>

#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
// Each file has to stay small enough to ship several; this quality keeps the
// gradients free of visible blocks and every file well under 300 KB.
constexpr int kQuality = 92;
constexpr qint64 kMaxBytes = 300 * 1024;

QImage Canvas()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

QImage DrawDaybreak()
{
    QImage image = Canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0.0, QColor(18, 38, 92));
    sky.setColorAt(0.45, QColor(64, 106, 170));
    sky.setColorAt(0.78, QColor(238, 170, 120));
    sky.setColorAt(1.0, QColor(252, 214, 160));
    p.fillRect(image.rect(), sky);

    const QPointF sun(kWidth * 0.68, kHeight * 0.80);
    QRadialGradient glow(sun, kHeight * 0.55);
    glow.setColorAt(0.0, QColor(255, 244, 214, 230));
    glow.setColorAt(0.08, QColor(255, 226, 170, 200));
    glow.setColorAt(0.35, QColor(250, 190, 130, 70));
    glow.setColorAt(1.0, QColor(250, 190, 130, 0));
    p.fillRect(image.rect(), glow);
    return image;
}

QImage DrawLagoon()
{
    QImage image = Canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient water(0, 0, kWidth, kHeight);
    water.setColorAt(0.0, QColor(38, 150, 160));
    water.setColorAt(0.55, QColor(20, 96, 128));
    water.setColorAt(1.0, QColor(12, 40, 84));
    p.fillRect(image.rect(), water);

    // Broad translucent bands: each is a sine curve stroked with a pen many
    // pixels wide, so its edges stay soft after the JPEG's smoothing.
    for (int band = 0; band < 7; ++band) {
        QPainterPath path;
        const double baseline = kHeight * (0.12 + 0.13 * band);
        const double amplitude = 30.0 + 9.0 * band;
        const double phase = band * 0.9;
        path.moveTo(-50, baseline);
        for (int x = -50; x <= kWidth + 50; x += 20)
            path.lineTo(x, baseline + amplitude * std::sin(x / 260.0 + phase));
        QColor colour = band % 2 ? QColor(255, 255, 255, 20) : QColor(150, 230, 230, 26);
        p.strokePath(path, QPen(colour, 46 + 6 * band, Qt::SolidLine, Qt::RoundCap));
    }
    return image;
}

QImage DrawMeadow()
{
    QImage image = Canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kHeight * 0.7);
    sky.setColorAt(0.0, QColor(120, 172, 224));
    sky.setColorAt(1.0, QColor(222, 236, 244));
    p.fillRect(image.rect(), sky);

    struct Hill {
        double base;
        double amplitude;
        double wavelength;
        double phase;
        QColor top;
        QColor bottom;
    };
    const Hill hills[] = {
        {0.58, 60, 520, 0.3, QColor(150, 190, 120), QColor(112, 160, 92)},
        {0.70, 70, 680, 2.1, QColor(104, 160, 80), QColor(74, 128, 58)},
        {0.84, 55, 820, 4.0, QColor(66, 124, 52), QColor(40, 88, 36)},
    };
    for (const Hill& hill : hills) {
        QPainterPath path;
        const double baseline = kHeight * hill.base;
        path.moveTo(0, kHeight);
        for (int x = 0; x <= kWidth; x += 16)
            path.lineTo(x,
                        baseline + hill.amplitude * std::sin(2 * std::numbers::pi * x / hill.wavelength + hill.phase));
        path.lineTo(kWidth, kHeight);
        path.closeSubpath();
        QLinearGradient shade(0, baseline - hill.amplitude, 0, kHeight);
        shade.setColorAt(0, hill.top);
        shade.setColorAt(1, hill.bottom);
        p.fillPath(path, shade);
    }
    return image;
}

QImage DrawDusk()
{
    QImage image = Canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, kWidth, kHeight);
    sky.setColorAt(0.0, QColor(86, 36, 92));
    sky.setColorAt(1.0, QColor(24, 26, 78));
    p.fillRect(image.rect(), sky);

    // Out-of-focus lights: radial gradients that fade to nothing, placed by a
    // fixed formula so every run draws the same picture.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 26; ++i) {
        const QPointF centre((i * 397) % kWidth, 80 + (i * 211) % (kHeight - 160));
        const double radius = 40 + (i * 53) % 110;
        QColor core = QColor::fromHsv((290 + i * 23) % 360, 90, 255, 90);
        QColor rim = core;
        rim.setAlpha(0);
        QRadialGradient disc(centre, radius);
        disc.setColorAt(0.0, core);
        disc.setColorAt(0.7, QColor(core.red(), core.green(), core.blue(), 50));
        disc.setColorAt(1.0, rim);
        p.setBrush(disc);
        p.drawEllipse(centre, radius, radius);
    }
    return image;
}

QImage DrawLinen()
{
    QImage image = Canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient paper(QPointF(kWidth / 2.0, kHeight / 2.0), kWidth * 0.7);
    paper.setColorAt(0.0, QColor(240, 232, 216));
    paper.setColorAt(1.0, QColor(206, 194, 172));
    p.fillRect(image.rect(), paper);

    // A faint diamond lattice drawn with wide, nearly transparent pens.
    const double step = 120.0;
    for (double d = -kHeight; d < kWidth + kHeight; d += step) {
        p.setPen(QPen(QColor(150, 120, 90, 18), 10));
        p.drawLine(QPointF(d, 0), QPointF(d + kHeight, kHeight));
        p.setPen(QPen(QColor(255, 255, 255, 30), 10));
        p.drawLine(QPointF(d, kHeight), QPointF(d + kHeight, 0));
    }
    return image;
}

bool Save(const QImage& image, const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImageWriter writer(path, "jpeg");
    writer.setQuality(kQuality);
    writer.setOptimizedWrite(true);
    writer.setProgressiveScanWrite(true);
    if (!writer.write(image)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
        return false;
    }
    const qint64 size = QFileInfo(path).size();
    std::printf("%s: %lld bytes\n", qPrintable(path), static_cast<long long>(size));
    if (size > kMaxBytes) {
        std::fprintf(stderr, "%s is larger than %lld bytes\n", qPrintable(path), static_cast<long long>(kMaxBytes));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::fprintf(stderr, "usage: %s [res-folder]\n", argv[0]);
        return 2;
    }
    // Our own res/ folder: this file sits in res/art/.
    const QString res =
        argc == 2 ? QString::fromLocal8Bit(argv[1])
                  : QDir::cleanPath(QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + QStringLiteral("/.."));
    const QDir dir(res);

    const struct {
        const char* name;
        std::function<QImage()> draw;
    } templates[] = {
        {"templates/01-daybreak.jpg", DrawDaybreak}, {"templates/02-lagoon.jpg", DrawLagoon},
        {"templates/03-meadow.jpg", DrawMeadow},     {"templates/04-dusk.jpg", DrawDusk},
        {"templates/05-linen.jpg", DrawLinen},
    };
    bool ok = true;
    for (const auto& t : templates)
        ok = Save(t.draw(), dir.filePath(QString::fromUtf8(t.name))) && ok;
    return ok ? 0 : 1;
}
