// The school's rules alone: the page script's pages and the search over the missing numbers in both
// directions (never below page 1 nor above 98), and the judging of the tasks from synthetic table states:
// the camera turned both ways, the contact point moved to both sides, the shot power at the margins of its
// range, the masse, and the aim line through the cue ball.
#include <gtest/gtest.h>

#include <cstdint>

#include "client/scenes/practice/SchoolPages.h"
#include "client/scenes/practice/SchoolTaskJudge.h"

namespace kestrovan::test {
namespace {

TEST(SchoolPagesTest, TheSearchSkipsMissingPagesInTheDirectionOfTravelWithinOneAndNinetyEight) {
    EXPECT_EQ(SchoolPages::Step(12, +1), 20);
    EXPECT_EQ(SchoolPages::Step(20, -1), 12);
    EXPECT_EQ(SchoolPages::Step(86, +1), 98);
    EXPECT_EQ(SchoolPages::Step(98, -1), 86);
    EXPECT_EQ(SchoolPages::Step(12, +1), SchoolPages::Step(13 - 1, +1)) << "SchoolStep 13 opens 20";
    EXPECT_EQ(SchoolPages::Step(76, +1), 78) << "page 77 has no page of its own";
    EXPECT_EQ(SchoolPages::Step(0, +1), 1);
    EXPECT_EQ(SchoolPages::Step(1, -1), 1) << "nothing lies below page 1";
    EXPECT_EQ(SchoolPages::Step(2, -1), 1);
    EXPECT_EQ(SchoolPages::Step(98, +1), 98);
    EXPECT_EQ(SchoolPages::Step(150, +1), 98) << "pages above 98 open 98";
    EXPECT_EQ(SchoolPages::Step(INT32_MAX, +1), 98) << "a page at int32's end does not overflow";
    EXPECT_EQ(SchoolPages::Step(INT32_MIN, -1), 1);
    EXPECT_EQ(SchoolPages::Step(52, -1), 51);

    for (int32_t missing : {13, 19, 26, 29, 32, 39, 43, 49, 52, 69, 73, 74, 77, 79, 87, 97})
        EXPECT_EQ(SchoolPages::Find(missing), nullptr) << missing;
}

TEST(SchoolPagesTest, PagesCarryTheirTitlesLinesAndTasks) {
    struct Count {
        int32_t page;
        size_t lines;
        size_t tasks;
    };
    for (const Count& count : {Count{1, 3, 0}, Count{2, 2, 0}, Count{3, 4, 0}, Count{4, 2, 3}, Count{5, 4, 1},
                               Count{7, 4, 2}, Count{8, 3, 3}, Count{9, 3, 1}, Count{12, 4, 0}, Count{23, 3, 0},
                               Count{41, 4, 2}, Count{50, 4, 1}, Count{51, 4, 2}, Count{70, 2, 0}, Count{75, 3, 0},
                               Count{76, 2, 0}, Count{86, 4, 0}, Count{98, 4, 0}}) {
        const SchoolPage* page = SchoolPages::Find(count.page);
        ASSERT_NE(page, nullptr) << count.page;
        EXPECT_EQ(page->lines.size(), count.lines) << count.page;
        EXPECT_EQ(page->tasks.size(), count.tasks) << count.page;
    }
    EXPECT_EQ(quill::WString(SchoolPages::Find(1)->title), u"Welcome to Kestrovan %s..");
    EXPECT_EQ(quill::WString(SchoolPages::Find(98)->title), u"Today's quest is over!");
    EXPECT_EQ(quill::WString(SchoolPages::Find(41)->tasks[1]), u"1. Play a 70% power shot (10% margin of error)");
    EXPECT_EQ(quill::WString(SchoolPages::BasicsDoneLines(false)[2]), u"Make sure to use the cue I gifted to you.");
    EXPECT_EQ(quill::WString(SchoolPages::BasicsDoneLines(true)[1]),
              u"When your shot power is falling short, purchase a cue item or raise your skills.");
    EXPECT_EQ(SchoolPages::All().size(), 39u);
}

TEST(SchoolTaskJudgeTest, CameraAndContactTasksNeedBothStatesOneAfterTheOther) {
    SchoolTaskJudge judge;
    SchoolTableView view;
    view.yawDegrees = 90.0f;
    EXPECT_FALSE(judge.Met(4, 1, view, 0, 0));
    view.yawDegrees = -150.0f;
    EXPECT_TRUE(judge.Met(4, 1, view, 0, 0)) << "both ways turned";
    view.yawDegrees = 0.0f;
    EXPECT_TRUE(judge.Met(4, 1, view, 0, 0)) << "what was seen stays";
    judge.Clear();
    view.yawDegrees = 130.0f;
    EXPECT_FALSE(judge.Met(4, 1, view, 0, 0)) << "strictly between";

    view.pitchDegrees = 9.0f;
    EXPECT_FALSE(judge.Met(4, 2, view, 0, 0));
    view.pitchDegrees = 51.0f;
    EXPECT_TRUE(judge.Met(4, 2, view, 0, 0));
    view.distance = 199.0f;
    EXPECT_FALSE(judge.Met(4, 3, view, 0, 0));
    view.distance = 401.0f;
    EXPECT_TRUE(judge.Met(4, 3, view, 0, 0));

    view.tipX = -0.2f;
    EXPECT_FALSE(judge.Met(8, 1, view, 0, 0));
    view.tipX = 0.15f;
    EXPECT_FALSE(judge.Met(8, 1, view, 0, 0)) << "above 0.15 only";
    view.tipX = 0.16f;
    EXPECT_TRUE(judge.Met(8, 1, view, 0, 0));
    view.tipY = 0.3f;
    EXPECT_FALSE(judge.Met(8, 2, view, 0, 0));
    view.tipY = -0.3f;
    EXPECT_TRUE(judge.Met(8, 2, view, 0, 0));
    EXPECT_FALSE(judge.Met(8, 3, view, 0, 0));
    EXPECT_TRUE(judge.Met(8, 3, view, 0, 1)) << "a shot counts";
    EXPECT_FALSE(judge.Met(6, 1, view, 100, 5)) << "a page without tasks";
}

TEST(SchoolTaskJudgeTest, PowerTasksTakeWholePercentagesAtTheirMargins) {
    SchoolTaskJudge judge;
    SchoolTableView view;
    EXPECT_FALSE(judge.Met(41, 1, view, 4, 1));
    EXPECT_TRUE(judge.Met(41, 1, view, 5, 1));
    EXPECT_TRUE(judge.Met(41, 1, view, 10, 1));
    EXPECT_TRUE(judge.Met(41, 1, view, 15, 1));
    EXPECT_FALSE(judge.Met(41, 1, view, 16, 1));
    EXPECT_FALSE(judge.Met(41, 1, view, 10, 0)) << "no shot yet";
    view.shotRunning = true;
    EXPECT_FALSE(judge.Met(41, 1, view, 10, 1)) << "the balls still roll";
    view.shotRunning = false;
    EXPECT_TRUE(judge.Met(41, 2, view, 60, 1));
    EXPECT_TRUE(judge.Met(41, 2, view, 80, 1));
    EXPECT_FALSE(judge.Met(41, 2, view, 81, 1));
    EXPECT_TRUE(judge.Met(42, 1, view, 25, 1));
    EXPECT_FALSE(judge.Met(42, 1, view, 26, 1));
    EXPECT_TRUE(judge.Met(42, 2, view, 50, 1));
    EXPECT_FALSE(judge.Met(42, 2, view, 71, 1));

    view.elevationDegrees = 80.0f;
    EXPECT_FALSE(judge.Met(50, 1, view, 0, 0));
    view.elevationDegrees = 81.0f;
    EXPECT_TRUE(judge.Met(50, 1, view, 0, 0));
    view.tipX = 0.3f;
    EXPECT_FALSE(judge.Met(51, 1, view, 0, 0)) << "the V key is not held";
    view.guideViewHeld = true;
    EXPECT_TRUE(judge.Met(51, 1, view, 0, 0));
    EXPECT_FALSE(judge.Met(51, 2, view, 70, 1));
    EXPECT_TRUE(judge.Met(51, 2, view, 71, 1));
}

TEST(SchoolTaskJudgeTest, TheAimLineRunsThroughTheCueBallAlongTheCamerasHorizontalView) {
    const quill::Vec3 eye{-100.0f, 0.0f, 80.0f};
    const quill::Vec3 target{0.0f, 0.0f, 0.0f};
    const quill::Vec3 cue{0.0f, 0.0f, 1.0f};
    EXPECT_TRUE(SchoolTaskJudge::IsBallInAimCone(eye, target, cue, {50.0f, 0.1f, 1.0f}));
    EXPECT_FALSE(SchoolTaskJudge::IsBallInAimCone(eye, target, cue, {50.0f, 0.3f, 1.0f}));
    EXPECT_TRUE(SchoolTaskJudge::IsBallInAimCone(eye, target, cue, {-50.0f, 0.1f, 1.0f})) << "behind counts too";
    EXPECT_FALSE(SchoolTaskJudge::IsBallInAimCone(target, target, cue, {50.0f, 0.0f, 1.0f})) << "no direction";

    SchoolTaskJudge judge;
    SchoolTableView view;
    view.solidInAimCone = true;
    EXPECT_FALSE(judge.Met(7, 1, view, 0, 0)) << "only in the Shift view at rest";
    view.freeOrbitIdle = true;
    EXPECT_TRUE(judge.Met(7, 1, view, 0, 0));
    EXPECT_FALSE(judge.Met(7, 2, view, 0, 0));
    view.stripeInAimCone = true;
    EXPECT_TRUE(judge.Met(7, 2, view, 0, 0));
}

}  // namespace
}  // namespace kestrovan::test
