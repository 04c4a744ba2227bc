#include "EditSession.h"

#include "EditorTestSupport.h"
#include "ImageEffect.h"
#include "TestImages.h"

#include <QSignalSpy>

namespace {

RecipeStep step(const char *text)
{
    RecipeStep parsed;
    QString error;
    EXPECT_TRUE(RecipeStep::parse(QString::fromLatin1(text), &parsed, &error)) << text;
    return parsed;
}

bool settle(EditSession &session)
{
    return waitUntil([&] { return !session.isBusy(); });
}

// The recipe is the steps since the last return to the photo as taken, up to the current one;
// a noise step is given a seed once, which the recipe and every replay keep; a recipe applied
// adds one undoable step a line, keeping the seeds it has.
TEST(EditSessionTest, TheRecipeFollowsTheHistoryAndKeepsEachNoiseSeed)
{
    EditSession session;
    session.start(Picture(TestImages::random(64, 48, 1)), QSize(640, 480));
    ASSERT_TRUE(session.apply(step("Sepia")));
    ASSERT_TRUE(settle(session));
    ASSERT_TRUE(session.apply(step("Night Vision")));
    EXPECT_FALSE(session.apply(step("Posterize=3"))) << "one run at a time";
    ASSERT_TRUE(settle(session));
    const Recipe before = session.recipe();
    ASSERT_EQ(before.steps.size(), 2);
    EXPECT_EQ(before.workingSize, QSize(640, 480));
    EXPECT_EQ(before.steps[0], step("Sepia")) << "no seed where no noise is drawn";
    ASSERT_TRUE(before.steps[1].seed.has_value());
    const QImage noisy = session.current().grid();

    ASSERT_TRUE(session.revert());
    EXPECT_EQ(session.current().grid(), session.original().grid());
    EXPECT_FALSE(session.revert()) << "already there";
    EXPECT_TRUE(session.recipe().steps.isEmpty());
    ASSERT_TRUE(session.apply(step("White border=4")));
    EXPECT_EQ(session.recipe().steps, QList<RecipeStep>{step("White border=4")});
    session.undoStack()->setIndex(2);
    EXPECT_EQ(session.recipe().steps, before.steps);

    Recipe again = before;
    again.steps.prepend(step("Negative"));
    session.setBudget(0); // only the current picture is kept: every undo is a replay
    ASSERT_TRUE(session.apply(again));
    ASSERT_TRUE(settle(session));
    EXPECT_EQ(session.undoStack()->count(), 5);
    EXPECT_EQ(session.keptBytes(), session.current().grid().sizeInBytes());
    session.undoStack()->setIndex(2);
    ASSERT_TRUE(settle(session));
    EXPECT_EQ(session.current().grid(), noisy);
    session.undoStack()->setIndex(5);
    ASSERT_TRUE(settle(session));
    EXPECT_EQ(session.recipe().steps.mid(2), again.steps);
}

// A step the engine refuses is reported and leaves the history and the picture as they were.
TEST(EditSessionTest, AFailedStepChangesNothing)
{
    EditSession session;
    const Picture wide(TestImages::random(17000, 2, 1));
    session.start(wide, QSize());
    QSignalSpy failed(&session, &EditSession::failed);
    QSignalSpy changed(&session, &EditSession::imageChanged);
    ASSERT_TRUE(session.apply(step("Sepia")));
    ASSERT_TRUE(settle(session));
    ASSERT_EQ(failed.size(), 1);
    EXPECT_TRUE(failed.first().first().toString().contains(QLatin1String("17000")));
    EXPECT_TRUE(changed.isEmpty());
    EXPECT_EQ(session.undoStack()->count(), 0);
    EXPECT_EQ(session.current().grid().cacheKey(), wide.grid().cacheKey());
}

} // namespace
