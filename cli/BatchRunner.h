#ifndef VELMORA_CLI_BATCHRUNNER_H
#define VELMORA_CLI_BATCHRUNNER_H

#include <cstdio>

#include "CliOptions.h"

// Runs `apply` over every input, in parallel; returns the exit status (0 all written,
// 1 any input failed). Each failure is one line on `messages` naming the file and the reason.
class BatchRunner
{
public:
    explicit BatchRunner(const CliOptions &options, std::FILE *messages = stderr)
        : m_options(options), m_messages(messages), m_seeded(options.seeded), m_seed(options.seed)
    {
    }

    int run();

private:
    // The output path of each input, or an error for a problem that affects all of them.
    bool planOutputs(QStringList *outputs, QString *error) const;
    // Writes the stack to --save-recipe's file so that it remakes the first input's output.
    bool saveRecipe(QString *error);

    const CliOptions &m_options;
    std::FILE *m_messages;
    bool m_seeded;
    unsigned m_seed;
};

#endif
