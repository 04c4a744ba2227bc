#include "EffectJob.h"

#include "ImageEffect.h"
#include "Recipe.h"

#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

EffectJob::EffectJob(QObject *parent) : QObject(parent)
{
    connect(&m_watcher, &QFutureWatcher<Result>::finished, this, &EffectJob::done);
}

EffectJob::~EffectJob()
{
    cancel();
}

bool EffectJob::start(const Picture &from, const QList<RecipeStep> &steps, int keep)
{
    if (m_running)
        return false;
    const bool quick = std::all_of(steps.begin(), steps.end(), [](const RecipeStep &step) {
        return step.group == ImageEffect::kFrameGroup;
    });
    if (quick) {
        emit finished(run(from, steps, keep));
        return true;
    }
    m_running = true;
    m_watcher.setFuture(QtConcurrent::run(&EffectJob::run, from, steps, keep));
    return true;
}

void EffectJob::cancel()
{
    if (!m_running)
        return;
    m_watcher.disconnect(this);
    m_watcher.waitForFinished();
    m_running = false;
    connect(&m_watcher, &QFutureWatcher<Result>::finished, this, &EffectJob::done);
}

EffectJob::Result EffectJob::run(Picture from, const QList<RecipeStep> &steps, int keep)
{
    Result result;
    for (const RecipeStep &step : steps) {
        from = Recipe::applyStep(std::move(from), step, &result.error);
        if (from.isNull())
            return Result{{}, result.error};
        result.pictures.append(from);
        // Pictures further back than `keep` are let go as the run goes on.
        if (result.pictures.size() > std::max(keep, 1))
            result.pictures[result.pictures.size() - std::max(keep, 1) - 1] = Picture();
    }
    return result;
}

void EffectJob::done()
{
    // The end of a run cancelled may still be on its way.
    if (!m_running)
        return;
    m_running = false;
    emit finished(m_watcher.result());
}
