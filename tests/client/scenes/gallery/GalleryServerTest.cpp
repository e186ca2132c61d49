// The gallery against the stand-in game server's gallery script, through the connection's dispatch thread:
// a vote answered with each ShotVoteResult code, a notice the server pushes, and a profile asked for over the
// gallery.
#include <gtest/gtest.h>

#include "QuillLib/net/MessageId.h"
#include "client/app/ProfilePopup.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/community/ProfileWindow.h"
#include "client/scenes/gallery/GalleryRecommendDialog.h"
#include "client/scenes/gallery/GalleryReplies.h"
#include "client/scenes/gallery/GalleryShotDialog.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/TextLabel.h"
#include "tests/client/scenes/gallery/GalleryScreen.h"
#include "tests/support/net/GameServerScripts.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;

class GalleryServer : public GalleryScreen {
protected:
    GalleryServer() : GalleryScreen(true) {}
    void Vote() {
        const quill::ScopedLock turn = MainThreadTurn();
        GalleryRecommendDialog& recommend = *scene->ShotDialog()->RecommendDialog();
        recommend.SetShotNumber(88);
        recommend.SetStickers(9);
        recommend.SetVisible(true);
        recommend.CommentBox()->SetText(u"nice one");
        recommend.OnEvent(recommend.OkButton(), 1, 0);
    }
};

TEST_F(GalleryServer, EachVoteResultShowsItsTextAndTheShotIsFetchedAgain) {
    ASSERT_TRUE(connected);
    Site().Reply(kGalleryShotPath, Reply({"1", "shooter", "t", "s", "3", "00", "0"}));
    Activate();
    {
        const quill::ScopedLock turn = MainThreadTurn();
        scene->OpenShot(88);
    }
    GameFrame();
    struct Case {
        uint8_t code;
        const char16_t* text;
    };
    for (const Case& c : {Case{0, u"한표 던졌습니다."}, Case{1, u"추천 스티커가 부족합니다."}, Case{9, u"DB error."}}) {
        kvtest::GalleryScript script;
        script.voteResult = c.code;
        kvtest::InstallGalleryScript(server, script);
        Vote();
        ASSERT_TRUE(Eventually([&] { return Box().IsVisible(); })) << static_cast<int>(c.code);
        EXPECT_EQ(Box().Line(0).GetText(), c.text);
        EXPECT_TRUE(scene->ShotDialog()->IsFetchPending()) << "the reply shows with a frame of the game thread";
        GameFrame();
        EXPECT_EQ(Site().Requests().back().body, "shot_seq=88");
        const quill::ScopedLock turn = MainThreadTurn();
        Box().SetVisible(false);
    }
}

TEST_F(GalleryServer, PushedNoticesAndProfilesAskedForReachTheGallery) {
    ASSERT_TRUE(connected);
    kvtest::InstallGalleryScript(server);
    Activate();
    server.Send(kvtest::SystemNoticeMessage(u"Maintenance at noon"));
    ASSERT_TRUE(Eventually([&] { return scene->NoticeCount() == 1; }));
    EXPECT_EQ(scene->NoticeLines().back().text, u"Maintenance at noon");
    EXPECT_EQ(scene->NoticeLines().back().colour, kRed);

    ConnectionRequestSender sender(*app.Connection());
    ASSERT_TRUE(sender.Send([](quill::Packet& request) {
        request.Init(MessageId::UserInfoRequest).WriteU8(0).WriteI64(1005).WriteWString(u"Seeker");
    }));
    auto* profile = dynamic_cast<ProfileWindow*>(app.Scenes().GetProfilePopup());
    ASSERT_NE(profile, nullptr);
    ASSERT_TRUE(Eventually([&] {
        profile->ShowPending();
        return profile->IsVisible();
    }));
    EXPECT_EQ(profile->GetParent(), scene);
}

}  // namespace
}  // namespace kestrovan::test
