#include "../platform/PlatformTestSupport.h"

#include "AboutController.h"
#include "AboutTagView.h"
#include "CustomTableViewCell.h"
#include "MessageBanner.h"
#include "NavigationStack.h"

#include <QLabel>

namespace {

// The rows open the mail and store pages only once their values are set, and the values
// cannot add query parameters; close dismisses through the screen that presented it.
TEST(AboutController, ShowsItsRowsOpensTheirPagesAndClosesThroughItsPresenter)
{
    AboutController about;
    QStringList opened;
    about.setUrlOpener([&opened](const QUrl &url) {
        opened << url.toString(QUrl::FullyEncoded);
        return true;
    });
    ViewController menu;
    NavigationStack stack(&menu);
    stack.view()->resize(320, 480);
    stack.view()->show();
    stack.presentModalViewController(&about, false);
    ASSERT_EQ(stack.modalViewController(), &about);
    EXPECT_TRUE(about.headerView()->isVisible());
    EXPECT_EQ(about.headerView()->versionLabel()->text(), QStringLiteral("Version 0.1.0"));

    const auto selectBoth = [&] {
        for (int row : {0, 1})
            QTest::mouseClick(about.tableView()->cellForRowAtIndexPath({0, row}), Qt::LeftButton,
                              {}, QPoint(30, 22));
    };
    selectBoth();
    EXPECT_TRUE(opened.isEmpty());
    about.setAppName(QStringLiteral("Velmora & 16#00 "));
    about.setAppId(QStringLiteral("284972998&type=x"));
    selectBoth();
    EXPECT_EQ(opened, QStringList({"mailto:support@velmora.app?subject=Velmora%20%26%2016%2300%20",
                                   "https://apps.velmora.app/WebObjects/MZStore.woa/wa/"
                                   "viewContentsUserReviews?id=284972998%26type%3Dx&pageNumber=0"
                                   "&sortOrdering=1&type=Purple+Software"}));
    EXPECT_FALSE(about.tableView()->indexPathForSelectedRow().isValid());
    EXPECT_EQ(MessageBanner::shown(about.view()), nullptr) << "nothing to say when they open";

    // Without a mail program the address is shown, to be copied.
    about.setUrlOpener([](const QUrl &) { return false; });
    QTest::mouseClick(about.emailCell(), Qt::LeftButton, {}, QPoint(30, 22));
    const MessageBanner *banner = MessageBanner::shown(about.view());
    ASSERT_NE(banner, nullptr);
    EXPECT_TRUE(banner->text().contains(QStringLiteral("support@velmora.app")));
    EXPECT_TRUE(banner->findChild<QLabel *>()->textInteractionFlags() & Qt::TextSelectableByMouse);

    about.close();
    EXPECT_TRUE(waitUntil([&] { return stack.modalViewController() == nullptr; }));
}

} // namespace
