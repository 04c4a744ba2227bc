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
// a noise step is given a seed once, which the recipe keeps (the editor's history replays it);
// a recipe applied adds one undoable step a line, keeping the seeds it has.
TEST(EditSessionTest, TheRecipeFollowsTheHistoryAndKeepsEachNoiseSeed)
{
    EditSession session;
    session.start(Picture(TestImages::random(64, 48, 1)), QSize(640, 480));
    ASSERT_TRUE(session.apply(step("Sepia")));
    ASSERT_TRUE(settle(session));
    ASSERT_TRUE(session.apply(step("Night Vision")));
    EXPECT_FALSE(session.apply(step("Posterize=3"))) << "one run at a time";
    session.undoStack()->setIndex(0); // the new step still follows Sepia
    ASSERT_TRUE(settle(session));
    const Recipe before = session.recipe();
    ASSERT_EQ(before.steps.size(), 2);
    EXPECT_EQ(before.workingSize, QSize(640, 480));
    EXPECT_EQ(before.steps[0], step("Sepia")) << "no seed where no noise is drawn";
    ASSERT_TRUE(before.steps[1].seed.has_value());

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
    session.undoStack()->setIndex(5);
    ASSERT_TRUE(settle(session));
    EXPECT_EQ(session.recipe().steps.mid(2), again.steps);
}

// With room for four pictures over ten steps the current picture's neighbours are kept, for an
// instant undo and redo, and the others spread out: no walk replays more than three steps.
TEST(EditSessionTest, ThePicturesKeptSpreadOverTheHistory)
{
    EditSession session;
    const Picture photo(TestImages::random(64, 48, 2));
    session.setBudget(4 * photo.grid().sizeInBytes());
    session.start(photo, QSize());
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(session.apply(step("White border=1")));
    for (int at : {10, 3, 6}) {
        session.undoStack()->setIndex(at);
        ASSERT_TRUE(settle(session));
        EXPECT_LE(session.keptBytes(), session.budget());
        EXPECT_TRUE(session.isKept(at - 1) && (at == 10 || session.isKept(at + 1))) << at;
        int longest = 0;
        for (int i = 0, run = 0; i <= 10; ++i)
            longest = std::max(longest, run = session.isKept(i) ? 0 : run + 1);
        EXPECT_LE(longest, 3) << at;
    }
}

// A step the engine refuses is reported and leaves the history and the picture as they were;
// so does one still running when a new photo comes.
TEST(EditSessionTest, AFailedOrOvertakenStepChangesNothing)
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

    const Picture next(TestImages::random(800, 600, 3));
    session.start(Picture(TestImages::random(800, 600, 4)), QSize());
    ASSERT_TRUE(session.apply(step("Sepia")));
    session.start(next, QSize());
    drainEvents();
    EXPECT_EQ(changed.size(), 0);
    EXPECT_EQ(session.undoStack()->count(), 0);
    EXPECT_EQ(session.current().grid().cacheKey(), next.grid().cacheKey());
}

} // namespace
