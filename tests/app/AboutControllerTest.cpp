#include "../platform/PlatformTestSupport.h"

#include "AboutController.h"
#include "AboutTagView.h"
#include "CustomTableViewCell.h"
#include "NavigationStack.h"

#include <QLabel>

namespace {

class AboutControllerTest : public ::testing::Test
{
protected:
    AboutControllerTest()
    {
        about.setUrlOpener([this](const QUrl &url) {
            opened << url.toString(QUrl::FullyEncoded);
            return true;
        });
        about.view()->resize(320, 416);
        about.view()->show();
        about.viewWillAppear(false);
    }

    void select(int row)
    {
        TableViewCell *cell = about.tableView()->cellForRowAtIndexPath({0, row});
        ASSERT_NE(cell, nullptr);
        QTest::mouseClick(cell, Qt::LeftButton, {}, QPoint(30, 22));
    }

    AboutController about;
    QStringList opened;
};

TEST_F(AboutControllerTest, RowsOpenTheMailAndStorePagesOnlyOnceTheirValuesAreSet)
{
    select(0);
    select(1);
    EXPECT_TRUE(opened.isEmpty());
    about.setAppName(QStringLiteral("Velmora  16 00 "));
    about.setAppId(QStringLiteral("284972998"));
    select(0);
    select(1);
    EXPECT_EQ(opened,
              QStringList({"mailto:support@velmora.app?subject=Velmora%20%2016%2000%20",
                           "https://apps.velmora.app/WebObjects/MZStore.woa/wa/"
                           "viewContentsUserReviews?id=284972998&pageNumber=0&sortOrdering=1"
                           "&type=Purple+Software"}));
    EXPECT_FALSE(about.tableView()->indexPathForSelectedRow().isValid());
    // Values cannot add query parameters.
    EXPECT_EQ(AboutController::supportMailUrl(QStringLiteral("A&cc=x#y")).query(QUrl::FullyEncoded),
              QStringLiteral("subject=A%26cc%3Dx%23y"));
    EXPECT_TRUE(AboutController::reviewUrl(QStringLiteral("1&type=x"))
                    .query(QUrl::FullyEncoded)
                    .startsWith(QStringLiteral("id=1%26type%3Dx&")));
}

TEST_F(AboutControllerTest, ShowsTheTwoRowsAndTheVersionFooter)
{
    EXPECT_EQ(about.tableView()->cellForRowAtIndexPath({0, 1}), about.reviewCell());
    EXPECT_TRUE(about.headerView()->isVisible());
    EXPECT_EQ(about.headerView()->versionLabel()->text(), QStringLiteral("Version 0.1.0"));
    EXPECT_TRUE(about.emailCell()->label()->font().bold());
}

TEST_F(AboutControllerTest, CloseDismissesThroughTheScreenThatPresentedIt)
{
    ViewController menu;
    NavigationStack stack(&menu);
    stack.view()->resize(320, 480);
    stack.presentModalViewController(&about, false);
    ASSERT_EQ(stack.modalViewController(), &about);
    about.close();
    EXPECT_TRUE(waitUntil([&] { return stack.modalViewController() == nullptr; }));
}

} // namespace
