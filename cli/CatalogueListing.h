#ifndef VELMORA_CLI_CATALOGUELISTING_H
#define VELMORA_CLI_CATALOGUELISTING_H

#include <QByteArray>
#include <QString>

// Every catalogue entry, including those that stepping through a group never lands on.
class CatalogueListing
{
public:
    CatalogueListing() = delete;

    static QString text();
    static QByteArray json();
};

#endif
