#include "EditMenu.h"

#include "EditSession.h"
#include "Recipe.h"

#include <QFileDialog>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kRecipeFilter = QStringLiteral("Velmora recipes (*.velmora);;All files (*)");

} // namespace

EditMenu::EditMenu(EditSession *session, QWidget *parent) : QMenu(parent), m_session(session)
{
    setObjectName(QStringLiteral("editMenu"));
    QAction *revert =
        addAction(QStringLiteral("Revert to Original"), this, [this] { m_session->revert(); });
    addSeparator();
    QAction *save = addAction(QStringLiteral("Save Recipe\u2026"), this, [this] {
        const QString path =
            QFileDialog::getSaveFileName(parentWidget(), QStringLiteral("Save Recipe"), QString(),
                                         kRecipeFilter, nullptr, QFileDialog::DontUseNativeDialog);
        if (!path.isEmpty())
            saveRecipe(QFileInfo(path).suffix().isEmpty() ? path + ".velmora" : path);
    });
    QAction *apply = addAction(QStringLiteral("Apply Recipe\u2026"), this, [this] {
        const QString path =
            QFileDialog::getOpenFileName(parentWidget(), QStringLiteral("Apply Recipe"), QString(),
                                         kRecipeFilter, nullptr, QFileDialog::DontUseNativeDialog);
        if (!path.isEmpty())
            applyRecipe(path);
    });
    connect(this, &QMenu::aboutToShow, this, [this, revert, save, apply] {
        const bool idle = !m_session->isBusy() && !m_session->original().isNull();
        for (QAction *action : {revert, save, apply})
            action->setEnabled(idle);
        revert->setEnabled(m_session->canRevert());
    });
}

void EditMenu::showEvent(QShowEvent *event)
{
    QMenu::showEvent(event);
    // The Save button sits at the window's right edge: the menu opens leftwards from there rather
    // than hanging out of the window.
    if (const QWidget *window = parentWidget() != nullptr ? parentWidget()->window() : nullptr) {
        const int right = window->mapToGlobal(QPoint(window->width(), 0)).x();
        if (x() + width() > right)
            move(std::max(right - width(), window->mapToGlobal(QPoint(0, 0)).x()), y());
    }
}

bool EditMenu::saveRecipe(const QString &path)
{
    QString error;
    if (m_session->recipe().write(path, &error))
        return true;
    emit failed(error);
    return false;
}

bool EditMenu::applyRecipe(const QString &path)
{
    Recipe recipe;
    QString error;
    if (!Recipe::read(path, &recipe, &error)) {
        emit failed(error);
        return false;
    }
    return m_session->apply(recipe);
}
