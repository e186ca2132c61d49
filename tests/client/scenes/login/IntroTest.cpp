// The intro's timing and its screen: the two logos' fades over the background it drives, Escape, and the
// request of the login screen at the end.
#include <gtest/gtest.h>

#include "client/app/SceneId.h"
#include "client/scenes/login/SceneIntro.h"
#include "client/ui/Image.h"
#include "platform/window/MessageIds.h"
#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {
namespace {

// Runs the fade until its counter has reached count, returning the last step.
IntroFade::Step RunTo(IntroFade& fade, int32_t count) {
    IntroFade::Step step;
    while (fade.Counter() < count)
        step = fade.Advance();
    return step;
}

TEST(IntroFade, EachLogoFadesInHoldsAndFadesOutOverItsBackground) {
    IntroFade fade;
    IntroFade::Step step = fade.Advance();
    EXPECT_EQ(step.alpha, 0.0f);
    EXPECT_FALSE(step.background.has_value()) << "the first logo keeps the white of the activation";
    step = RunTo(fade, 151);
    EXPECT_FLOAT_EQ(step.alpha, 0.5f);
    step = RunTo(fade, 301);
    EXPECT_EQ(step.alpha, 1.0f);
    step = RunTo(fade, 400);
    EXPECT_EQ(step.alpha, 1.0f);
    step = RunTo(fade, 651);
    EXPECT_FLOAT_EQ(step.alpha, 0.5f);

    // The change: the second picture on a black background for one update.
    step = RunTo(fade, 800);
    EXPECT_TRUE(step.secondLogo);
    EXPECT_EQ(step.background, kBlack);
    EXPECT_NEAR(step.alpha, 1.0f / 300.0f, 1e-6f);
    step = fade.Advance();  // 800
    EXPECT_EQ(step.alpha, 0.0f);
    EXPECT_EQ(step.background, 0xFFFFFFFFu);
    step = RunTo(fade, 951);  // 950: half shown, half grey
    EXPECT_EQ(step.background, 0xFF7F7F7Fu);
    step = RunTo(fade, 1101);
    EXPECT_EQ(step.background, kBlack);
    step = RunTo(fade, 1600);
    EXPECT_FALSE(step.finished);
    EXPECT_TRUE(fade.Advance().finished);
}

TEST(IntroFade, EscapeShortensTheFirstLogoAndEndsTheSecond) {
    IntroFade fade;
    RunTo(fade, 100);
    EXPECT_FALSE(fade.Skip());
    EXPECT_TRUE(fade.Advance().secondLogo);
    RunTo(fade, 900);
    EXPECT_TRUE(fade.Skip()) << "the second logo is shown fully, then the intro ends";
    EXPECT_TRUE(fade.Advance().finished);
}

class SceneIntroTest : public SceneTestApp {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();
};

TEST_F(SceneIntroTest, RequestsTheLoginScreenAfter1600UpdatesOrSooner) {
    SceneIntro intro(app);
    intro.Init();
    const ScreenSize screen = app.GetScreenSize();
    ASSERT_NE(intro.Logo(), nullptr);
    EXPECT_EQ(intro.Logo()->GetRect().left, (screen.width - 350) / 2);
    EXPECT_EQ(intro.Logo()->GetRect().top, (screen.height - 200) / 2);
    intro.Activate();
    EXPECT_EQ(intro.Background(), 0xFFFFFFFFu);
    EXPECT_EQ(intro.Logo()->GetAlpha(), 0.0f);
    for (int i = 0; i < 800; ++i)
        intro.Update(0, 0, {});
    EXPECT_EQ(intro.Logo()->GetSourceRect().left, 572);
    EXPECT_EQ(intro.Logo()->Height(), 199);
    EXPECT_EQ(intro.Logo()->GetRect().top, (screen.height - 199) / 2);
    for (int i = 0; i < 800; ++i)
        intro.Update(0, 0, {});
    EXPECT_FALSE(intro.IsChangePending());
    intro.Update(0, 0, {});
    EXPECT_TRUE(intro.IsChangePending());
    EXPECT_EQ(intro.NextSceneId(), SceneId::Login);

    SceneIntro second(app);
    second.Init();
    second.Activate();
    second.Update(0, 0, {});
    // Escape is never reported as handled; twice ends the intro at the next update.
    EXPECT_EQ(second.OnMessage(platform::Msg::Char, 27, 0), 0);
    second.Update(0, 0, {});
    EXPECT_EQ(second.OnMessage(platform::Msg::Char, 27, 0), 0);
    EXPECT_EQ(second.Logo()->GetAlpha(), 1.0f);
    second.Update(0, 0, {});
    EXPECT_TRUE(second.IsChangePending());
}

TEST_F(SceneIntroTest, ALoadWithoutTheInterfacePackFails) {
    SceneIntro intro(app);
    intro.Init();
    EXPECT_EQ(intro.LoadResources(nullptr, nullptr), 1);
}

}  // namespace
}  // namespace kestrovan::test
