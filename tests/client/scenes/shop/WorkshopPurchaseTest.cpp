// The purchase of a new personal cue in the shop on the headless online App: the six steps and their checks,
// points, parts and price by model, the hover panel, the confirmation's checks and request, the answer as the
// shop's ItemBuyResult; the parts catalogue viewer and the guide.
#include <gtest/gtest.h>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/gamedata/ItemCatalogue.h"
#include "client/scenes/common/InProgressDialog.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/shop/CuePartThumbnail.h"
#include "client/scenes/shop/CuePartsCatalogueWindow.h"
#include "client/scenes/shop/CuePartsGuideWindow.h"
#include "client/scenes/shop/CueWorkshop.h"
#include "client/scenes/shop/PersonalCueBuyWindow.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "tests/client/scenes/shop/ShopScreen.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;
using Bytes = std::vector<uint8_t>;
using Buy = PersonalCueBuyWindow;

class CuePurchase : public ShopScreen {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    // The program registers the stock models as it starts; the harness does not.
    CuePurchase() { TheItemModelCatalogue().AddStockModels(quill::TheCuePartCatalogue()); }

    PersonalCueBuyWindow& Window() { return scene->Workshop()->Purchase(); }
    bool OpenFor(uint32_t model) {
        const quill::ItemRecord* record = quill::TheItemCatalogue().FindById(model);
        return record != nullptr && scene->Workshop()->OpenPurchase(*record);
    }
    void Press(int32_t id) {
        Button button;
        button.SetId(id);
        Window().OnEvent(&button, 0, 0);
    }
    void PressTimes(int32_t id, int times) {
        for (int n = 0; n < times; ++n) Press(id);
    }
    void ClickThumbnail(size_t type, size_t n) {
        Window().OnEvent(Window().Thumbnail(type, n)->GetButton(), 0, 0);
    }
    // Spends all points of the custom cue: 40, 40, 40, 30, 0.
    void SpendCustomPoints() {
        for (int32_t option = 0; option < 4; ++option) PressTimes(Buy::kFirstValueButton + 2 * option + 1, 40);
    }
};

TEST_F(CuePurchase, TheCustomCueWalksSixStepsWithPointsPartsAndPrice) {
    Activate();
    ASSERT_TRUE(OpenFor(3100));
    EXPECT_TRUE(Window().IsVisible());
    EXPECT_EQ(Window().Step(), 1);
    EXPECT_EQ(Window().TitleLabel()->GetText(), u"커스텀큐 설명");
    EXPECT_EQ(Window().DescriptionLine(4)->GetText(), u"파워 +20, 밸런스 100%");
    EXPECT_FALSE(Window().CatalogueButton()->IsVisible()) << "only the tuning cue has the viewer";
    EXPECT_EQ(Window().PartList(1).size(), 36u);
    EXPECT_EQ(Window().Chosen(), (CueParts{4, 20, 3, 3, 1})) << "the model's parts";
    EXPECT_EQ(Window().Price(), 22500) << "17,500 and the butt's 8,000 above 3,000";
    Press(Buy::kBack);
    EXPECT_EQ(Window().Step(), 1);

    Press(Buy::kNext);
    EXPECT_EQ(Window().PointsLeft(), 150);
    Press(Buy::kNext);
    EXPECT_EQ(Window().Step(), 2) << "points are left";
    EXPECT_EQ(Box().Line(0).GetText(), u"성능 포인트가 아직 남아 있습니다.");
    SpendCustomPoints();
    EXPECT_EQ(Window().Values(), (CueOptions{40, 40, 40, 30, 0}));
    Press(Buy::kNext);
    ASSERT_EQ(Window().Step(), 3);
    EXPECT_EQ(Window().PageStart(1), 21) << "the page that holds the chosen butt";
    EXPECT_TRUE(Window().Thumbnail(1, 0)->GetButton()->IsChecked());
    PressTimes(Buy::kSecondRowNext, 5);
    EXPECT_EQ(Window().PageStart(1), 33);
    ClickThumbnail(1, 3);  // butt 35, 15,000 cash
    EXPECT_EQ(Window().Chosen()[1], 35);
    EXPECT_EQ(Window().Price(), 29500);

    Window().OnEvent(Window().Thumbnail(1, 3)->GetButton(), Button::kEnterEvent, 0);
    EXPECT_TRUE(Window().HoverPanel()->IsVisible());
    EXPECT_EQ(Window().HoverName()->GetText(), u"butt 36 번");
    EXPECT_EQ(Window().HoverPrice()->GetText(), u"가격 : 15,000(캐시)");
    Window().OnEvent(Window().Thumbnail(1, 2)->GetButton(), Button::kLeaveEvent, 0);
    EXPECT_TRUE(Window().HoverPanel()->IsVisible()) << "another thumbnail's leave";
    Window().OnEvent(Window().Thumbnail(1, 3)->GetButton(), Button::kLeaveEvent, 0);
    EXPECT_FALSE(Window().HoverPanel()->IsVisible());

    PressTimes(Buy::kNext, 5);
    EXPECT_EQ(Window().Step(), 6);
    EXPECT_EQ(Window().PriceLabel()->GetText(), u"29,500  (캐시)");
    EXPECT_EQ(Window().AfterLabel()->GetText(), u"70,500");
    EXPECT_EQ(Window().SummaryPart(1)->GetText(), u"36 번");
    EXPECT_EQ(Window().SummaryOption(1)->GetText(), u"100%");

    Press(Buy::kBuy);
    EXPECT_EQ(Box().Title().GetText(), u"Purchase");
    scene->OnMessage(quill::AppEventId::PersonalCueBuyConfirm, NoticeBox::kOkLeft, 0);
    EXPECT_TRUE(scene->InProgress()->IsVisible());
    ASSERT_EQ(Sent(MessageId::PersonalCueBuy).size(), 1u);
    const Bytes request = Sent(MessageId::PersonalCueBuy)[0];
    const Bytes tail(request.end() - 15, request.end());
    EXPECT_EQ(tail, (Bytes{40, 40, 40, 30, 0, 4, 0, 35, 0, 3, 0, 3, 0, 1, 0}));
    EXPECT_EQ(Bytes(request.begin() + 4, request.begin() + 12), (Bytes{0x1C, 0x0C, 0, 0, 0x40, 0x42, 0x0F, 0}));

    // The answer is the shop's ItemBuyResult of a personal cue.
    Receive(ShopAnswer(MessageId::ItemBuyResult, [](quill::Packet& p) {
        p.WriteU8(1).WriteU8(0).WriteI64(70500).WriteI64(50000).WriteU32(0).WriteU32(0);
        p.WriteI64(0x77).WriteU32(3100).WriteU8(0).WriteU8(0).WriteU32(1000000).WriteWString(u"New cue");
        for (uint16_t v : {4, 35, 3, 3, 1}) p.WriteU16(v);
        for (uint8_t v : {40, 40, 40, 30, 0}) p.WriteU8(v);
    }));
    EXPECT_FALSE(Window().IsVisible());
    EXPECT_FALSE(scene->InProgress()->IsVisible());
    const std::optional<quill::InventoryItem> cue = scene->FindOwned(0x77);
    ASSERT_TRUE(cue.has_value());
    EXPECT_TRUE(CueRules::IsPersonalCue(*cue));
    EXPECT_EQ(CueRules::NameOf(*cue), u"New cue");
}

TEST_F(CuePurchase, ConfirmationChecksInventoryCueCountAndCash) {
    for (uint32_t key = 1; key <= 4; ++key) {
        quill::InventoryItem& cue = Own(key, 3101, 1);
        cue.customFlag = 1;
    }
    Activate();
    ASSERT_TRUE(OpenFor(3100));
    Press(Buy::kBuy);
    EXPECT_EQ(Box().Line(0).GetText(), u"개인큐는 4개 까지만 보유 가능합니다.");
    Connection().FreeItem(Connection().LocalPlayer().RemoveItem(4, 0));
    Connection().LocalPlayer().money = 22499;
    Press(Buy::kBuy);
    EXPECT_EQ(Box().Line(0).GetText(), u"캐시가 부족합니다.") << "three cues pass; the price is 22,500";
    Connection().LocalPlayer().money = 22500;
    Press(Buy::kBuy);
    EXPECT_EQ(Box().Title().GetText(), u"Purchase");
    for (uint32_t key = 10; key < 105; ++key) Own(key, 4901, 5);
    Press(Buy::kBuy);
    EXPECT_EQ(Box().Line(0).GetText(), u"아이템을 더 이상 구입할 수 없습니다.");
    EXPECT_TRUE(Sent(MessageId::PersonalCueBuy).empty());
}

TEST_F(CuePurchase, TheTuningCueOffersAFewPartsTenPointsAnOptionAndTheViewer) {
    Activate();
    ASSERT_TRUE(OpenFor(3104));
    EXPECT_FALSE(OpenFor(3101)) << "no other tuning cue is sold this way";
    EXPECT_EQ(Window().TitleLabel()->GetText(), u"튜닝큐 설명");
    EXPECT_EQ(Window().PartList(0), (std::vector<uint16_t>{0, 1}));
    EXPECT_EQ(Window().PartList(1), (std::vector<uint16_t>{0, 1}));
    EXPECT_EQ(Window().PartList(4), (std::vector<uint16_t>{0}));
    EXPECT_TRUE(Window().CatalogueButton()->IsVisible());
    Press(Buy::kNext);
    PressTimes(Buy::kFirstValueButton + 1, 11);
    EXPECT_EQ(Window().Values()[0], 10);
    EXPECT_EQ(Window().PointsLeft(), 10);

    Press(Buy::kBack);
    Press(Buy::kCatalogue);
    CuePartsCatalogueWindow& viewer = scene->Workshop()->Catalogue();
    EXPECT_TRUE(viewer.IsVisible());
    EXPECT_EQ(viewer.NameLabel()->GetText(), u"shaft 1");
    EXPECT_EQ(viewer.Chosen(), CueParts{}) << "part 1 of every type, whatever was chosen";
    EXPECT_EQ(viewer.PriceLabel()->GetText(), u"10,000 (Gold)");
    EXPECT_TRUE(viewer.FunctionLabel(0)->GetText().starts_with(u"squirt limit ")) << "the viewer's English wording";
    Button tab;
    tab.SetId(CuePartBrowser::kFirstTab + 3);
    viewer.OnEvent(&tab, 0, 0);
    viewer.OnEvent(viewer.Thumbnail(0)->GetButton(), 0, 0);
    Button next;
    next.SetId(CuePartBrowser::kNextPage);
    viewer.OnEvent(&next, 0, 0);
    viewer.OnEvent(viewer.Thumbnail(2)->GetButton(), 0, 0);  // bumper 7: restores 100
    EXPECT_EQ(viewer.FunctionLabel(0)->GetText(), u"총내구도 100 복원");
    EXPECT_EQ(viewer.PriceLabel()->GetText(), u"7,000 (Cash)");

    Press(Buy::kGuide);
    app.DrainPostedEvents();
    EXPECT_TRUE(scene->Workshop()->Guide().IsVisible());
}

}  // namespace
}  // namespace kestrovan::test
