#ifndef VELMORA_CLI_EFFECTSTEP_H
#define VELMORA_CLI_EFFECTSTEP_H

#include <QString>

// One effect of a stack given on the command line: a catalogue entry and its level.
struct EffectStep
{
    int group = 0;
    int index = 0;
    int level = -1; // -1: the entry's default

    // Parses "NAME" or "NAME=LEVEL"; NAME is a display name (case-insensitive) or
    // "GROUP:INDEX". Returns false and says why in `error` for an unknown entry or a bad level.
    static bool parse(const QString &spec, EffectStep *step, QString *error);

    QString name() const;
};

#endif
