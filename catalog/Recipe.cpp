#include "Recipe.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include "AtomicFile.h"
#include "CImageEffect.h"
#include "ImageEffect.h"
#include "RegularFile.h"

namespace {

const QByteArray kSignature = QByteArrayLiteral("velmora-recipe");

// A line as text, or why it is none: control bytes (other than tabs) mean a binary file.
QString decodeLine(const QByteArray &bytes, QString *reason)
{
    for (const char c : bytes)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) {
            *reason = QStringLiteral("damaged line: it holds binary bytes, not text");
            return QString();
        }
    // The decoder drops the byte-order mark some editors write at the start.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        *reason = QStringLiteral("damaged line: it is not UTF-8 text");
    return text.trimmed();
}

// "NAME", "NAME=LEVEL", either followed by " seed=N" for an entry that draws noise.
bool parseStep(const QString &text, RecipeStep *step, QString *reason)
{
    static const QRegularExpression seeded(QStringLiteral("^(.*\\S)\\s+seed=(\\S*)$"));
    const QRegularExpressionMatch match = seeded.match(text);
    if (!RecipeStep::parse(match.hasMatch() ? match.captured(1) : text, step, reason))
        return false;
    if (!match.hasMatch())
        return true;
    if (!ImageEffect::drawsNoise(step->group, step->index)) {
        *reason = QStringLiteral("'%1' draws no noise and takes no seed").arg(step->name());
        return false;
    }
    bool ok = false;
    const qulonglong seed = match.captured(2).toULongLong(&ok);
    if (!ok || seed > 4294967295ULL) {
        *reason = QStringLiteral("bad seed '%1': give a whole number from 0 to 4294967295")
                      .arg(match.captured(2));
        return false;
    }
    step->seed = static_cast<unsigned>(seed);
    return true;
}

} // namespace

Picture Recipe::applyStep(Picture picture, const RecipeStep &step, QString *error)
{
    ImageEffect catalogue;
    catalogue.setGroup(step.group);
    catalogue.setEffect(step.index);
    catalogue.resetProcessor();
    // With no picture set yet, applyLevel only sets the level.
    if (step.level >= 0)
        catalogue.applyLevel(static_cast<unsigned char>(step.level));
    else if (ImageEffect::isFrame(step.group, step.index))
        catalogue.setLevel(ImageEffect::kDefaultFrameLevel);
    if (step.seed)
        CImageEffect::Seed(*step.seed);
    catalogue.setImage(picture);
    catalogue.setScale(1.0f);
    // Once the pixels are copied the picture they came from goes, so that an effect holds one
    // copy of the picture beside its own planes, not two.
    Picture result = catalogue.applyEffectStep1();
    if (result.isNull() && catalogue.refusal().isEmpty()) {
        picture = Picture();
        catalogue.setImage(Picture());
        catalogue.applyEffectStep2();
        result = catalogue.applyEffectStep3();
    }
    if (result.isNull())
        *error = QStringLiteral("'%1' could not be applied: %2")
                     .arg(step.name(), catalogue.refusal().isEmpty()
                                           ? QStringLiteral("the picture is not supported")
                                           : catalogue.refusal());
    return result;
}

Picture Recipe::replay(Picture picture, QString *error) const
{
    for (const RecipeStep &step : steps) {
        picture = applyStep(std::move(picture), step, error);
        if (picture.isNull())
            return picture;
    }
    return picture;
}

bool Recipe::parseSize(const QString &text, QSize *size)
{
    static const QRegularExpression box(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QString name = text.toLower();
    if (name == QLatin1String("full"))
        *size = QSize(1600, 1200);
    else if (name == QLatin1String("medium"))
        *size = QSize(1024, 768);
    else if (name == QLatin1String("web"))
        *size = QSize(640, 480);
    else if (name == QLatin1String("original"))
        *size = QSize();
    else {
        const QRegularExpressionMatch match = box.match(text);
        const int width = match.captured(1).toInt(), height = match.captured(2).toInt();
        if (!match.hasMatch() || width < 1 || height < 1 || width > 65535 || height > 65535)
            return false;
        *size = QSize(width, height);
    }
    return true;
}

bool Recipe::parse(const QByteArray &bytes, Recipe *recipe, int *line, QString *reason)
{
    const auto fail = [&](int at, const QString &why) {
        *line = at;
        *reason = why;
        return false;
    };
    if (bytes.size() > kMaxBytes)
        return fail(
            0,
            QStringLiteral("the file is over %1 KB, larger than any recipe").arg(kMaxBytes >> 10));
    enum
    {
        Version,
        Size,
        Steps
    } expect = Version;
    Recipe parsed;
    const QList<QByteArray> lines = bytes.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray raw = lines[i];
        if (raw.endsWith('\r'))
            raw.chop(1);
        QString why;
        const QString text = decodeLine(raw, &why);
        if (!why.isEmpty())
            return fail(i + 1, why);
        // The version line comes first, before any comment, so that it tells a recipe at a glance.
        if (expect == Version) {
            static const QRegularExpression space(QStringLiteral("\\s+"));
            const QStringList words = text.split(space, Qt::SkipEmptyParts);
            if (words.size() != 2 || words[0] != QLatin1String(kSignature))
                return fail(i + 1, QStringLiteral("not a recipe: the first line must be '%1 %2'")
                                       .arg(QLatin1String(kSignature))
                                       .arg(kVersion));
            if (words[1] != QString::number(kVersion))
                return fail(i + 1, QStringLiteral("unknown recipe version '%1' (this version "
                                                  "reads %2)")
                                       .arg(words[1], QString::number(kVersion)));
            expect = Size;
            continue;
        }
        if (text.isEmpty() || text.startsWith(QLatin1Char('#')))
            continue;
        const bool sizeLine = text.startsWith(QLatin1String("size "));
        if (expect == Size) {
            if (!sizeLine)
                return fail(i + 1, QStringLiteral("no size line: give 'size WIDTHxHEIGHT' (or "
                                                  "full, medium, web, original) after the "
                                                  "version line"));
            const QString size = text.mid(5).trimmed();
            if (!parseSize(size, &parsed.workingSize))
                return fail(i + 1, QStringLiteral("bad size '%1': give WIDTHxHEIGHT (up to "
                                                  "65535x65535), full, medium, web or original")
                                       .arg(size));
            expect = Steps;
            continue;
        }
        if (sizeLine)
            return fail(i + 1, QStringLiteral("a second size line: the size is given once"));
        if (parsed.steps.size() == kMaxSteps)
            return fail(i + 1, QStringLiteral("more than %1 steps").arg(kMaxSteps));
        RecipeStep step;
        if (!parseStep(text, &step, &why))
            return fail(i + 1, why);
        parsed.steps.append(step);
    }
    if (expect != Steps)
        return fail(int(lines.size()), QStringLiteral("no size line: the recipe ends before it"));
    *recipe = parsed;
    return true;
}

bool Recipe::read(const QString &path, Recipe *recipe, QString *error)
{
    RegularFile file(path);
    QByteArray bytes;
    // One byte past the limit is enough to refuse a file that grew after it was opened.
    if (!file.open() || !file.read(qMin(file.size(), kMaxBytes) + 1, &bytes)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    int line = 0;
    QString reason;
    if (parse(bytes, recipe, &line, &reason))
        return true;
    // One arg() call: a path holding "%2" stays as it is.
    *error = line > 0 ? QStringLiteral("%1:%2: %3").arg(path, QString::number(line), reason)
                      : QStringLiteral("%1: %2").arg(path, reason);
    return false;
}

QByteArray Recipe::text() const
{
    QByteArray bytes = kSignature + ' ' + QByteArray::number(kVersion) + "\nsize ";
    bytes += workingSize.isEmpty() ? QByteArray("original")
                                   : QByteArray::number(workingSize.width()) + 'x' +
                                         QByteArray::number(workingSize.height());
    bytes += '\n';
    for (const RecipeStep &step : steps) {
        bytes += step.text().toUtf8();
        if (step.seed && ImageEffect::drawsNoise(step.group, step.index))
            bytes += " seed=" + QByteArray::number(*step.seed);
        bytes += '\n';
    }
    return bytes;
}

bool Recipe::write(const QString &path, QString *error) const
{
    const int failure = AtomicFile::save(path, text());
    if (failure != 0)
        *error = QStringLiteral("%1: %2").arg(path, AtomicFile::describe(failure));
    return failure == 0;
}
