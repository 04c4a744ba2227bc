#include "ActivityIndicatorView.h"
#include "PlatformTestSupport.h"
#include "SegmentedControl.h"
#include "Slider.h"

#include <QSlider>

#include <vector>

namespace {

// Continuous or not.
using SliderTest = ::testing::TestWithParam<bool>;

TEST_P(SliderTest, KeepsWhatCodeSetsQuietlyAndReportsTheThumbWhenItShould)
{
    const bool continuous = GetParam();
    Slider slider;
    slider.setMaximumValue(20.0f);
    slider.setContinuous(continuous);
    std::vector<float> sent;
    QObject::connect(&slider, &Slider::valueChanged, [&] { sent.push_back(slider.value()); });
    slider.setValue(3.33f);
    EXPECT_TRUE(sent.empty()) << "setting from code sends nothing";

    auto *thumb = slider.findChild<QSlider *>();
    thumb->setSliderDown(true);
    thumb->setSliderPosition(thumb->maximum() / 2);
    thumb->setSliderPosition(thumb->maximum() * 949 / 2000);
    EXPECT_EQ(slider.value(), 9.49f) << "the value follows the thumb either way";
    const std::vector<float> dragged{10.0f, 9.49f}, released{9.49f};
    EXPECT_EQ(sent, continuous ? dragged : std::vector<float>());
    thumb->setSliderDown(false);
    EXPECT_EQ(sent, continuous ? dragged : released);
    sent.clear();
    QTest::keyClick(thumb, Qt::Key_Right);
    ASSERT_EQ(sent.size(), 1u) << "a key step reports at once";
    EXPECT_FLOAT_EQ(sent[0], 9.69f);
}

INSTANTIATE_TEST_SUITE_P(Continuous, SliderTest, ::testing::Bool());

TEST(SegmentedControl, APressOrAKeyReportsAChangeAndCodeSetsQuietly)
{
    SegmentedControl control{QStringList{"Auto", "Mono", "Draw"}};
    control.resize(300, 30);
    std::vector<int> sent;
    QObject::connect(&control, &SegmentedControl::valueChanged,
                     [&] { sent.push_back(control.selectedSegmentIndex()); });
    const auto click = [&](int segment) {
        QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(50 + 100 * segment, 15));
    };
    EXPECT_EQ(control.selectedSegmentIndex(), -1);
    click(1);
    click(1);
    click(2);
    EXPECT_EQ(sent, (std::vector<int>{1, 2}));
    control.setSelectedSegmentIndex(0);
    EXPECT_EQ(control.selectedSegmentIndex(), 0);
    control.setSelectedSegmentIndex(-1);
    EXPECT_EQ(control.selectedSegmentIndex(), -1);
    QTest::keyClick(&control, Qt::Key_Right);
    QTest::keyClick(&control, Qt::Key_Right);
    EXPECT_EQ(sent, (std::vector<int>{1, 2, 1, 2})) << "setting from code sends nothing";
}

TEST(ActivityIndicatorView, TurnsOnlyWhileAnimatingAndHidesWhenStopped)
{
    QWidget window;
    auto *spinner = new ActivityIndicatorView(&window);
    window.show();
    EXPECT_FALSE(spinner->isVisible());
    spinner->startAnimating();
    EXPECT_TRUE(spinner->isVisible() && spinner->isAnimating());
    ASSERT_TRUE(waitUntil([&] { return spinner->phase() != 0; }, 2000));
    spinner->stopAnimating();
    EXPECT_FALSE(spinner->isAnimating() || spinner->isVisible());
}

} // namespace
