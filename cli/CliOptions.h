#ifndef VELMORA_CLI_CLIOPTIONS_H
#define VELMORA_CLI_CLIOPTIONS_H

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include "RecipeStep.h"

// What the command line asks for. parse() never exits: it fills `error` for a usage
// error (exit code 2) and sets `showHelp` / `showVersion` when those were asked for.
struct CliOptions
{
    enum class Command
    {
        None,
        List,
        Apply
    };

    Command command = Command::None;
    bool json = false;
    QList<RecipeStep> effects;     // -e and --recipe's steps, in order
    QString saveRecipe;            // where to write the stack as a recipe; empty: nowhere
    QSize workingSize{1600, 1200}; // empty: keep the upright picture's size
    QString output;
    QString outputDir;
    int quality = 90;
    bool seeded = false;
    unsigned seed = 0;
    int jobs = 0;            // 0: one per core
    qint64 memoryBudget = 0; // bytes parallel jobs may hold; 0: half the physical memory
    bool force = false;
    bool strip = false;
    QStringList inputs;

    bool showHelp = false;
    bool showVersion = false;
    QString error;

    static CliOptions parse(const QStringList &arguments);
    static QString usage();
};

#endif
