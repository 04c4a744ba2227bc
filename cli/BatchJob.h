#ifndef VELMORA_CLI_BATCHJOB_H
#define VELMORA_CLI_BATCHJOB_H

#include <QList>
#include <QSize>
#include <QString>

#include "RecipeStep.h"

class Picture;

// One input to one output: read, bring upright and to the working size, apply the
// effects in order (each on the previous result, at full scale), write atomically with the
// input's metadata and colour profile (unless stripped).
class BatchJob
{
public:
    struct Settings
    {
        QList<RecipeStep> effects;
        QSize workingSize; // empty: keep the upright size
        int quality = 90;
        bool strip = false; // write no metadata and no colour profile
    };

    // Bytes a run over `input` holds at its peak, from the file's size and header.
    static qint64 memoryNeeded(const QString &input, const Settings &settings);

    // Returns an empty string on success, otherwise the reason the input failed. *warning
    // tells of metadata that was damaged and left out of a written output.
    static QString run(const QString &input, const QString &output, const Settings &settings,
                       QString *warning = nullptr);
};

#endif
