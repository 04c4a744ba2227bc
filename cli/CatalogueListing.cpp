#include "CatalogueListing.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "ImageEffect.h"

QString CatalogueListing::text()
{
    const auto line = [](const QString &entry, const QString &name, const QString &level,
                         const QString &initial, const QString &remark) {
        return QStringLiteral("%1  %2  %3  %4  %5")
                   .arg(entry, -6)
                   .arg(name, -28)
                   .arg(level, -14)
                   .arg(initial, -7)
                   .arg(remark)
                   .trimmed() +
               QLatin1Char('\n');
    };
    QString listing = line(QStringLiteral("EFFECT"), QStringLiteral("NAME"),
                           QStringLiteral("LEVEL"), QStringLiteral("DEFAULT"), QString());
    for (int group = 0; group < ImageEffect::kGroupCount; ++group)
        for (int index = 0; index < ImageEffect::tableSize(group); ++index) {
            const QString level = ImageEffect::levelName(group, index);
            const QString none = QStringLiteral("-");
            listing += line(
                QStringLiteral("%1:%2").arg(group).arg(index),
                ImageEffect::effectName(group, index), level.isEmpty() ? none : level,
                level.isEmpty() ? none : QString::number(ImageEffect::defaultLevel(group, index)),
                index < ImageEffect::effectCount(group)
                    ? QString()
                    : QStringLiteral("(not reached by stepping)"));
        }
    return listing;
}

QByteArray CatalogueListing::json()
{
    QJsonArray entries;
    for (int group = 0; group < ImageEffect::kGroupCount; ++group)
        for (int index = 0; index < ImageEffect::tableSize(group); ++index) {
            const QString level = ImageEffect::levelName(group, index);
            QJsonObject entry;
            entry.insert("group", group);
            entry.insert("index", index);
            entry.insert("name", ImageEffect::effectName(group, index));
            entry.insert("level_name", level.isEmpty() ? QJsonValue() : QJsonValue(level));
            entry.insert("default_level",
                         level.isEmpty() ? QJsonValue()
                                         : QJsonValue(ImageEffect::defaultLevel(group, index)));
            entry.insert("steppable", index < ImageEffect::effectCount(group));
            entries.append(entry);
        }
    return QJsonDocument(entries).toJson(QJsonDocument::Indented);
}
