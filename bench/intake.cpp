// Intake of a 12-megapixel camera JPEG (4000 x 3000, quality 90), the same photo as a PNG,
// and a PNG of the largest picture taken in (16383 x 8192), to the largest working size, as
// velmora-cli and the editor take a photo in: read the file, decode it, bring it upright and
// fit it to 1600 x 1200. "reduced" lets the JPEG decoder work at the DCT scale that still
// fits to the same size, and decodes a PNG a row at a time, reducing as it goes; "full"
// decodes every pixel first, for what the reduced decode saves. Timed on the wall clock (the
// decoders may use more than one thread); peak_MB is how far the process's resident size rose
// above where it stood before one intake, measured on the first run.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <string>

#include <QImage>
#include <QTemporaryDir>

#include "BenchPictures.h"
#include "ImageFile.h"
#include "ImageResizer.h"
#include "Picture.h"

namespace {

// A bundled photo filled up to `size` without distortion, as bench/compare-peers.sh makes its
// large inputs, written to `name` (the format follows the suffix) once for the whole run.
QString FilledFile(const char *name, QSize size)
{
    static QTemporaryDir folder;
    const QImage sample =
        QImage(QStringLiteral(VELMORA_SAMPLES "/coffee.png"))
            .scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    const QImage grid = sample.copy(QRect(
        QPoint((sample.width() - size.width()) / 2, (sample.height() - size.height()) / 2), size));
    const QString path = folder.filePath(QString::fromLatin1(name));
    QString error;
    if (!ImageFile::write(Picture(grid), path, &error, 90))
        std::fprintf(stderr, "intake_bench: %s\n", qPrintable(error));
    return path;
}

const QString &CameraJpeg()
{
    static const QString path = FilledFile("camera.jpg", QSize(4000, 3000));
    return path;
}

const QString &CameraPng()
{
    static const QString path = FilledFile("camera.png", QSize(4000, 3000));
    return path;
}

const QString &LargestPng()
{
    static const QString path = FilledFile("largest.png", QSize(16383, 8192));
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

// Writing 5 to clear_refs sets the peak back to the present resident size (Linux). Free
// memory the allocator still holds is handed back first: an intake that reuses it would show
// no rise at all.
double PeakMegabytesOf(const std::function<void()> &work)
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = StatusKilobytes("VmRSS:");
    work();
    return static_cast<double>(StatusKilobytes("VmHWM:") - before) / 1024.0;
}

const QSize kBox(bench::kFullWidth, bench::kFullHeight);

Picture Intake(const QString &path, QSize fitBox)
{
    QString error;
    const Picture picture = ImageFile::read(path, &error, fitBox);
    return ImageResizer::colorMatch(picture, kBox);
}

void BM_intake(benchmark::State &state, const QString &(*file)(), QSize fitBox)
{
    const QString &path = file();
    Picture fitted;
    const double peak = PeakMegabytesOf([&] { fitted = Intake(path, fitBox); });
    if (fitted.size() != ImageResizer::fittedSize(ImageFile::storedSize(path), kBox)) {
        state.SkipWithError("the file did not fit to 1600 x 1200");
        return;
    }
    fitted = Picture();
    double best = 1e9;
    for (auto _ : state) {
        const double start = bench::WallSeconds();
        benchmark::DoNotOptimize(Intake(path, fitBox));
        const double seconds = bench::WallSeconds() - start;
        state.SetIterationTime(seconds);
        best = std::min(best, seconds);
    }
    state.counters["best_ms"] = best * 1e3;
    state.counters["peak_MB"] = peak;
}

BENCHMARK_CAPTURE(BM_intake, jpeg_12mp_reduced, CameraJpeg, kBox)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_intake, jpeg_12mp_full, CameraJpeg, QSize())
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_intake, png_12mp_reduced, CameraPng, kBox)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_intake, png_12mp_full, CameraPng, QSize())
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_intake, png_largest_reduced, LargestPng, kBox)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_intake, png_largest_full, LargestPng, QSize())
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
