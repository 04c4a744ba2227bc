#include "../platform/PlatformTestSupport.h"

#include "HelpController.h"
#include "NavigationStack.h"
#include "SegmentedControl.h"

#include <QRegularExpression>
#include <QTextBrowser>

namespace {

// Every link of the pages leads to one of them.
TEST(HelpController, OpensOnTheIndexAndItsBarGoesBackForwardAndDone)
{
    ViewController menu;
    NavigationStack stack{&menu};
    HelpController help;
    stack.view()->resize(320, 480);
    stack.view()->show();
    stack.pushViewController(&help, false);
    const auto page = [&] { return help.webView()->source().fileName(); };
    EXPECT_EQ(page(), QStringLiteral("index.html"));
    const QRegularExpression link(QStringLiteral("href=\"([^\"]*)\""));
    for (const QString name : {"index.html", "effects.html"}) {
        const QString html = QString::fromUtf8(contentsOf(":/help/" + name));
        EXPECT_TRUE(html.contains(link)) << name.toStdString();
        for (const QRegularExpressionMatch &match : link.globalMatch(html))
            EXPECT_TRUE(QFile::exists(":/help/" + match.captured(1)))
                << match.captured().toStdString();
    }
    EXPECT_EQ(help.navigationItem().rightBarButtonItem, help.doneButton());
    EXPECT_TRUE(help.navigationControl()->isVisible());

    help.webView()->setSource(QUrl(QStringLiteral("qrc:/help/effects.html")));
    ASSERT_TRUE(help.webView()->toPlainText().contains(QStringLiteral("Print formats")));
    SegmentedControl *control = help.navigationControl();
    const auto press = [control](int half) { // back (0) or forward (1)
        QTest::mouseClick(control, Qt::LeftButton, {},
                          QPoint(control->width() * (1 + 2 * half) / 4, control->height() / 2));
    };
    press(0);
    EXPECT_EQ(page(), QStringLiteral("index.html"));
    press(1);
    EXPECT_EQ(page(), QStringLiteral("effects.html"));
    EXPECT_EQ(control->selectedSegmentIndex(), -1) << "momentary";
    help.doneButton()->trigger();
    EXPECT_TRUE(waitUntil([&] { return stack.topViewController() == &menu; }));
}

} // namespace
