#ifndef VELMORA_APP_SETTINGSVIEWCONTROLLER_H
#define VELMORA_APP_SETTINGSVIEWCONTROLLER_H

#include "TableViewController.h"

#include <array>
#include <memory>

class Switch;
class TableViewCell;

namespace Ui {
class SettingsView;
}

// The settings screen, from the "SettingsView" layout: three switches for the animation,
// continuous-preview and left-hand options, then the photo size and the editor layout as
// rows with a checkmark on the current choice. Every change goes straight into the store;
// the store is written when the application resigns active or quits.
class SettingsViewController : public TableViewController
{
    Q_OBJECT

public:
    explicit SettingsViewController(QObject *parent = nullptr);
    ~SettingsViewController() override;

    Switch *animationSwitch();
    Switch *updateSwitch();
    Switch *leftHandSwitch();

    int numberOfSectionsInTableView(TableView *tableView) override;
    int numberOfRowsInSection(TableView *tableView, int section) override;
    TableViewCell *cellForRowAtIndexPath(TableView *tableView, const IndexPath &indexPath) override;
    QString titleForHeaderInSection(TableView *tableView, int section) override;
    void didSelectRowAtIndexPath(TableView *tableView, const IndexPath &indexPath) override;

    TableViewCell *getOptionCell(int row);
    TableViewCell *getPhotoSizeCell(int row);
    TableViewCell *getEditorCell(int row);
    void enterPhotosize(int row);
    void enterEditor(int row);

public slots:
    void switchAnimation();
    void switchUpdate();
    void switchLeftHand();

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    // A kept choice cell (made on first use) with its checkmark set from `checked`.
    TableViewCell *choiceCell(QPointer<TableViewCell> &cell, const QString &text, bool checked);
    Switch *optionSwitch(int row);

    std::unique_ptr<Ui::SettingsView> m_ui;
    std::array<QPointer<TableViewCell>, 3> m_photoSizeCells;
    std::array<QPointer<TableViewCell>, 2> m_editorCells;
};

#endif
