#include "BatchRunner.h"

#include <atomic>

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QThreadPool>

#include "AtomicFile.h"
#include "BatchJob.h"
#include "CImageEffect.h"
#include "ImageEffect.h"
#include "ImageFile.h"
#include "MemoryBudget.h"
#include "ProgressBar.h"
#include "Recipe.h"

namespace {

QString outputName(const QString &input)
{
    const QFileInfo info(input);
    const bool keep = !ImageFile::writeFormat(input).isEmpty();
    return info.completeBaseName() + QLatin1Char('.') +
           (keep ? info.suffix() : QStringLiteral("jpg"));
}

// One name per file: links and relative paths to an existing file resolve to the same.
QString identity(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

} // namespace

bool BatchRunner::planOutputs(QStringList *outputs, QString *error) const
{
    if (!m_options.output.isEmpty()) {
        outputs->append(m_options.output);
        return true;
    }
    const QString dir = m_options.outputDir;
    if (!QDir().mkpath(dir)) {
        *error = QStringLiteral("%1: the output folder cannot be created").arg(dir);
        return false;
    }
    const QFileInfo info(dir);
    if (!info.isDir() || !info.isWritable()) {
        *error = QStringLiteral("%1: the output folder is not writable").arg(dir);
        return false;
    }
    for (const QString &input : m_options.inputs)
        outputs->append(QDir(dir).filePath(outputName(input)));
    return true;
}

bool BatchRunner::saveRecipe(QString *error)
{
    Recipe recipe{m_options.effects, m_options.workingSize};
    // Nothing draws noise before the first step that does: a seed there starts it where the
    // first input's run starts, and the steps after it go on from there as they do in the run.
    const auto first = std::find_if(recipe.steps.begin(), recipe.steps.end(), [](const auto &step) {
        return ImageEffect::drawsNoise(step.group, step.index);
    });
    // Under --seed the steps hold no seeds of their own: the first noise step takes its seed.
    if (first != recipe.steps.end() && !first->seed) {
        if (!m_seeded)
            m_seed = QRandomGenerator::system()->generate();
        m_seeded = true;
        first->seed = m_seed;
    }
    return recipe.write(m_options.saveRecipe, error);
}

int BatchRunner::run()
{
    QStringList outputs;
    QString error;
    if (!m_options.saveRecipe.isEmpty() && !saveRecipe(&error)) {
        std::fprintf(m_messages, "velmora-cli: %s\n", qPrintable(error));
        return 1;
    }
    if (!planOutputs(&outputs, &error)) {
        std::fprintf(m_messages, "velmora-cli: %s\n", qPrintable(error));
        return 1;
    }

    // What runs that were killed left beside the outputs.
    AtomicFile::removeStaleTemporaries(outputs);

    // Problems visible before any work: an output that exists, one that two inputs would
    // share, one that is an input itself (inputs are never modified).
    QSet<QString> inputPaths;
    for (const QString &input : m_options.inputs)
        inputPaths.insert(identity(input));
    QSet<QString> planned;
    QStringList refusals(outputs.size());
    for (int i = 0; i < outputs.size(); ++i) {
        const QString path = identity(outputs[i]);
        if (inputPaths.contains(path))
            refusals[i] = QStringLiteral("%1: the output would overwrite an input").arg(outputs[i]);
        else if (planned.contains(path))
            refusals[i] =
                QStringLiteral("%1: another input writes the same output").arg(outputs[i]);
        else if (!m_options.force && QFileInfo::exists(path))
            refusals[i] =
                QStringLiteral("%1: the output exists (use --force to overwrite)").arg(outputs[i]);
        planned.insert(path);
    }

    BatchJob::Settings settings;
    settings.effects = m_options.effects;
    settings.workingSize = m_options.workingSize;
    settings.quality = m_options.quality;
    settings.strip = m_options.strip;

    const int count = m_options.inputs.size();
    ProgressBar progress(count, m_messages);
    std::atomic<int> failures{0};
    MemoryBudget budget(m_options.memoryBudget > 0 ? m_options.memoryBudget
                                                   : MemoryBudget::defaultBytes());
    QThreadPool pool;
    pool.setMaxThreadCount(m_options.jobs > 0 ? m_options.jobs : QThread::idealThreadCount());
    for (int i = 0; i < count; ++i) {
        pool.start([&, i] {
            QString failure = refusals[i];
            QString warning;
            if (failure.isEmpty()) {
                // Each input has its own seed, so the result never depends on --jobs.
                if (m_seeded)
                    CImageEffect::Seed(m_seed + static_cast<unsigned>(i));
                const qint64 held =
                    budget.reserve(BatchJob::memoryNeeded(m_options.inputs[i], settings));
                failure = BatchJob::run(m_options.inputs[i], outputs[i], settings, &warning);
                budget.release(held);
            }
            if (!warning.isEmpty() && failure.isEmpty())
                progress.message(qPrintable(QStringLiteral("velmora-cli: warning: ") + warning));
            if (!failure.isEmpty()) {
                ++failures;
                progress.message(qPrintable(QStringLiteral("velmora-cli: ") + failure));
            }
            progress.advance();
        });
    }
    pool.waitForDone();
    progress.finish();
    return failures == 0 ? 0 : 1;
}
