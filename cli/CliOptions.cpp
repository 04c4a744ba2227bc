#include "CliOptions.h"

#include <QCommandLineParser>

#include "ImageFile.h"
#include "Recipe.h"

namespace {

bool parseNumber(const QString &text, long long low, long long high, long long *value)
{
    bool ok = false;
    const long long number = text.toLongLong(&ok);
    if (!ok || number < low || number > high)
        return false;
    *value = number;
    return true;
}

} // namespace

QString CliOptions::usage()
{
    return QStringLiteral(
        "Usage:\n"
        "  velmora-cli list [--json]\n"
        "  velmora-cli apply [OPTIONS] INPUT...\n"
        "\n"
        "Applies stacked photo effects to image files. Each input is brought upright\n"
        "(EXIF orientation), reduced to the working size and processed; inputs are\n"
        "never modified and outputs are written atomically.\n"
        "\n"
        "Options of apply:\n"
        "  -e, --effect SPEC      apply an effect; repeat to stack, applied in the order given.\n"
        "                         SPEC is NAME or NAME=LEVEL. NAME is a display name from `list`\n"
        "                         (case-insensitive) or GROUP:INDEX. LEVEL is 0..20; for the "
        "borders it is\n"
        "                         the width in 1/200 of the picture width (default 6).\n"
        "      --recipe FILE      apply the steps of a recipe file (.velmora, as the editor's\n"
        "                         Save Recipe writes it) where it stands among the -e options:\n"
        "                         `-e A --recipe F -e B` applies A, F's steps, then B. Its size\n"
        "                         is the working size unless -s is given; its noise steps use\n"
        "                         their own seeds unless --seed is given. Given once.\n"
        "      --save-recipe FILE write the working size and the steps as a recipe, before the\n"
        "                         inputs are processed; it remakes the first input's output\n"
        "                         (without --seed, a seed is drawn for the run)\n"
        "  -s, --size SIZE        full (1600x1200, default), medium (1024x768), web (640x480) or\n"
        "                         WIDTHxHEIGHT: the working size the picture is reduced to, as\n"
        "                         the editor does; original: keep the size\n"
        "  -o, --output FILE      output file, for a single input; the format follows the "
        "extension\n"
        "  -d, --output-dir DIR   output folder, for any number of inputs\n"
        "  -q, --quality Q        JPEG quality 1..100 (default 90)\n"
        "      --seed N           seed the noise effects: reproducible output (the k-th input\n"
        "                         gets N + k); overrides a recipe's seeds\n"
        "  -j, --jobs N           files processed in parallel (default: the number of cores)\n"
        "  -m, --memory MB        memory the parallel jobs may hold together (default: half the\n"
        "                         physical memory); a job waits until its picture fits, and one\n"
        "                         larger than the whole budget runs alone\n"
        "      --force            overwrite existing output files\n"
        "      --strip            write no metadata: by default the input's EXIF, XMP and IPTC\n"
        "                         data (date, camera, location, ...) and its colour profile are\n"
        "                         kept, with the orientation set to top-left and no thumbnail\n"
        "\n"
        "Options of list:\n"
        "      --json             print the catalogue as a JSON array\n"
        "\n"
        "  -h, --help             show this help\n"
        "  -v, --version          show the version\n"
        "\n"
        "Exit status: 0 when every output was written, 1 when any input failed, 2 for a usage "
        "error.\n");
}

CliOptions CliOptions::parse(const QStringList &arguments)
{
    CliOptions options;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    const QCommandLineOption effect({"e", "effect"}, QString(), "SPEC");
    const QCommandLineOption recipe("recipe", QString(), "FILE");
    const QCommandLineOption saveRecipe("save-recipe", QString(), "FILE");
    const QCommandLineOption size({"s", "size"}, QString(), "SIZE");
    const QCommandLineOption output({"o", "output"}, QString(), "FILE");
    const QCommandLineOption outputDir({"d", "output-dir"}, QString(), "DIR");
    const QCommandLineOption quality({"q", "quality"}, QString(), "Q");
    const QCommandLineOption seed("seed", QString(), "N");
    const QCommandLineOption jobs({"j", "jobs"}, QString(), "N");
    const QCommandLineOption memory({"m", "memory"}, QString(), "MB");
    const QCommandLineOption force("force");
    const QCommandLineOption strip("strip");
    const QCommandLineOption json("json");
    const QCommandLineOption help(QStringList{"h", "help"});
    const QCommandLineOption version(QStringList{"v", "version"});
    parser.addOptions({effect, recipe, saveRecipe, size, output, outputDir, quality, seed, jobs,
                       memory, force, strip, json, help, version});
    if (!parser.parse(arguments)) {
        options.error = parser.errorText();
        return options;
    }
    if (parser.isSet(help)) {
        options.showHelp = true;
        return options;
    }
    if (parser.isSet(version)) {
        options.showVersion = true;
        return options;
    }

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        options.error = QStringLiteral("no command: give 'list' or 'apply'");
        return options;
    }
    const QString command = positional.takeFirst();
    if (command == QLatin1String("list")) {
        options.command = Command::List;
        options.json = parser.isSet(json);
        if (!positional.isEmpty())
            options.error = QStringLiteral("'list' takes no files");
        return options;
    }
    if (command != QLatin1String("apply")) {
        options.error = QStringLiteral("unknown command '%1': give 'list' or 'apply'").arg(command);
        return options;
    }

    options.command = Command::Apply;
    options.inputs = positional;
    const QStringList recipes = parser.values(recipe);
    if (recipes.size() > 1) {
        options.error = QStringLiteral("--recipe is given once");
        return options;
    }
    Recipe read;
    if (!recipes.isEmpty() && !Recipe::read(recipes[0], &read, &options.error))
        return options;
    // The recipe's steps go where --recipe stands among the -e options.
    const QStringList specs = parser.values(effect);
    int next = 0;
    for (const QString &name : parser.optionNames()) {
        if (name == QLatin1String("recipe")) {
            options.effects += read.steps;
        } else if (effect.names().contains(name)) {
            RecipeStep step;
            if (!RecipeStep::parse(specs[next++], &step, &options.error))
                return options;
            options.effects.append(step);
        }
    }
    if (!recipes.isEmpty())
        options.workingSize = read.workingSize;
    if (parser.isSet(size) && !Recipe::parseSize(parser.value(size), &options.workingSize)) {
        options.error = QStringLiteral("bad size '%1': give full, medium, web, original or "
                                       "WIDTHxHEIGHT")
                            .arg(parser.value(size));
        return options;
    }
    long long number = 0;
    if (parser.isSet(quality)) {
        if (!parseNumber(parser.value(quality), 1, 100, &number)) {
            options.error =
                QStringLiteral("bad quality '%1': give 1..100").arg(parser.value(quality));
            return options;
        }
        options.quality = static_cast<int>(number);
    }
    if (parser.isSet(seed)) {
        if (!parseNumber(parser.value(seed), 0, 4294967295LL, &number)) {
            options.error =
                QStringLiteral("bad seed '%1': give 0..4294967295").arg(parser.value(seed));
            return options;
        }
        options.seeded = true;
        options.seed = static_cast<unsigned>(number);
        // Every input is then seeded by its place, the recipe's seeds are not used.
        for (RecipeStep &step : options.effects)
            step.seed.reset();
    }
    if (parser.isSet(jobs)) {
        if (!parseNumber(parser.value(jobs), 1, 256, &number)) {
            options.error =
                QStringLiteral("bad job count '%1': give 1..256").arg(parser.value(jobs));
            return options;
        }
        options.jobs = static_cast<int>(number);
    }
    if (parser.isSet(memory)) {
        if (!parseNumber(parser.value(memory), 64, 1 << 24, &number)) {
            options.error =
                QStringLiteral("bad memory '%1': give 64..16777216 MB").arg(parser.value(memory));
            return options;
        }
        options.memoryBudget = number << 20;
    }
    options.force = parser.isSet(force);
    options.strip = parser.isSet(strip);
    options.saveRecipe = parser.value(saveRecipe);
    options.output = parser.value(output);
    options.outputDir = parser.value(outputDir);

    if (options.inputs.isEmpty())
        options.error = QStringLiteral("no input files");
    else if (options.output.isEmpty() == options.outputDir.isEmpty())
        options.error = QStringLiteral("give either --output FILE or --output-dir DIR");
    else if (!options.output.isEmpty() && options.inputs.size() > 1)
        options.error =
            QStringLiteral("--output takes a single input; use --output-dir for several");
    else if (!options.output.isEmpty() && ImageFile::writeFormat(options.output).isEmpty())
        options.error = QStringLiteral("cannot write '%1': give an output ending in .jpg, .jpeg "
                                       "or .png")
                            .arg(options.output);
    return options;
}
