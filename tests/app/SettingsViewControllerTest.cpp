#include "../platform/PlatformTestSupport.h"

#include "PhotoSettings.h"
#include "SettingsViewController.h"
#include "Switch.h"
#include "TableViewCell.h"

#include <QTemporaryDir>

namespace {

// A choice or a switch changes the store without writing the file; the rows only deselect.
TEST(SettingsViewController, ShowsTheRowsWithEachSwitchInItsOwnRowAndChangesTheStore)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    PhotoSettings store{file};
    SettingsViewController screen;
    const auto cell = [&](int section, int row) {
        return screen.tableView()->cellForRowAtIndexPath({section, row});
    };
    const auto click = [](QWidget *target, QPoint at = {30, 22}) {
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, Qt::LeftButton, {}, at);
    };
    // Which rows of the two choice sections carry a checkmark, as "s:r" pairs.
    const auto checked = [&] {
        QStringList rows;
        for (int s = 1; s <= 2; ++s)
            for (int r = 0; r < screen.tableView()->numberOfRowsInSection(s); ++r)
                if (cell(s, r)->accessoryType() == TableViewCell::AccessoryCheckmark)
                    rows << QStringLiteral("%1:%2").arg(s).arg(r);
        return rows.join(QLatin1Char(' '));
    };
    store.setAnimation(false);
    store.setUpdate(true);
    screen.view()->resize(320, 460);
    screen.view()->show();
    screen.viewWillAppear(false);
    QStringList texts;
    for (auto [section, rows] : {std::pair{0, 3}, {1, 3}, {2, 2}})
        for (int r = 0; r < rows; ++r)
            texts << cell(section, r)->text();
    EXPECT_EQ(texts, QStringList({"Enable Animation", "Continuously Preview", "Left Hand Operation",
                                  "Full Size (1600 x 1200)", "Medium Size (1024 x 768)",
                                  "Web Size (640 x 480)", "Split Screen", "Hover Preview"}));
    EXPECT_EQ(screen.titleForHeaderInSection(screen.tableView(), 1), "Photo Size");
    EXPECT_EQ(screen.titleForHeaderInSection(screen.tableView(), 2), "Editor");

    Switch *switches[] = {screen.animationSwitch(), screen.updateSwitch(), screen.leftHandSwitch()};
    for (int pass = 0; pass < 3; ++pass) {
        screen.tableView()->reloadData();
        for (int r = 0; r < 3; ++r) {
            SCOPED_TRACE(r);
            EXPECT_EQ(cell(0, r)->contentView()->findChildren<Switch *>(),
                      QList<Switch *>{switches[r]});
            EXPECT_TRUE(switches[r]->isVisible());
        }
    }

    for (auto [photoSize, uiType, expected] :
         {std::tuple{1, 0, "1:1 2:0"}, {0, 1, "1:0 2:1"}, {2, 1, "1:2 2:1"}}) {
        store.setPhotoSize(photoSize);
        store.setUiType(uiType);
        screen.tableView()->reloadData();
        EXPECT_EQ(checked(), QString::fromLatin1(expected));
    }
    click(cell(1, 1));
    click(cell(2, 0));
    EXPECT_EQ(std::pair(store.photoSize(), store.uiType()), std::pair(1, 0));
    EXPECT_EQ(checked(), QStringLiteral("1:1 2:0"));
    EXPECT_FALSE(screen.tableView()->indexPathForSelectedRow().isValid());
    click(cell(0, 0));
    click(cell(0, 2));
    EXPECT_FALSE(store.animation() || store.lefthand());
    for (Switch *control : switches)
        click(control, {80, 13});
    EXPECT_EQ((QList<bool>{store.animation(), store.update(), store.lefthand()}),
              QList<bool>({true, false, true}));
    EXPECT_FALSE(QFileInfo::exists(file));
}

} // namespace
