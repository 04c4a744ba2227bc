#ifndef VELMORA_EDITOR_EDITSESSION_H
#define VELMORA_EDITOR_EDITSESSION_H

#include "EffectJob.h"
#include "Picture.h"
#include "Recipe.h"

#include <QObject>
#include <QSize>
#include <QUndoStack>

class ApplyStepCommand;

// The photo being edited: the photo as taken (with its metadata), the current picture, and
// the history of steps between them as a QUndoStack of ApplyStepCommands. Applies and the
// replays that remake dropped pictures run one at a time through an EffectJob; while one
// runs the session is busy and refuses another.
//
// The history keeps the current picture and as many earlier or later ones as fit the
// memory budget; the others are dropped and remade when the history walks to them, by
// replaying the steps from the nearest picture kept (the photo as taken always is).
class EditSession : public QObject
{
    Q_OBJECT

public:
    // About four working pictures at the largest working size.
    static constexpr qint64 kDefaultBudget = 4LL * 1600 * 1200 * 4;

    explicit EditSession(QObject *parent = nullptr);
    ~EditSession() override;

    // Starts on `photo`, upright at working size, with an empty history; `workingSize` is the
    // box it was reduced to, written into recipes. A job still running is waited for and dropped.
    void start(const Picture &photo, QSize workingSize);
    const Picture &original() const { return m_original; }
    const Picture &current() const { return m_current; }
    bool isBusy() const { return m_busy; }
    QUndoStack *undoStack() { return &m_stack; }

    // Adds a step made on the worker (noise steps get a fresh seed); false when refused (no
    // photo, busy). A failure is reported through failed() and leaves the history as it was.
    bool apply(RecipeStep step);
    // Adds one step per recipe step, as one run.
    bool apply(const Recipe &recipe);
    // Goes back to the photo as taken in one step; nothing when already there.
    bool revert();
    bool canRevert() const
    {
        return !m_original.isNull() && !m_busy &&
               m_current.grid().cacheKey() != m_original.grid().cacheKey();
    }
    // The steps from the photo as taken to the current picture.
    Recipe recipe() const;

    qint64 budget() const { return m_budget; }
    void setBudget(qint64 bytes);
    // What the history's pictures hold, the current one included (the photo as taken not).
    qint64 keptBytes() const;
    // Whether the picture at a place in the history (0: the photo as taken) is at hand, or a
    // walk there replays steps.
    bool isKept(int index) const { return !pictureAt(index).isNull(); }

signals:
    // The current picture changed; `back` when the history went back to it.
    void imageChanged(bool back);
    void busyChanged(bool busy);
    void failed(const QString &message);

private:
    ApplyStepCommand *command(int index) const;
    Picture pictureAt(int index) const;
    void show(int index);
    void setBusy(bool busy);
    bool run(const Picture &from, const QList<RecipeStep> &steps);
    void jobFinished(const EffectJob::Result &result);
    void keepWithinBudget();
    int picturesThatFit() const;

    Picture m_original;
    Picture m_current;
    QSize m_workingSize;
    QUndoStack m_stack;
    EffectJob m_job;
    qint64 m_budget = kDefaultBudget;
    int m_shown = 0;      // the index whose picture is current
    int m_replaying = -1; // the index a replay remakes; -1: the job adds steps
    int m_replayFrom = 0; // the index the replay starts after
    QList<RecipeStep> m_adding;
    bool m_busy = false;
    bool m_pushing = false;
};

#endif
