#include "CatalogueListing.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "ImageEffect.h"

QString CatalogueListing::text()
{
    QString listing = QStringLiteral("%1  %2  %3  %4\n")
                          .arg(QStringLiteral("EFFECT"), -5)
                          .arg(QStringLiteral("NAME"), -28)
                          .arg(QStringLiteral("LEVEL"), -18)
                          .arg(QStringLiteral("DEFAULT"));
    for (int group = 0; group < ImageEffect::kGroupCount; ++group)
        for (int index = 0; index < ImageEffect::tableSize(group); ++index) {
            const QString level = ImageEffect::levelName(group, index);
            const bool steppable = index < ImageEffect::effectCount(group);
            listing +=
                QStringLiteral("%1  %2  %3  %4%5\n")
                    .arg(QStringLiteral("%1:%2").arg(group).arg(index), -5)
                    .arg(ImageEffect::effectName(group, index), -28)
                    .arg(level.isEmpty() ? QStringLiteral("-") : level, -18)
                    .arg(level.isEmpty() ? QStringLiteral("-")
                                         : QString::number(ImageEffect::defaultLevel(group, index)),
                         -7)
                    .arg(steppable ? QString() : QStringLiteral("  (not reached by stepping)"));
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
