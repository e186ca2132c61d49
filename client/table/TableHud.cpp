#include "client/table/TableHud.h"

#include <algorithm>

#include "QuillLib/core/Format.h"
#include "client/table/HudDial.h"
#include "client/table/TruncateToInt.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/Rand.h"

namespace kestrovan {
namespace {


constexpr int32_t kBarBottom = 180;
constexpr int32_t kBarHeight = 120;
constexpr int32_t kPocketIconStep = 26;
constexpr int32_t kFirstPocketIconX = 16;
constexpr int32_t kWideScreen = 1280;
constexpr uint32_t kPowerLabelStyle = 1;

}  // namespace

TableHud::TableHud(std::function<int()> random) : random_(std::move(random)) {
    Build();
}

TableHud::~TableHud() = default;

Panel* TableHud::AddPanel(Part part, Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t atlasX,
                          int32_t atlasY) {
    Panel* panel = parent.CreatePanel(x, y, w, h, kAtlasTexture, atlasX, atlasY);
    parts_[part] = panel;
    return panel;
}

void TableHud::AddImage(Part part, Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t atlasX,
                        int32_t atlasY) {
    parts_[part] = parent.CreateImage(x, y, w, h, kAtlasTexture, atlasX, atlasY);
}

void TableHud::AddLabel(Part part, Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h) {
    parts_[part] = parent.CreateTextLabel(x, y, w, h, nullptr, 0, 0);
}

void TableHud::AddDial(Widget& parent) {
    auto dial = std::make_unique<HudDial>();
    dial->Create(22, 49, 112, 10, -1, -1);
    dial->SetImage(kAtlasTexture, 352, 555, -1, -1, 0.5f, 0.5f);
    dial->SetPivot(0.0f, 5.0f);
    parts_[kOverlayBar] = parent.AddChild(std::move(dial), true);
}

void TableHud::Build() {
    root_ = std::make_unique<Panel>();
    root_->Create(0, 0, 1, 1, -1, -1);

    // Opacity is set before the children come, so that it stays the panel's own.
    Panel* power = AddPanel(kPowerPanel, *root_, 4, 255, 50, 200, 549, 70);
    power->SetAlpha(0.5f);
    power->SetAnchor(AnchorMode::Left, 6, AnchorMode::Bottom, -490);
    AddImage(kPowerBar, *power, 3, 0, 44, 120, 599, 150);
    AddImage(kDeviationBar, *power, 3, 0, 12, 240, 564, 487);
    AddLabel(kPowerLabel, *power, 0, 202, 50, 20);
    Label(kPowerLabel)->AddStyle(kPowerLabelStyle, 0, 0);
    GetWidget(kPowerLabel).Show(false);

    Panel* cueBall = AddPanel(kCueBallPanel, *root_, 4, 295, 42, 121, 480, 487);
    cueBall->SetAlpha(0.7f);
    cueBall->SetAnchor(AnchorMode::HCentre, 20, AnchorMode::VCentre, 0);
    cueBall->Show(false);
    AddImage(kCueBallGauge, *cueBall, 6, 0, 35, 80, 517, 487);
    AddImage(kCueBallMarker, *cueBall, 0, 0, 35, 3, 480, 608);
    AddLabel(kCueBallValue, *cueBall, 38, 0, 40, 18);

    Panel* strip = AddPanel(kPocketStrip, *root_, 0, 0, 396, 32, 596, 992);
    strip->SetAnchor(AnchorMode::HCentre, 0, AnchorMode::Bottom, -52);
    for (int32_t i = 0; i < kPocketIconCount; ++i) {
        AddImage(static_cast<Part>(kFirstPocketIcon + i), *strip, kPocketIconStep * i, 0, 26, 26,
                 602 + kPocketIconStep * i, 966);
    }

    Panel* overlay = AddPanel(kOverlayPanel, *root_, 2, 100, 82, 80, 352, 565);
    overlay->SetAlpha(0.8f);
    overlay->SetAnchor(AnchorMode::HCentre, 50, AnchorMode::Bottom, -110);
    overlay->Show(false);
    AddDial(*overlay);

    AddImage(kAimCursor, *root_, 0, 0, 32, 32, 992, 992);
    GetWidget(kAimCursor).Show(false);
}

TextLabel* TableHud::Label(int32_t part) const {
    return static_cast<TextLabel*>(parts_[static_cast<size_t>(part)]);
}

HudDial& TableHud::Dial() const {
    return static_cast<HudDial&>(GetWidget(kOverlayBar));
}

void TableHud::LayoutHud(int32_t width, int32_t height) {
    root_->SetRect(0, 0, width, height);
    root_->ApplyChildAnchors(width, height);
    // The strip's rectangle is inclusive: right - left is one less than its width.
    Widget& strip = GetWidget(kPocketStrip);
    const WidgetRect rect = strip.GetRect();
    strip.SetPosition((width - (rect.right - rect.left)) / 2,
                      height - (rect.bottom - rect.top) - (width >= kWideScreen ? 10 : 0));
}

void TableHud::SetHudBottomOffset(int32_t offset) {
    GetWidget(kPowerPanel).SetAnchor(AnchorMode::Left, 6, AnchorMode::Bottom, offset);
}

void TableHud::Place(int32_t part, int32_t x, int32_t y) {
    if (part >= 0 && part < kPartCount) {
        GetWidget(part).SetPosition(x, y);
    }
}

void TableHud::SetText(int32_t part, quill::WStringView text) {
    if (part == kPowerLabel || part == kCueBallValue) {
        Label(part)->SetText(text);
    }
}

void TableHud::SetRotation(int32_t part, float radians) {
    if (part == kOverlayBar) {
        Dial().SetRotation(radians);
    }
}

void TableHud::SetVisible(int32_t part, bool visible) {
    if (part >= 0 && part < kPartCount) {
        GetWidget(part).Show(visible);
    }
}

bool TableHud::LoadGraphics(uint32_t arg) {
    return root_->LoadGraphics(arg);
}

void TableHud::Draw() {
    root_->UpdateTree();
}

void TableHud::Resize(int32_t part, int32_t width, int32_t height) {
    GetWidget(part).SetSize(width - 1, height - 1);
}

int TableHud::Random() const {
    return random_ ? random_() : platform::Rand();
}

int32_t TableHud::PowerBarHeight(float p, bool tremble) const {
    if (!(p > 0.0f)) {
        return 0;
    }
    int32_t height = TruncateToInt32(p * 120.0f);
    const int32_t m = TruncateToInt32((p * 0.05f + 0.02f) * 200.0f);
    if (tremble && m > 0) {
        height = TruncateToInt32((static_cast<float>(Random() % m - m / 2) * 0.01f + p) * 120.0f);
    }
    // A tremble below an almost empty bar must not give it a negative height.
    return std::clamp(height, 0, kBarHeight);
}

void TableHud::UpdatePowerGauge(const PowerGaugeInputs& in) {
    const float p = in.shownPower;
    const int32_t bar = PowerBarHeight(p, in.powerDisplayMode == 0 && in.controlEnabled);
    Resize(kPowerBar, 44, bar);
    Place(kPowerBar, 3, kBarBottom - bar);

    int32_t deviation = 0;
    if (!in.strokeKeyHeld && !in.strokeFinishing) {
        deviation = std::max(TruncateToInt32((in.strokeDeviation + 1.0f) * p * 120.0f), 0);
    }
    Resize(kDeviationBar, 12, deviation);
    Place(kDeviationBar, 19, kBarBottom - deviation);

    const bool figures = in.powerDisplayMode == 1 || in.powerDisplayMode == 2 || in.showPowerFigures;
    if (in.aimFollowsCamera && figures) {
        UpdateCueBallPanel(in);
    }
}

void TableHud::UpdateCueBallPanel(const PowerGaugeInputs& in) {
    if (in.cueBall != nullptr) {
        Place(kCueBallPanel, TruncateToInt32(in.cueBall->screenX + 30.0f),
              TruncateToInt32(in.cueBall->screenY - 70.0f));
    }
    const float s = in.power;
    if (!(s > 0.0f)) {
        SetVisible(kCueBallMarker, false);
        SetVisible(kCueBallValue, false);
    } else {
        const int32_t level = TruncateToInt32(s * 100.0f);
        Place(kCueBallMarker, 8, 120 - level);
        SetVisible(kCueBallMarker, true);
        if (in.showPowerFigures) {
            Place(kCueBallValue, 44, 116 - level);
            Label(kCueBallValue)->SetTextF(u"%3.1f", s * 100.0f);
        }
    }
    const float p = in.shownPower;
    int32_t gauge = TruncateToInt32(p * 100.0f);
    const int32_t m = TruncateToInt32((p * 0.01f + 0.02f) * 200.0f);
    if (!in.showPowerFigures && m > 0) {
        gauge = TruncateToInt32((static_cast<float>(Random() % m - m / 2) * 0.01f + p) * 100.0f);
    }
    gauge = std::max(gauge, 0);
    Resize(kCueBallGauge, 42, gauge);
    GetWidget(kCueBallGauge).SetSourceRect(522, 607 - gauge, 42, gauge);
    Place(kCueBallGauge, 1, 122 - gauge);
}

void TableHud::SetAimCursor(TableHost* host, bool restore, bool warpBack, int32_t frame) {
    WidgetToolkit::CheckTreeAccess("TableHud::SetAimCursor");
    const platform::ThreadId caller = platform::CurrentThreadId();
    if (mainThreadId_ == platform::kNoThread) {
        mainThreadId_ = caller;
    }
    const bool onMainThread = caller == mainThreadId_;
    if (restore) {
        SetVisible(kAimCursor, false);
        if (!systemCursorShown_ && onMainThread && host != nullptr) {
            host->ShowCursor(true);
            host->SetMouseCapture(false);
            host->ClipCursorToWindow(false);
            systemCursorShown_ = true;
            if (warpBack) {
                host->SetCursorPosition(savedCursorX_, savedCursorY_);
            }
        }
        return;
    }
    int32_t x = 0;
    int32_t y = 0;
    if (host != nullptr) {
        host->GetCursorPosition(x, y);
        host->RecentreRelativeMouse();
        if (onMainThread && systemCursorShown_) {
            host->ShowCursor(false);
            savedCursorX_ = x;
            savedCursorY_ = y;
            host->SetMouseCapture(true);
            host->ClipCursorToWindow(true);
            systemCursorShown_ = false;
        }
    }
    Place(kAimCursor, x, y);
    GetWidget(kAimCursor).SetSourceRect(992, (32 - frame) * 32, 32, 32);
    SetVisible(kAimCursor, true);
}

void TableHud::ShowPocketedBalls(std::span<const uint8_t> ballFlags) {
    int32_t shown = 0;
    for (int32_t icon = 0; icon < kPocketIconCount; ++icon) {
        const auto ball = static_cast<size_t>(icon) + 1;
        const bool onTable = ball < ballFlags.size() && ballFlags[ball] == 0;
        const int32_t part = kFirstPocketIcon + icon;
        SetVisible(part, onTable);
        if (onTable) {
            Place(part, kFirstPocketIconX + kPocketIconStep * shown, 3);
            ++shown;
        }
    }
}

}  // namespace kestrovan
