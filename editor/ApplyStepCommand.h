#ifndef VELMORA_EDITOR_APPLYSTEPCOMMAND_H
#define VELMORA_EDITOR_APPLYSTEPCOMMAND_H

#include "Picture.h"
#include "RecipeStep.h"

#include <QUndoCommand>

#include <optional>

// One step of the edit history: a recipe step, or a return to the photo as taken, with the
// picture it made. The picture may be dropped to save memory: the step remakes it to the byte
// from the picture before it. The stack's index is the history's position; the session shows
// whatever picture that index names, so undo() and redo() themselves have nothing to do.
class ApplyStepCommand : public QUndoCommand
{
public:
    // A step that made `result`; no step: back to the photo as taken.
    ApplyStepCommand(std::optional<RecipeStep> step, const Picture &result);

    const std::optional<RecipeStep> &step() const { return m_step; }
    bool isRevert() const { return !m_step.has_value(); }
    const Picture &result() const { return m_result; }
    void setResult(const Picture &result) { m_result = result; }
    void dropResult() { m_result = Picture(); }
    // Memory the kept picture holds; 0 when dropped or a revert (which shares the photo's).
    qint64 keptBytes() const;

private:
    std::optional<RecipeStep> m_step;
    Picture m_result;
};

#endif
