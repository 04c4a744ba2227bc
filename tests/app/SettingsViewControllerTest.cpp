#include "../platform/PlatformTestSupport.h"

#include "PhotoSettings.h"
#include "SettingsViewController.h"
#include "Switch.h"
#include "TableViewCell.h"

#include <QFileInfo>
#include <QTemporaryDir>

namespace {

class SettingsViewControllerTest : public ::testing::Test
{
protected:
    void open()
    {
        screen.view()->resize(320, 460);
        screen.view()->show();
        screen.viewWillAppear(false);
    }

    TableViewCell *cell(int section, int row)
    {
        return screen.tableView()->cellForRowAtIndexPath({section, row});
    }

    void click(TableViewCell *target)
    {
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(30, 22));
    }

    // Which rows of the two choice sections carry a checkmark, as "s:r" pairs.
    QStringList checked()
    {
        QStringList rows;
        for (int s = 1; s <= 2; ++s)
            for (int r = 0; r < screen.tableView()->numberOfRowsInSection(s); ++r)
                if (cell(s, r)->accessoryType() == TableViewCell::AccessoryCheckmark)
                    rows << QStringLiteral("%1:%2").arg(s).arg(r);
        return rows;
    }

    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("settings.ini"));
    PhotoSettings store{file};
    SettingsViewController screen;
};

struct Choice
{
    int photoSize;
    int uiType;
    const char *expected;
};

using SettingsCheckmarks = WithParam<SettingsViewControllerTest, Choice>;

TEST_P(SettingsCheckmarks, FollowTheStore)
{
    store.setPhotoSize(GetParam().photoSize);
    store.setUiType(GetParam().uiType);
    open();
    EXPECT_EQ(checked().join(QLatin1Char(' ')), QString::fromLatin1(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Choices, SettingsCheckmarks,
                         ::testing::Values(Choice{1, 0, "1:1 2:0"}, Choice{0, 1, "1:0 2:1"},
                                           Choice{2, 1, "1:2 2:1"}));

TEST_F(SettingsViewControllerTest, ShowsTheRowsUnderTheirHeaders)
{
    open();
    EXPECT_EQ(screen.title(), QStringLiteral("Settings"));
    QStringList texts;
    for (auto [section, rows] : {std::pair{0, 3}, {1, 3}, {2, 2}})
        for (int r = 0; r < rows; ++r)
            texts << cell(section, r)->text();
    EXPECT_EQ(texts, QStringList({"Enable Animation", "Continuously Preview", "Left Hand Operation",
                                  "Full Size (1600 x 1200)", "Medium Size (1024 x 768)",
                                  "Web Size (640 x 480)", "Split Screen", "Hover Preview"}));
    EXPECT_EQ(screen.titleForHeaderInSection(screen.tableView(), 1), "Photo Size");
    EXPECT_EQ(screen.titleForHeaderInSection(screen.tableView(), 2), "Editor");
    EXPECT_EQ(screen.getPhotoSizeCell(3), nullptr);
    EXPECT_EQ(screen.getEditorCell(2), nullptr);
}

TEST_F(SettingsViewControllerTest, ChoosingARowMovesTheCheckmarkWithoutWritingTheFile)
{
    open();
    click(cell(1, 2));
    EXPECT_EQ(store.photoSize(), 2);
    click(cell(2, 1));
    EXPECT_EQ(store.uiType(), 1);
    EXPECT_EQ(checked().join(QLatin1Char(' ')), QStringLiteral("1:2 2:1"));
    EXPECT_FALSE(screen.tableView()->indexPathForSelectedRow().isValid());
    EXPECT_FALSE(QFileInfo::exists(file));

    // Out of range does nothing.
    screen.enterPhotosize(3);
    screen.enterEditor(-1);
    EXPECT_EQ(store.photoSize(), 2);
    EXPECT_EQ(store.uiType(), 1);
}

TEST_F(SettingsViewControllerTest, SwitchesShowAndChangeTheStoreButTheirRowsOnlyDeselect)
{
    store.setAnimation(false);
    store.setUpdate(true);
    open();
    EXPECT_FALSE(screen.animationSwitch()->isOn());
    EXPECT_TRUE(screen.updateSwitch()->isOn());
    click(cell(0, 0));
    click(cell(0, 2));
    EXPECT_FALSE(store.animation());
    EXPECT_FALSE(store.lefthand());
    EXPECT_FALSE(screen.tableView()->indexPathForSelectedRow().isValid());
    for (Switch *control :
         {screen.animationSwitch(), screen.updateSwitch(), screen.leftHandSwitch()})
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(80, 13));
    EXPECT_TRUE(store.animation());
    EXPECT_FALSE(store.update());
    EXPECT_TRUE(store.lefthand());
    EXPECT_EQ(store.photoSize(), 0);
}

TEST_F(SettingsViewControllerTest, EachSwitchStaysInItsOwnRowAtItsRightMargin)
{
    open();
    const Switch *switches[] = {screen.animationSwitch(), screen.updateSwitch(),
                                screen.leftHandSwitch()};
    for (int pass = 0; pass < 3; ++pass) {
        screen.tableView()->reloadData();
        for (int r = 0; r < 3; ++r) {
            SCOPED_TRACE(r);
            EXPECT_EQ(switches[r]->parentWidget(), cell(0, r)->contentView());
            EXPECT_EQ(cell(0, r)->contentView()->findChildren<Switch *>().size(), 1);
            EXPECT_EQ(switches[r]->geometry(), QRect(196, 8, 94, 27));
            EXPECT_TRUE(switches[r]->isVisible());
        }
    }
    screen.view()->resize(480, 460);
    QCoreApplication::processEvents();
    EXPECT_EQ(cell(0, 0)->width(), 460);
    EXPECT_EQ(screen.leftHandSwitch()->geometry(), QRect(460 - 104, 8, 94, 27));
}

} // namespace
