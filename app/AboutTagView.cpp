#include "AboutTagView.h"

#include <QLabel>

#ifndef VELMORA_VERSION
#error "The build passes the project's version as VELMORA_VERSION."
#endif

AboutTagView::AboutTagView(QWidget *parent) : QWidget(parent) {}

QString AboutTagView::version()
{
    return QStringLiteral(VELMORA_VERSION);
}

void AboutTagView::awakeFromNib()
{
    m_versionLabel = findChild<QLabel *>(QStringLiteral("versionLabel"));
    m_copyrightLabel = findChild<QLabel *>(QStringLiteral("copyrightLabel"));
    m_rightsLabel = findChild<QLabel *>(QStringLiteral("rightsLabel"));
    for (QLabel *label : {m_versionLabel, m_copyrightLabel, m_rightsLabel}) {
        if (!label)
            continue;
        QFont font = label->font();
        font.setPixelSize(14);
        font.setBold(true);
        label->setFont(font);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(0x4c, 0x56, 0x6c));
        label->setPalette(palette);
    }
    if (m_versionLabel)
        m_versionLabel->setText(QStringLiteral("Version %1").arg(version()));
}

// The lines stay centred across whatever width the table gives the footer.
void AboutTagView::resizeEvent(QResizeEvent *)
{
    for (QLabel *label : {m_versionLabel, m_copyrightLabel, m_rightsLabel})
        if (label)
            label->setGeometry(0, label->y(), width(), label->height());
}
