#ifndef VELMORA_EDITOR_EDITMENU_H
#define VELMORA_EDITOR_EDITMENU_H

#include <QMenu>
#include <QString>

class EditSession;

// The editor's commands beyond applying and saving, on the Save button's menu: going back to
// the photo as taken, writing the history down as a recipe, and replaying a recipe on the photo.
// They are offered only while the session is idle with a photo.
class EditMenu : public QMenu
{
    Q_OBJECT

public:
    EditMenu(EditSession *session, QWidget *parent);

    // A recipe of the steps up to the current picture, written to `path`; a recipe read from
    // `path` applied as history steps, one a line. False, and `failed`, when it cannot be.
    bool saveRecipe(const QString &path);
    bool applyRecipe(const QString &path);

signals:
    void failed(const QString &message);

protected:
    void showEvent(QShowEvent *event) override;

private:
    EditSession *m_session;
};

#endif
