// The edit history's slow path: undo and redo to pictures the memory budget dropped, which
// are remade by replaying steps on the worker from the nearest picture kept. Ten steps on a
// 1600 x 1200 picture under the default budget (the current picture and three others) and
// under one that keeps the current picture alone; each walk goes back or forward to the
// dropped picture farthest from the current one. Goal: under 0.25 s a walk on two cores.

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <cstdlib>

#include "BenchPictures.h"
#include "EditSession.h"

namespace {

void WaitUntilIdle(EditSession &session)
{
    while (session.isBusy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// An evening's edit: a crop, corrections, a look with noise; the engine's steps last, so that
// no walk ends on a quick crop.
const char *const kSteps[] = {"3 x 4",
                              "White border=5",
                              "Auto Correction",
                              "Adjust Brightness=12",
                              "Adjust Contrast=13",
                              "Adjust Saturation=8",
                              "Sepia",
                              "Night Vision",
                              "Adjust Contrast=11",
                              "Posterize=14"};

void BM_undoRedoToDroppedPicture(benchmark::State &state)
{
    EditSession session;
    session.setBudget(state.range(0) * bench::kFullWidth * bench::kFullHeight * 4);
    session.start(Picture(bench::MakeFullGrid()), QSize(bench::kFullWidth, bench::kFullHeight));
    for (const char *text : kSteps) {
        RecipeStep step;
        QString error;
        if (!RecipeStep::parse(QString::fromLatin1(text), &step, &error)) {
            state.SkipWithError(error.toStdString().c_str());
            return;
        }
        session.apply(step);
        WaitUntilIdle(session);
    }
    QUndoStack *stack = session.undoStack();
    if (stack->count() != 10) {
        state.SkipWithError("a step failed");
        return;
    }
    int replayed = 0;
    // Each walk goes to the dropped picture farthest from the current one: the longest wait
    // the history can make.
    for (auto _ : state) {
        int target = -1;
        for (int index = 0; index <= stack->count(); ++index)
            if (!session.isKept(index) && (target < 0 || std::abs(index - stack->index()) >
                                                             std::abs(target - stack->index())))
                target = index;
        if (target < 0) {
            state.SkipWithError("nothing dropped");
            return;
        }
        for (int from = target; !session.isKept(from); --from)
            ++replayed;
        stack->setIndex(target);
        WaitUntilIdle(session);
    }
    state.counters["steps"] = double(replayed) / double(state.iterations());
}

} // namespace

// Room for four pictures (the default) and for the current picture alone.
BENCHMARK(BM_undoRedoToDroppedPicture)
    ->Arg(4)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
