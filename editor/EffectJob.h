#ifndef VELMORA_EDITOR_EFFECTJOB_H
#define VELMORA_EDITOR_EFFECTJOB_H

#include "Picture.h"
#include "RecipeStep.h"

#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QString>

// One run of steps on a picture, each on the result of the one before: an apply, a recipe,
// or the replay that remakes a picture the history dropped. It runs on a worker thread, and
// its end comes back to the main thread through finished(). Steps that are all print formats
// and frames (crops and fills, no engine) finish at once, before start() returns.
class EffectJob : public QObject
{
    Q_OBJECT

public:
    struct Result
    {
        // One picture per step, in order; the earlier ones may be null (see start()).
        QList<Picture> pictures;
        QString error; // empty on success
    };

    explicit EffectJob(QObject *parent = nullptr);
    // Waits for the worker: it reads pictures the caller may be about to free.
    ~EffectJob() override;

    bool isRunning() const { return m_running; }
    // Runs `steps` from `from`, holding at most the last `keep` pictures (at least the
    // result). Refused (false) while a run is going.
    bool start(const Picture &from, const QList<RecipeStep> &steps, int keep = 1);
    // Blocks until the running job is done; its finished() is not emitted.
    void cancel();

    static Result run(Picture from, const QList<RecipeStep> &steps, int keep);

signals:
    void finished(const EffectJob::Result &result);

private:
    void done();

    QFutureWatcher<Result> m_watcher;
    bool m_running = false;
};

#endif
