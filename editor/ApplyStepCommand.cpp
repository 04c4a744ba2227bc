#include "ApplyStepCommand.h"

ApplyStepCommand::ApplyStepCommand(std::optional<RecipeStep> step, const Picture &result)
    : m_step(std::move(step)), m_result(result)
{
    setText(m_step ? m_step->name() : QStringLiteral("Revert to Original"));
}

qint64 ApplyStepCommand::keptBytes() const
{
    return isRevert() || m_result.isNull() ? 0 : m_result.grid().sizeInBytes();
}
