// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Peak resident memory of loading each hostile picture, with the preview's
// decode limit and without one. Each load runs in a child process of its
// own (this program started again with --child), so every figure is that
// process's own peak, start-up included; the first row is a child that loads
// nothing, for reference. Every figure must stay under 300 MB.

#include "pictures/Picture.h"
#include "tests/support/HostileFiles.h"
#include "tests/support/ProcessMemory.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr qint64 kMaxPeakMb = 300;

int RunChild(const QString& path, const QString& limit)
{
    CxImage picture;
    if (limit != "none")
        picture.SetMaxDecodeSize(QSize(512, 512));
    const bool loaded = !path.isEmpty() && picture.Load(path, FindType(FindExtension(path)));
    const QSize size = picture.GetDecodedSize();
    std::printf("%s %lld %dx%d\n", loaded ? "loaded" : "refused", static_cast<long long>(ProcStatusKb("VmHWM")),
                size.width(), size.height());
    return 0;
}

struct Figure {
    bool loaded = false;
    qint64 peakKb = -1;
    QString size;
};

Figure Measure(const QString& self, const QString& path, const QString& limit)
{
    QProcess child;
    child.start(self, {"--child", path, limit});
    Figure figure;
    if (!child.waitForFinished(120000)) {
        child.kill();
        child.waitForFinished();
        return figure;
    }
    const QList<QByteArray> words = child.readAllStandardOutput().trimmed().split(' ');
    if (words.size() == 3) {
        figure.loaded = words[0] == "loaded";
        figure.peakKb = words[1].toLongLong();
        figure.size = QString::fromLatin1(words[2]);
    }
    return figure;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && QByteArray(argv[1]) == "--child") {
        QGuiApplication app(argc, argv);
        return RunChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"progressive-16384x16384.jpg", hostile::JpegClaiming(16384, 16384, true)},
        {"screen-11585x11585.gif", hostile::GifWithScreen(11585, 11585)},
        {"grey-11585x11585.png", hostile::ZeroPng(11585, 11585, 8, 0)},
        {"rgba16-8192x8192.png", hostile::ZeroPng(8192, 8192, 16, 6)},
        {"baseline-10000x10000.jpg", hostile::JpegClaiming(10000, 10000, false)},
    };
    const QString self = QCoreApplication::applicationFilePath();
    std::printf("%-30s %9s %-8s %-10s %9s %-8s %-10s\n", "file (bytes)", "limit MB", "result", "decoded", "none MB",
                "result", "decoded");
    const Figure idle = Measure(self, QString(), "none");
    std::printf("%-30s %9.1f\n", "(nothing loaded)", idle.peakKb / 1024.0);
    qint64 worstKb = idle.peakKb;
    bool complete = idle.peakKb > 0;
    for (const auto& f : files) {
        const QString path = dir.filePath(f.name);
        if (!hostile::WriteBytes(path, f.bytes)) {
            std::fprintf(stderr, "cannot write %s\n", f.name);
            return 1;
        }
        const Figure limited = Measure(self, path, "512");
        const Figure unlimited = Measure(self, path, "none");
        const QString label = QString("%1 (%2)").arg(f.name).arg(f.bytes.size());
        std::printf("%-30s %9.1f %-8s %-10s %9.1f %-8s %-10s\n", qPrintable(label), limited.peakKb / 1024.0,
                    limited.loaded ? "loaded" : "refused", qPrintable(limited.size), unlimited.peakKb / 1024.0,
                    unlimited.loaded ? "loaded" : "refused", qPrintable(unlimited.size));
        complete = complete && limited.peakKb > 0 && unlimited.peakKb > 0;
        worstKb = std::max({worstKb, limited.peakKb, unlimited.peakKb});
    }
    std::printf("highest peak %.1f MB: %s\n", worstKb / 1024.0,
                complete && worstKb < kMaxPeakMb * 1024 ? "every figure under 300 MB" : "OVER 300 MB OR NOT MEASURED");
    return 0;
}
