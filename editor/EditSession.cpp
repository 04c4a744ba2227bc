#include "EditSession.h"

#include "ApplyStepCommand.h"
#include "ImageEffect.h"

#include <QRandomGenerator>

#include <cstdlib>
#include <tuple>
#include <utility>

EditSession::EditSession(QObject *parent) : QObject(parent)
{
    connect(&m_stack, &QUndoStack::indexChanged, this, [this](int index) {
        if (!m_pushing)
            show(index);
    });
    connect(&m_job, &EffectJob::finished, this, &EditSession::jobFinished);
}

// The stack empties itself as it goes and would move the index: nothing is shown any more.
EditSession::~EditSession()
{
    m_job.cancel();
    m_stack.disconnect(this);
    blockSignals(true);
}

void EditSession::start(const Picture &photo, QSize workingSize)
{
    m_job.cancel();
    m_pushing = true;
    m_stack.clear();
    m_pushing = false;
    m_original = photo;
    m_current = photo;
    m_workingSize = workingSize;
    m_shown = 0;
    m_replaying = -1;
    m_adding.clear();
    setBusy(false);
}

bool EditSession::apply(RecipeStep step)
{
    Recipe recipe;
    recipe.steps = {step};
    return apply(recipe);
}

bool EditSession::apply(const Recipe &recipe)
{
    if (m_original.isNull() || m_busy || recipe.steps.isEmpty())
        return false;
    m_adding = recipe.steps;
    // A noise step is made again to the byte only from the seed it first ran with.
    for (RecipeStep &step : m_adding)
        if (!step.seed && ImageEffect::drawsNoise(step.group, step.index))
            step.seed = QRandomGenerator::global()->generate();
    m_replaying = -1;
    return run(m_current, m_adding);
}

bool EditSession::revert()
{
    if (!canRevert())
        return false;
    m_pushing = true;
    m_stack.push(new ApplyStepCommand(std::nullopt, m_original));
    m_pushing = false;
    show(m_stack.index());
    return true;
}

Recipe EditSession::recipe() const
{
    Recipe recipe;
    recipe.workingSize = m_workingSize;
    for (int i = 0; i < m_stack.index(); ++i) {
        if (command(i)->isRevert())
            recipe.steps.clear();
        else
            recipe.steps.append(*command(i)->step());
    }
    return recipe;
}

void EditSession::setBudget(qint64 bytes)
{
    m_budget = bytes;
    keepWithinBudget();
}

qint64 EditSession::keptBytes() const
{
    qint64 bytes = 0;
    for (int i = 0; i < m_stack.count(); ++i)
        bytes += command(i)->keptBytes();
    return bytes;
}

ApplyStepCommand *EditSession::command(int index) const
{
    return static_cast<ApplyStepCommand *>(const_cast<QUndoCommand *>(m_stack.command(index)));
}

// The picture at a place in the history: 0 is the photo as taken, i what the i-th step made.
Picture EditSession::pictureAt(int index) const
{
    return index == 0 ? m_original : command(index - 1)->result();
}

void EditSession::show(int index)
{
    // A replay's end looks at the index again.
    if (m_job.isRunning())
        return;
    const Picture kept = pictureAt(index);
    if (!kept.isNull()) {
        const bool back = index < m_shown;
        m_shown = index;
        m_current = kept;
        keepWithinBudget();
        emit imageChanged(back);
        return;
    }
    int from = index - 1;
    while (pictureAt(from).isNull())
        --from;
    QList<RecipeStep> steps;
    for (int i = from; i < index; ++i)
        steps.append(*command(i)->step());
    m_replaying = index;
    m_replayFrom = from;
    run(pictureAt(from), steps);
}

bool EditSession::run(const Picture &from, const QList<RecipeStep> &steps)
{
    setBusy(true);
    if (!m_job.start(from, steps, picturesThatFit())) {
        setBusy(false);
        return false;
    }
    return true;
}

void EditSession::jobFinished(const EffectJob::Result &result)
{
    const int replaying = std::exchange(m_replaying, -1);
    const QList<RecipeStep> adding = std::exchange(m_adding, {});
    const PhotoMetadata &metadata = m_original.metadata();
    // The history stays with the picture shown, or goes on from it, wherever its index went
    // while the job ran.
    m_pushing = true;
    if (!result.error.isEmpty() || replaying < 0)
        m_stack.setIndex(m_shown);
    if (!result.error.isEmpty()) {
        m_pushing = false;
        setBusy(false);
        emit failed(result.error);
        return;
    }
    for (int k = 0; k < result.pictures.size(); ++k) {
        const Picture made =
            result.pictures[k].isNull() ? Picture() : result.pictures[k].withMetadata(metadata);
        if (replaying >= 0) {
            if (!made.isNull())
                command(m_replayFrom + k)->setResult(made);
        } else {
            m_stack.push(new ApplyStepCommand(adding[k], made));
        }
    }
    m_pushing = false;
    show(m_stack.index());
    if (!m_job.isRunning())
        setBusy(false);
}

// Undo and redo of one step stay instant while the budget allows: the current picture's
// neighbours go last. Of the others, the picture dropped is the one whose going leaves the
// shortest run of steps to replay (the farthest from the current picture among equals), so
// that the pictures kept spread over the history.
void EditSession::keepWithinBudget()
{
    while (keptBytes() > m_budget) {
        QList<int> kept{0}; // places with a picture; a revert's is the photo as taken
        for (int at = 1; at <= m_stack.count(); ++at)
            if (!pictureAt(at).isNull())
                kept.append(at);
        int drop = -1;
        std::tuple<bool, int, int> best;
        for (int k = 1; k < kept.size(); ++k) {
            const int at = kept[k];
            if (at == m_shown || command(at - 1)->keptBytes() == 0)
                continue;
            const int next = k + 1 < kept.size() ? kept[k + 1] : m_stack.count() + 1;
            const std::tuple<bool, int, int> cost{std::abs(at - m_shown) == 1, next - kept[k - 1],
                                                  -std::abs(at - m_shown)};
            if (drop < 0 || cost < best) {
                drop = at;
                best = cost;
            }
        }
        if (drop < 0)
            return; // the current picture alone
        command(drop - 1)->dropResult();
    }
}

int EditSession::picturesThatFit() const
{
    const qint64 bytes = m_current.isNull() ? 0 : m_current.grid().sizeInBytes();
    return bytes > 0 ? int(std::max<qint64>(1, m_budget / bytes)) : 1;
}

void EditSession::setBusy(bool busy)
{
    if (m_busy == busy)
        return;
    m_busy = busy;
    emit busyChanged(busy);
}
