#include "CustomTableViewCell.h"

#include <QLabel>

CustomTableViewCell::CustomTableViewCell(const QString &reuseIdentifier, QWidget *parent)
    : TableViewCell(reuseIdentifier, parent)
{
    m_label = new QLabel(contentView());
    m_label->setObjectName(QStringLiteral("label"));
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_label->setFont(textLabel()->font());
    m_subLabel = new QLabel(contentView());
    m_subLabel->setObjectName(QStringLiteral("subLabel"));
    m_subLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_subLabel->hide();
    m_label->setGeometry(10, 11, 280, 21);
}

QString CustomTableViewCell::text() const
{
    return m_label->text();
}

void CustomTableViewCell::setText(const QString &text)
{
    m_label->setText(text);
}

// The label keeps its place and grows with the cell, as its autoresizing did.
void CustomTableViewCell::resizeEvent(QResizeEvent *event)
{
    TableViewCell::resizeEvent(event);
    const int right = contentView()->width() - 10;
    m_label->resize(std::max(0, right - m_label->x()), m_label->height());
    m_subLabel->resize(std::max(0, right - m_subLabel->x()), m_subLabel->height());
}
