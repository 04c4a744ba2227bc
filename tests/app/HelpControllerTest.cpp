#include "../platform/PlatformTestSupport.h"

#include "HelpController.h"
#include "NavigationStack.h"
#include "SegmentedControl.h"

#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QWidgetAction>

namespace {

TEST(HelpController, OpensOnTheIndexAndItsBarGoesBackForwardAndDone)
{
    ViewController menu;
    NavigationStack stack{&menu};
    HelpController help;
    stack.view()->resize(320, 480);
    stack.view()->show();
    stack.pushViewController(&help, false);
    EXPECT_EQ(help.title(), QStringLiteral("Help"));
    const auto page = [&] { return help.webView()->source().fileName(); };
    EXPECT_EQ(page(), QStringLiteral("index.html"));
    EXPECT_TRUE(help.webView()->toPlainText().contains(QStringLiteral("effect groups")));
    EXPECT_EQ(help.navigationItem().leftBarButtonItem, help.navigationButton());
    EXPECT_EQ(help.navigationButton()->defaultWidget(), help.navigationControl());
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

TEST(HelpController, EveryLinkBetweenThePagesLeadsToAPage)
{
    for (const QString &name : {QStringLiteral("index.html"), QStringLiteral("effects.html")}) {
        QTextDocument document;
        QFile file(QStringLiteral(":/help/") + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        document.setHtml(QString::fromUtf8(file.readAll()));
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QString href = it.fragment().charFormat().anchorHref();
                EXPECT_TRUE(href.isEmpty() || QFile::exists(QStringLiteral(":/help/") + href))
                    << href.toStdString();
            }
    }
}

} // namespace
