#include "FuzzTargets.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "BatchJob.h"
#include "CImageEffect.h"
#include "CliOptions.h"
#include "ImageEffect.h"
#include "ImageFile.h"
#include "Recipe.h"
#include "ImageResizer.h"
#include "PhotoSettings.h"

#include <iterator>
#include <optional>

namespace {

// Small working sizes keep an execution short; the smallest makes most inputs reduce, so
// the reduced JPEG decoding is exercised too.
const QSize kWorkingSizes[] = {QSize(16, 12), QSize(160, 120), QSize(640, 480)};

QList<RecipeStep> everyEffect()
{
    QList<RecipeStep> steps;
    for (int group = 0; group < ImageEffect::kGroupCount; ++group)
        for (int index = 0; index < ImageEffect::tableSize(group); ++index) {
            RecipeStep step;
            step.group = group;
            step.index = index;
            steps.append(step);
        }
    return steps;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QString sizeText(QSize size)
{
    return QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
}

// What a load leaves the user with, to compare across a save.
struct Choices
{
    bool animation, update, lefthand;
    qint32 segment, photoSize, uiType;
    QSize pictureSize; // upright; invalid without a picture

    explicit Choices(const PhotoSettings &s)
        : animation(s.animation()), update(s.update()), lefthand(s.lefthand()),
          segment(s.segment()), photoSize(s.photoSize()), uiType(s.uiType()),
          pictureSize(s.image().isNull() ? QSize() : s.image().size().toSize())
    {
    }
    bool operator==(const Choices &o) const
    {
        return animation == o.animation && update == o.update && lefthand == o.lefthand &&
               segment == o.segment && photoSize == o.photoSize && uiType == o.uiType &&
               pictureSize == o.pictureSize;
    }
};

QStringList setAsideFiles(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.damaged-*")}, QDir::Files);
}

} // namespace

namespace FuzzTargets {

void ensureApplication()
{
    if (QGuiApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "velmora-fuzz";
    static char *argv[] = {name, nullptr};
    // Never destroyed: it outlives every execution, and Qt's statics go before it at exit.
    static QGuiApplication *const application = new QGuiApplication(argc, argv);
    Q_UNUSED(application);
}

QString imageIntake(const QByteArray &data)
{
    static const QList<RecipeStep> effects = everyEffect();
    static const QTemporaryDir folder;
    if (data.size() < 3 || !folder.isValid())
        return QString();
    RecipeStep step = effects[uchar(data[0]) % effects.size()];
    const int level = uchar(data[1]) % (CImageEffect::kMaxLevel + 2);
    if (level <= CImageEffect::kMaxLevel && ImageEffect::hasLevel(step.group, step.index))
        step.level = level;
    const QSize box = kWorkingSizes[uchar(data[2]) % std::size(kWorkingSizes)];
    const QString path = folder.filePath(QStringLiteral("input"));
    if (!writeFile(path, data.mid(3)))
        return QStringLiteral("the input could not be written to %1").arg(path);

    QString error;
    Picture picture = ImageFile::read(path, &error, box);
    if (picture.isNull())
        return error.isEmpty() ? QStringLiteral("refused without a reason") : QString();
    // However the file was decoded (whole or reduced), the working picture is the size
    // the whole stored picture fits to.
    QSize stored = ImageFile::storedSize(path);
    if (Picture::isSideways(picture.orientation()))
        stored.transpose();
    picture = ImageResizer::colorMatch(picture, box);
    if (picture.isNull())
        return QStringLiteral("a picture that was read could not be brought upright");
    const QSize expected = ImageResizer::fittedSize(stored, box);
    if (picture.size().toSize() != expected)
        return QStringLiteral("fitted to %1 instead of %2 (stored %3, box %4)")
            .arg(sizeText(picture.size().toSize()), sizeText(expected), sizeText(stored),
                 sizeText(box));
    picture = Recipe::applyStep(std::move(picture), step, &error);
    if (picture.isNull() && error.isEmpty())
        return QStringLiteral("'%1' failed without a reason").arg(step.name());
    return QString();
}

QString settingsFile(const QByteArray &data)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("settings.ini"));
    if (!folder.isValid() || !writeFile(path, data))
        return QStringLiteral("the settings file could not be written to %1").arg(path);
    std::optional<Choices> loaded;
    {
        PhotoSettings settings(path);
        loaded.emplace(settings);
        if (!settings.save())
            return QStringLiteral("the loaded settings could not be saved");
    }
    const QStringList setAside = setAsideFiles(folder.path());
    const PhotoSettings again(path);
    if (setAsideFiles(folder.path()) != setAside)
        return QStringLiteral("the file that save() wrote was read as damaged");
    if (!(Choices(again) == *loaded))
        return QStringLiteral("the choices changed across a save");
    return QString();
}

QString cliOptions(const QByteArray &data)
{
    QStringList arguments{QStringLiteral("velmora-cli")};
    for (const QByteArray &argument : data.split('\0'))
        arguments.append(QString::fromUtf8(argument));
    const CliOptions options = CliOptions::parse(arguments);
    if (!options.error.isEmpty() || options.command != CliOptions::Command::Apply)
        return QString();
    if (options.inputs.isEmpty() || options.output.isEmpty() == options.outputDir.isEmpty())
        return QStringLiteral("accepted without inputs or without exactly one destination");
    for (const RecipeStep &step : options.effects) {
        if (step.name().isNull() || step.level < -1 || step.level > CImageEffect::kMaxLevel)
            return QStringLiteral("accepted effect %1:%2 at level %3")
                .arg(step.group)
                .arg(step.index)
                .arg(step.level);
        // Every accepted effect can be given again by the name the tool lists it under.
        RecipeStep byName;
        QString error;
        if (!RecipeStep::parse(step.name(), &byName, &error) || byName.group != step.group ||
            byName.index != step.index)
            return QStringLiteral("'%1' names another effect than %2:%3")
                .arg(step.name())
                .arg(step.group)
                .arg(step.index);
    }
    return QString();
}

} // namespace FuzzTargets
