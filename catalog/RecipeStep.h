#ifndef VELMORA_CATALOG_RECIPESTEP_H
#define VELMORA_CATALOG_RECIPESTEP_H

#include <optional>

#include <QString>

// One step of an edit: a catalogue entry, its level and, for an entry that draws noise, the
// seed its generator starts from, so that the step can be made again to the byte.
struct RecipeStep
{
    int group = 0;
    int index = 0;
    int level = -1; // -1: the entry's default
    std::optional<unsigned> seed;

    // Parses "NAME" or "NAME=LEVEL"; NAME is a display name (case-insensitive) or
    // "GROUP:INDEX". Returns false and says why in `error` for an unknown entry or a bad level.
    static bool parse(const QString &spec, RecipeStep *step, QString *error);

    QString name() const;
    // "NAME" or "NAME=LEVEL", as parse reads it back.
    QString text() const;

    bool operator==(const RecipeStep &other) const
    {
        return group == other.group && index == other.index && level == other.level &&
               seed == other.seed;
    }
};

#endif
