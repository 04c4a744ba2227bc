// What the editor's screen waits for, in a 1280 x 960 window:
// - preview: from a level change to the new preview picture (the working picture fitted to
//   the largest preview box, the effect rendered on it, converted for the screen), for every
//   effect the editor steps through, at 1 and 2 device pixels to the point;
// - remake: the display picture and the previews' copies made again after a resize, at 2
//   device pixels to the point, in both layouts, for a photo without and with a wide-gamut
//   profile;
// - pan: a drag across the zoomed picture, each step drawn from the working picture's part
//   in view, at 100 %, 200 % and 400 %, at 2 device pixels to the point.
// The budget of both is one 60 Hz frame, 16 ms, on one core: run under `taskset -c 0`
// (Qt spreads large scalings over a thread pool, so the wall clock is what counts).

#include <benchmark/benchmark.h>


#include <QApplication>
#include <QBuffer>
#include <QColorSpace>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include "BenchPictures.h"
#include "CBandRunner.h"
#include "DisplayCache.h"
#include "ImageEffect.h"
#include "PhotoMetadata.h"
#include "Picture.h"
#include "PreviewRenderer.h"
#include "ZoomImageView.h"

namespace {

// Boxes of a 1280 x 960 window, in points: below the 32-point bar, the split layout halves
// what the 44-point toolbar leaves (its preview is the largest of the two layouts'), and the
// hover layout's picture has all but the 80-point toolbar.
const QSize kSplitHalf(640, 884);
const QSize kHoverPicture(1280, 848);

Picture WorkingPicture(bool profiled)
{
    QImage grid = bench::MakeFullGrid();
    if (!profiled)
        return Picture(grid);
    // The profile travels in the metadata of a file, as a camera writes it.
    grid.setColorSpace(QColorSpace::DisplayP3);
    QByteArray png;
    QBuffer buffer(&png);
    grid.save(&buffer, "PNG");
    return Picture(grid).withMetadata(PhotoMetadata::read(png));
}

void BM_preview(benchmark::State &state)
{
    CBandRunner::SetBands(1);
    const int group = int(state.range(0)), index = int(state.range(1));
    const int ratio = int(state.range(2));
    const Picture working = WorkingPicture(false);
    PreviewRenderer renderer;
    renderer.setGroup(group);
    for (int i = 0; i < index; ++i)
        renderer.effect().nextEffect();
    state.SetLabel(ImageEffect::effectName(group, index).toStdString());
    unsigned char level = 0;
    for (auto _ : state) {
        renderer.setLevel(level++ % 21);
        const Picture thumbnail = DisplayCache::fitted(working, kSplitHalf * ratio);
        Picture shown = renderer.render(thumbnail, working);
        benchmark::DoNotOptimize(shown);
    }
}

void PreviewArguments(benchmark::internal::Benchmark *bench)
{
    for (int ratio : {1, 2})
        for (int group = 0; group < ImageEffect::kGroupCount; ++group)
            for (int index = 0; index < ImageEffect::effectCount(group); ++index)
                bench->Args({group, index, ratio});
}

// The remake after a resize, the window's edge dragged by 8 points and back: the display
// picture and the previews' copies (of the picture and of the one before the last step), in
// the split layout (display and preview halves) or the hover layout (the picture, the centre
// clip).
void BM_remake(benchmark::State &state)
{
    const bool split = state.range(0) != 0;
    QWidget display, preview;
    const QSize displayBox = split ? kSplitHalf : kHoverPicture;
    const QSize previewBox = split ? kSplitHalf : DisplayCache::hoverPreviewSize(QSize(1280, 960));
    display.resize(displayBox);
    preview.resize(previewBox);
    display.show();
    preview.show();
    DisplayCache cache;
    cache.setViews(&display, &preview, !split);
    const Picture working = WorkingPicture(state.range(1) != 0);
    if (state.range(1) != 0 && working.metadata().iccProfile().isEmpty())
        state.SkipWithError("the test picture carries no profile");
    state.SetLabel(std::string(split ? "split" : "hover") +
                   (state.range(1) != 0 ? ", P3 profile" : ", no profile") + " @" +
                   std::to_string(int(display.devicePixelRatio())) + "x");
    cache.setPicture(working);
    QSize step(8, 8);
    for (auto _ : state) {
        display.resize(displayBox - step);
        if (split)
            preview.resize(previewBox - step);
        step = QSize(8, 8) - step;
        cache.setPicture(working);
        benchmark::DoNotOptimize(cache.displayImage());
    }
}

// Each step moves the picture 8 points under a held button and draws the view, as the screen
// would, in the hover layout's picture box (the largest).
void BM_pan(benchmark::State &state)
{
    const bool profiled = state.range(1) != 0;
    DisplayCache cache;
    ZoomImageView view;
    view.resize(kHoverPicture);
    view.show();
    cache.setViews(&view, nullptr, false);
    view.setDisplayCache(&cache);
    cache.setPicture(WorkingPicture(profiled));
    view.setImage(cache.displayImage());
    view.zoomTo(state.range(0) / 100.0, QRectF(view.rect()).center());
    state.SetLabel(std::to_string(state.range(0)) + " %" + (profiled ? ", P3 profile" : "") +
                   " @" + std::to_string(int(view.devicePixelRatio())) + "x");
    QImage screen(view.size() * view.devicePixelRatio(), QImage::Format_RGB32);
    screen.setDevicePixelRatio(view.devicePixelRatio());
    const auto send = [&view](QEvent::Type type, QPointF at) {
        QMouseEvent event(type, at, view.mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &event);
    };
    const QPointF centre = QRectF(view.rect()).center();
    send(QEvent::MouseButtonPress, centre);
    view.render(&screen); // the picture converted for the screen once, before the drag
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 16; // there and back, never reaching an edge
        const int out = step < 8 ? step : 16 - step;
        send(QEvent::MouseMove, centre + QPointF(20 + 8 * out, 8 * out));
        view.render(&screen);
        benchmark::DoNotOptimize(screen);
    }
    send(QEvent::MouseButtonRelease, centre);
}

} // namespace

BENCHMARK(BM_preview)->Apply(PreviewArguments)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_remake)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_pan)->ArgsProduct({{100, 200, 400}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The remake is measured on a screen of two device pixels to the point.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
