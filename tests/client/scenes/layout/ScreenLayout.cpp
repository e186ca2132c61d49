#include "tests/client/scenes/layout/ScreenLayout.h"

#include <gtest/gtest.h>

#include <iostream>
#include <memory>

#include "QuillLib/core/ScopedLock.h"
#include "client/app/MessengerPopup.h"
#include "client/app/ProfilePopup.h"
#include "client/app/SettingsPopup.h"
#include "client/app/SkillPopup.h"
#include "client/scenes/common/NoticeBox.h"
#include "tests/client/scenes/layout/SkinPictures.h"
#include "tests/support/scenes/WidgetLayoutWalk.h"

namespace kestrovan::test {

namespace {

using FaultKind = kvtest::LayoutFault::Kind;

constexpr uint32_t Of(FaultKind kind) { return 1u << static_cast<uint32_t>(kind); }
constexpr uint32_t kAnyKind = ~0u;

// Faults that follow from the layouts as they are specified, each with its reason; a fault is accepted when
// it is of one of the entry's kinds and its description holds the entry's text.
struct KnownFault {
    const char* match;
    uint32_t kinds;
    const char* reason;
};

constexpr KnownFault kKnownFaults[] = {
    // Windows shown alone here, as the program never shows them: without the data that places or chooses
    // their parts.
    {"ItemSelectWindow", Of(FaultKind::OffScreen), "slides in from the left edge as it opens: checked open on its own"},
    {"PurchaseGiftWindow", Of(FaultKind::OffScreen), "slides in from the left edge as it opens: checked open on its own"},
    // The layouts place these on or past the screen's edge.
    {"ChalkQuickSlot/", Of(FaultKind::OffScreen), "the chalk slot is anchored 4 pixels left of the screen"},
    {"SceneRoomGame/Button#16 ", Of(FaultKind::OffScreen), "Invite: 25 pixels high, anchored 24 above the bottom"},
    {"ItemQuickBar", Of(FaultKind::OffScreen), "the item bar anchored 32 above the bottom, its scroll bar below its 34 pixels"},
    {"SceneLogin/Window/EditBox", Of(FaultKind::OffScreen) | Of(FaultKind::FaceTooSmall),
     "the ID and password boxes, 166 wide at x 118 of the 235-wide login window"},
    {"SceneShop/Image (", Of(FaultKind::OffScreen),
     "the shop's background tiles cover the screen and beyond; its main panel is 693 high at y 77"},
    // The layouts place these texts past their widgets or over each other.
    {"SceneRoomGame/Image/TextLabel", Of(FaultKind::TextPastFrame), "the top bar's labels at y 24 of its 30 pixels"},
    // Texts the layouts size for the original font, which run wider in ours.
    {"Messenger/Panel/TextLabel '[", Of(FaultKind::TextPastFrame) | Of(FaultKind::FaceTooSmall), "the chat entry's length counter"},
    // Pictures whose rectangles the layouts place across another face of their texture.
    {"RankingChart/ScrollBar cuts", Of(FaultKind::CutAcrossFaces),
     "the chart's track, 286 high at (900, 400), runs through a window face's foot"},
    {"SceneLobby/Image cuts (0,0)-(476,165)", Of(FaultKind::CutAcrossFaces),
     "the chat panel takes its header strip from the lobby frame's top"},
    {"SceneLobby/Image cuts (0,165)-(242,447)", Of(FaultKind::CutAcrossFaces),
     "the user list's picture reaches 16 x 8 pixels into the room detail's"},
    {"/Image cuts (768,282)-(784,310)", Of(FaultKind::CutAcrossFaces),
     "the lobby lists' thumb, 28 high at (768, 282), ends on the join mark"},
    {"GalleryListDialog/Panel cuts (0,400)-(522,430)", Of(FaultKind::CutAcrossFaces),
     "the date strip takes the last rows of the list window's face"},
};

// The scene a screen draws behind its pictures (the table, the room, the lobby's backdrop), taken as one
// colour: the mid-dark of the lit cloth and wood.
constexpr uint32_t kScene = 0xFF404850;

const SkinPictures& Skin() {
    static const SkinPictures skin(KV_REGIONS_FILE);
    return skin;
}

template <size_t N>
const KnownFault* Find(const KnownFault (&list)[N], const kvtest::LayoutFault& fault) {
    for (const KnownFault& known : list) {
        if ((known.kinds & Of(fault.kind)) != 0 && fault.description.find(known.match) != std::string::npos) {
            return &known;
        }
    }
    return nullptr;
}

}  // namespace

void MeasureTextsAsDrawn(App& app, Widget& screen) {
    EXPECT_TRUE(app.InitRenderer()) << "the recording device";
    quill::ScopedLock tree(app.Scenes().WidgetTreeLock());
    screen.LoadGraphics(0);
}

void ScreenLayout::Judge(const Widget& root, const std::string& name) {
    const ScreenSize size = app_.GetScreenSize();
    const kvtest::LayoutBox screen{0, 0, size.width, size.height};
    const SkinPictures& skin = Skin();
    if (!skin.Error().empty()) unexpected_.push_back(skin.Error());
    const std::vector<kvtest::TextureFace>& faces = skin.Faces();
    const kvtest::TexelReader texels = skin.Texels();
    std::vector<kvtest::LayoutFault> faults;
    const std::vector<kvtest::LayoutItem> items = kvtest::WithPaintedCaptions(WalkWidgetTree(root), faces, faults);
    const auto add = [&faults](std::vector<kvtest::LayoutFault> more) {
        for (kvtest::LayoutFault& fault : more) faults.push_back(std::move(fault));
    };
    add(kvtest::FindLayoutFaults(items, screen));
    add(kvtest::FindCutFaults(items, faces));
    add(kvtest::FindCovered(items, texels));
    add(kvtest::FindLowContrast(items, texels, kScene));
    add(kvtest::FindUncaptioned(items, faces));
    add(kvtest::FindFaceFaults(items, faces, texels));
    for (const kvtest::LayoutFault& fault : faults) {
        const std::string line = name + ": " + fault.description;
        if (const KnownFault* known = Find(kKnownFaults, fault)) {
            std::cout << "[layout] known: " << line << " (" << known->reason << ")\n";
        } else {
            std::cout << "[layout] FAULT: " << line << "\n";
            unexpected_.push_back(line);
        }
    }
}

void ScreenLayout::CheckScreen(Widget& screen, const std::string& name) {
    quill::ScopedLock tree(app_.Scenes().WidgetTreeLock());
    Judge(screen, name);
    for (Widget* child : screen.GetChildren()) {
        if (child->GetKind() == WidgetKind::Window && !child->IsVisible()) CheckWindow(*child, name);
    }
}

void ScreenLayout::CheckWindow(Widget& window, const std::string& name) {
    quill::ScopedLock tree(app_.Scenes().WidgetTreeLock());
    window.SetVisible(true);
    Judge(window, name);
    window.SetVisible(false);
}

void ScreenLayout::CheckShown(Widget& window, const std::string& name) {
    quill::ScopedLock tree(app_.Scenes().WidgetTreeLock());
    Judge(window, name);
}

void ScreenLayout::CheckSharedPopups(Widget& screen) {
    SceneManager& scenes = app_.Scenes();
    scenes.ShowErrorBox(&screen, u"The connection to the server was lost while the room was being created.",
                        u"Please check your network and try again in a moment.");
    if (NoticeBox* box = scenes.GetMessageBox()) {
        CheckWindow(*box, "error box");
    }
    const std::pair<Widget*, const char*> popups[] = {
        {dynamic_cast<Widget*>(scenes.GetMessenger()), "messenger"},
        {dynamic_cast<Widget*>(scenes.GetProfilePopup()), "profile"},
        {dynamic_cast<Widget*>(scenes.GetSettingsDialog()), "settings"},
        {dynamic_cast<Widget*>(scenes.GetSkillPopup()), "my info"}};
    for (const auto& [popup, name] : popups) {
        if (popup != nullptr) CheckWindow(*popup, name);
    }
    if (Widget* settings = popups[2].first) CheckLaterPages(*settings, "settings");
}

void ScreenLayout::CheckLaterPages(Widget& dialog, const std::string& name) {
    constexpr int32_t kFirstTab = 5;
    constexpr int32_t kPages = 4;
    for (int32_t page = 1; page < kPages; ++page) {
        for (Widget* child : dialog.GetChildren()) {
            if (child->GetId() != kFirstTab + page) continue;
            dialog.OnEvent(child, 1, 0);
            CheckWindow(dialog, name + " page " + std::to_string(page + 1));
        }
    }
}

std::string ScreenLayout::Unexpected() const {
    std::string lines;
    for (const std::string& line : unexpected_) lines += line + "\n";
    return lines;
}

}  // namespace kestrovan::test
