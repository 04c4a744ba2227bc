#include <gtest/gtest.h>

#include "BatchJob.h"
#include "EffectStep.h"
#include "Picture.h"
#include "TestImages.h"

namespace {

// Grey 131 has luma 128: brightness level 0 lowers it by 40 to grey 83; the default level
// leaves it, grey 130 after the trip through the colour conversion.
TEST(BatchJob, AnExplicitLevelZeroIsAppliedNotTakenAsTheDefault)
{
    const Picture grey(TestImages::solid(4, 4, QColor(131, 131, 131)));
    QString error;
    for (auto [spec, value] : {std::pair{"Adjust Brightness=0", 83}, {"Adjust Brightness", 130}}) {
        EffectStep step;
        ASSERT_TRUE(EffectStep::parse(spec, &step, &error)) << error.toStdString();
        const QImage out = BatchJob::applyEffects(grey, {step}, &error).grid();
        EXPECT_EQ(out.pixel(2, 2), qRgb(value, value, value)) << spec;
    }
}

} // namespace
