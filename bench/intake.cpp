// Intake of a 12-megapixel camera JPEG (4000 x 3000, quality 90) to the largest
// working size, as velmora-cli and the editor take a photo in: read the file, decode it,
// bring it upright and fit it to 1600 x 1200. "reduced" lets the decoder work at the DCT
// scale that still fits to the same size; "full" decodes every pixel first, for what the
// reduced decode saves. Timed on the wall clock (the decoder may use more than one thread);
// peak_MB is how far the process's resident size rose above where it stood before one
// intake, measured on the first run.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

#include <QImage>
#include <QTemporaryDir>

#include "BenchPictures.h"
#include "ImageFile.h"
#include "ImageResizer.h"
#include "Picture.h"

namespace {

constexpr int kCameraWidth = 4000;
constexpr int kCameraHeight = 3000;

// The camera file, written once for the whole run: a bundled photo filled up to 4000 x 3000
// without distortion, as bench/compare-peers.sh makes its large input.
const QString &CameraFile()
{
    static QTemporaryDir folder;
    static const QString path = [] {
        const QSize size(kCameraWidth, kCameraHeight);
        const QImage sample =
            QImage(QStringLiteral(VELMORA_SAMPLES "/coffee.png"))
                .scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
        const QImage grid = sample.copy(QRect(
            QPoint((sample.width() - size.width()) / 2, (sample.height() - size.height()) / 2),
            size));
        const QString name = folder.filePath(QStringLiteral("camera.jpg"));
        QString error;
        if (!ImageFile::write(Picture(grid), name, &error, 90))
            std::fprintf(stderr, "intake_bench: %s\n", qPrintable(error));
        return name;
    }();
    return path;
}

// Kilobytes from a line of /proc/self/status ("VmRSS:", "VmHWM:").
long StatusKilobytes(const std::string &key)
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == key) {
            long kilobytes = 0;
            status >> kilobytes;
            return kilobytes;
        }
    return 0;
}

// Writing 5 to clear_refs sets the peak back to the present resident size (Linux).
double PeakMegabytesOf(const std::function<void()> &work)
{
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = StatusKilobytes("VmRSS:");
    work();
    return static_cast<double>(StatusKilobytes("VmHWM:") - before) / 1024.0;
}

Picture Intake(QSize fitBox)
{
    QString error;
    const Picture picture = ImageFile::read(CameraFile(), &error, fitBox);
    return ImageResizer::colorMatch(picture, QSizeF(bench::kFullWidth, bench::kFullHeight));
}

void BM_intake(benchmark::State &state, QSize fitBox)
{
    Picture fitted;
    const double peak = PeakMegabytesOf([&] { fitted = Intake(fitBox); });
    if (fitted.size() != QSize(bench::kFullWidth, bench::kFullHeight)) {
        state.SkipWithError("the camera file did not fit to 1600 x 1200");
        return;
    }
    fitted = Picture();
    double best = 1e9;
    for (auto _ : state) {
        const double start = bench::WallSeconds();
        benchmark::DoNotOptimize(Intake(fitBox));
        const double seconds = bench::WallSeconds() - start;
        state.SetIterationTime(seconds);
        best = std::min(best, seconds);
    }
    state.counters["best_ms"] = best * 1e3;
    state.counters["peak_MB"] = peak;
}

BENCHMARK_CAPTURE(BM_intake, reduced, QSize(bench::kFullWidth, bench::kFullHeight))
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_intake, full, QSize())->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
