#include "FuzzTargets.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTemporaryDir>

#include "BatchJob.h"
#include "CImageEffect.h"
#include "CliOptions.h"
#include "ImageEffect.h"
#include "ImageFile.h"
#include "ImageResizer.h"
#include "PhotoMetadata.h"
#include "PhotoSettings.h"
#include "Recipe.h"

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

// A fresh 8 x 6 file for the metadata to go into.
QByteArray freshFile(const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage grid(8, 6, QImage::Format_RGB32);
    grid.fill(Qt::darkCyan);
    QImageWriter(&buffer, format).write(grid);
    return bytes;
}

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
    const QSize expected = ImageResizer::fittedSize(stored, box);
    // Fitting rounds each side down to a multiple of 4: a picture over four times taller than
    // wide fits the 16 x 12 box with no width, and nothing is drawn. At the product's working
    // sizes that shape would be taller than the 65535 pixels the engine takes.
    if (expected.isEmpty())
        return QString();
    picture = ImageResizer::colorMatch(picture, box);
    if (picture.isNull())
        return QStringLiteral("a picture that was read could not be brought upright");
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

QString metadata(const QByteArray &data)
{
    const PhotoMetadata read = PhotoMetadata::read(data);
    if (read.isEmpty())
        return QString();
    static const QSize kSize(8, 6);
    static const QByteArray fresh[] = {freshFile("jpeg"), freshFile("png")};
    for (const QByteArray &plain : fresh) {
        const QString format = plain.startsWith("\xFF\xD8") ? "JPEG" : "PNG";
        QString lost;
        const QByteArray written = read.embedIn(plain, kSize, &lost);
        if (!lost.isEmpty())
            continue; // the metadata could not be written: left out, and said so
        QString error, damage;
        if (ImageFile::decode(written, &error).grid().size() != kSize)
            return QStringLiteral("the %1 with the metadata written in no longer decodes (%2)")
                .arg(format, error);
        const PhotoMetadata again = PhotoMetadata::read(written, &damage);
        if (!damage.isEmpty())
            return QStringLiteral("the metadata written into a %1 reads as damaged: %2")
                .arg(format, damage);
        if (again.iccProfile() != read.iccProfile())
            return QStringLiteral("the profile written into a %1 came back changed").arg(format);
        if (again.exifOrientation() > 1)
            return QStringLiteral("the %1 says orientation %2 for upright pixels")
                .arg(format)
                .arg(again.exifOrientation());
    }
    return QString();
}

QString recipe(const QByteArray &data)
{
    Recipe read;
    int line = -1;
    QString reason;
    if (!Recipe::parse(data, &read, &line, &reason)) {
        if (reason.isEmpty() || line < 0 || line > data.count('\n') + 1)
            return QStringLiteral("refused at line %1 of %2 lines: '%3'")
                .arg(line)
                .arg(data.count('\n') + 1)
                .arg(reason);
        return QString();
    }
    for (const RecipeStep &step : read.steps) {
        const bool levelOk = step.level == -1 || (ImageEffect::hasLevel(step.group, step.index) &&
                                                  step.level <= CImageEffect::kMaxLevel);
        if (step.name().isNull() || !levelOk ||
            (step.seed && !ImageEffect::drawsNoise(step.group, step.index)))
            return QStringLiteral("accepted the step '%1'").arg(step.text());
    }
    if (read.steps.size() > Recipe::kMaxSteps)
        return QStringLiteral("accepted %1 steps").arg(read.steps.size());
    Recipe again;
    if (!Recipe::parse(read.text(), &again, &line, &reason))
        return QStringLiteral("its own text refused at line %1: %2").arg(line).arg(reason);
    if (!(again == read))
        return QStringLiteral("its own text read as another recipe");
    return QString();
}

} // namespace FuzzTargets
