#include "RecipeStep.h"

#include <QRegularExpression>

#include "CImageEffect.h"
#include "ImageEffect.h"

namespace {

bool findByName(const QString &name, RecipeStep *step)
{
    for (int group = 0; group < ImageEffect::kGroupCount; ++group)
        for (int index = 0; index < ImageEffect::tableSize(group); ++index)
            if (ImageEffect::effectName(group, index).compare(name, Qt::CaseInsensitive) == 0) {
                step->group = group;
                step->index = index;
                return true;
            }
    return false;
}

bool findByPosition(const QString &text, RecipeStep *step)
{
    static const QRegularExpression position(QStringLiteral("^(\\d+):(\\d+)$"));
    const QRegularExpressionMatch match = position.match(text);
    if (!match.hasMatch())
        return false;
    // A number too large for an int is refused, not read as 0.
    bool groupOk = false, indexOk = false;
    const int group = match.captured(1).toInt(&groupOk);
    const int index = match.captured(2).toInt(&indexOk);
    if (!groupOk || !indexOk || ImageEffect::effectName(group, index).isNull())
        return false;
    step->group = group;
    step->index = index;
    return true;
}

} // namespace

bool RecipeStep::parse(const QString &spec, RecipeStep *step, QString *error)
{
    // Names may hold '=' nowhere, so the last one separates the level.
    const int equals = spec.lastIndexOf(QLatin1Char('='));
    const QString name = (equals < 0 ? spec : spec.left(equals)).trimmed();
    RecipeStep parsed;
    if (!findByName(name, &parsed) && !findByPosition(name, &parsed)) {
        *error = QStringLiteral("unknown effect '%1' (see 'velmora-cli list')").arg(name);
        return false;
    }
    if (equals >= 0) {
        const QString levelText = spec.mid(equals + 1).trimmed();
        bool ok = false;
        const int level = levelText.toInt(&ok);
        if (!ok || level < 0 || level > CImageEffect::kMaxLevel) {
            *error = QStringLiteral("bad level '%1' for '%2': give a whole number from 0 to %3")
                         .arg(levelText, ImageEffect::effectName(parsed.group, parsed.index),
                              QString::number(CImageEffect::kMaxLevel));
            return false;
        }
        if (!ImageEffect::hasLevel(parsed.group, parsed.index)) {
            *error = QStringLiteral("'%1' has no level")
                         .arg(ImageEffect::effectName(parsed.group, parsed.index));
            return false;
        }
        parsed.level = level;
    }
    *step = parsed;
    return true;
}

QString RecipeStep::name() const
{
    return ImageEffect::effectName(group, index);
}

QString RecipeStep::text() const
{
    return level < 0 ? name() : QStringLiteral("%1=%2").arg(name()).arg(level);
}
