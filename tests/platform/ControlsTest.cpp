#include "ActivityIndicatorView.h"
#include "PlatformTestSupport.h"
#include "SegmentedControl.h"
#include "Slider.h"

#include <QSignalSpy>
#include <QSlider>
#include <QTimer>

#include <limits>
#include <vector>

namespace {

// A value set, and the value read back.
struct Set
{
    float value;
    float read;
};

using SliderValues = ::testing::TestWithParam<Set>;

TEST_P(SliderValues, ReadsBackExactlyWhatWasSetWithinTheRange)
{
    Slider slider;
    slider.setMaximumValue(20.0f);
    QSignalSpy changes(&slider, &Slider::valueChanged);
    slider.setValue(GetParam().value);
    EXPECT_EQ(slider.value(), GetParam().read);
    EXPECT_EQ(changes.count(), 0) << "setting from code sends nothing";
}

INSTANTIATE_TEST_SUITE_P(Slider, SliderValues,
                         ::testing::Values(Set{9.49f, 9.49f}, Set{9.5f, 9.5f}, Set{0.001f, 0.001f},
                                           Set{20.5f, 20.0f}, Set{-1.0f, 0.0f},
                                           Set{std::numeric_limits<float>::quiet_NaN(), 0.0f}));

using SliderDrag = ::testing::TestWithParam<bool>;

TEST_P(SliderDrag, AContinuousSliderReportsWhileDraggingOtherwiseOnRelease)
{
    const bool continuous = GetParam();
    Slider slider;
    slider.setMaximumValue(20.0f);
    slider.setContinuous(continuous);
    auto *thumb = slider.findChild<QSlider *>();
    ASSERT_NE(thumb, nullptr);
    std::vector<float> sent;
    QObject::connect(&slider, &Slider::valueChanged, [&] { sent.push_back(slider.value()); });

    thumb->setSliderDown(true);
    thumb->setSliderPosition(thumb->maximum() / 2);
    EXPECT_EQ(slider.value(), 10.0f) << "the value follows the thumb either way";
    thumb->setSliderPosition(thumb->maximum() * 949 / 2000);
    EXPECT_EQ(slider.value(), 9.49f);
    const std::vector<float> dragged{10.0f, 9.49f}, released{9.49f};
    EXPECT_EQ(sent, continuous ? dragged : std::vector<float>());
    thumb->setSliderDown(false);
    EXPECT_EQ(sent, continuous ? dragged : released);

    sent.clear();
    QTest::keyClick(thumb, Qt::Key_Right);
    ASSERT_EQ(sent.size(), 1u) << "a key step reports at once";
    EXPECT_FLOAT_EQ(sent[0], 9.69f);
}

INSTANTIATE_TEST_SUITE_P(Slider, SliderDrag, ::testing::Bool());

class SegmentedControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        control.resize(300, 30);
        QObject::connect(&control, &SegmentedControl::valueChanged,
                         [&] { sent.push_back(control.selectedSegmentIndex()); });
    }
    // The middle of segment `i` of three.
    static QPoint segment(int i) { return {50 + 100 * i, 15}; }

    SegmentedControl control{QStringList{"Auto", "Mono", "Draw"}};
    std::vector<int> sent;
};

TEST_F(SegmentedControlTest, APressSelectsASegmentAndReportsOnlyAChange)
{
    EXPECT_EQ(control.selectedSegmentIndex(), -1);
    QTest::mouseClick(&control, Qt::LeftButton, {}, segment(1));
    QTest::mouseClick(&control, Qt::LeftButton, {}, segment(1));
    QTest::mouseClick(&control, Qt::LeftButton, {}, segment(2));
    EXPECT_EQ(sent, (std::vector<int>{1, 2}));
    EXPECT_EQ(control.selectedSegmentIndex(), 2);

    control.setSelectedSegmentIndex(0);
    control.setSelectedSegmentIndex(3); // past the end: ignored
    EXPECT_EQ(control.selectedSegmentIndex(), 0);
    control.setSelectedSegmentIndex(-1);
    EXPECT_EQ(control.selectedSegmentIndex(), -1);
    EXPECT_EQ(sent.size(), 2u) << "setting from code sends nothing";

    QTest::keyClick(&control, Qt::Key_Right);
    QTest::keyClick(&control, Qt::Key_Right);
    EXPECT_EQ(sent, (std::vector<int>{1, 2, 1, 2}));
}

TEST_F(SegmentedControlTest, AMomentaryControlReportsEveryPressAndKeepsNothingSelected)
{
    control.setMomentary(true);
    QTest::mousePress(&control, Qt::LeftButton, {}, segment(1));
    EXPECT_EQ(control.selectedSegmentIndex(), 1) << "shown while held";
    QTest::mouseRelease(&control, Qt::LeftButton, {}, segment(1));
    EXPECT_EQ(control.selectedSegmentIndex(), -1);
    QTest::mouseClick(&control, Qt::LeftButton, {}, segment(1));
    QTest::mouseClick(&control, Qt::LeftButton, {}, segment(0));
    EXPECT_EQ(sent, (std::vector<int>{1, 1, 0})) << "the pressed segment is selected as it reports";
    EXPECT_EQ(control.selectedSegmentIndex(), -1);
}

TEST(ActivityIndicatorView, TurnsOnlyWhileAnimatingAndHidesWhenStopped)
{
    QWidget window;
    auto *spinner = new ActivityIndicatorView(&window);
    window.show();
    EXPECT_FALSE(spinner->isVisible());
    spinner->startAnimating();
    EXPECT_TRUE(spinner->isVisible());
    EXPECT_TRUE(spinner->isAnimating());
    ASSERT_TRUE(waitUntil([&] { return spinner->phase() != 0; }, 2000));

    spinner->stopAnimating();
    EXPECT_FALSE(spinner->isAnimating());
    EXPECT_FALSE(spinner->isVisible());
    EXPECT_FALSE(spinner->findChild<QTimer *>()->isActive()) << "no timer runs while stopped";

    spinner->setHidesWhenStopped(false);
    spinner->startAnimating();
    spinner->stopAnimating();
    EXPECT_TRUE(spinner->isVisible());
}

} // namespace
