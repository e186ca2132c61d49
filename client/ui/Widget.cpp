#include "client/ui/Widget.h"

#include <algorithm>

#include "client/ui/AnimatedImage.h"
#include "client/ui/Button.h"
#include "client/ui/ComboBox.h"
#include "client/ui/Image.h"
#include "client/ui/Panel.h"
#include "client/ui/TextLabel.h"
#include "client/ui/Tooltip.h"
#include "client/ui/UiServices.h"
#include "client/ui/WidgetRenderer.h"
#include "client/ui/WidgetResources.h"
#include "client/ui/WidgetSprite.h"
#include "client/ui/WidgetToolkit.h"
#include "client/ui/WidgetTexture.h"
#include "client/ui/Window.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"

namespace kestrovan {

namespace Msg = platform::Msg;

namespace {

constexpr int32_t kTooltipOffsetX = 16;
constexpr int32_t kTooltipOffsetY = 22;

bool IsButtonDown(uint32_t msg) { return msg == Msg::LButtonDown || msg == Msg::RButtonDown; }

bool IsKeyMessage(uint32_t msg) { return msg >= Msg::KeyDown && msg <= Msg::Char; }

}  // namespace

Widget::Widget() = default;

Widget::~Widget() {
    if (WidgetToolkit* toolkit = WidgetToolkit::Current()) {
        toolkit->Forget(*this);
    }
    if (parent_ != nullptr) {
        parent_->ForgetChild(this);
    }
    // Children that outlive this widget must not point back at it.
    for (Widget* child : children_) {
        child->parent_ = nullptr;
    }
    children_.clear();
    owned_.clear();
}

// --- Virtual operations -------------------------------------------------------------------------------------

void Widget::OnResize(int32_t, int32_t) {}

void Widget::OnLoad(uint32_t, const quill::SharedPtr<WidgetTexture>& texture) {
    if (!texture || !sprite_) {
        return;
    }
    sprite_->SetPosition(static_cast<float>(rect_.left), static_cast<float>(rect_.top));
    sprite_->SetSourceRect(frameRect_);
    sprite_->SetScale(scaleX_, scaleY_);
    sprite_->SetTexture(texture);
}

void Widget::OnMove() {}

Widget* Widget::GetParent() const { return parent_; }

void Widget::SetState(int32_t state) { state_ = state; }

void Widget::EndHoverAndPress() {
    if (state_ == WidgetState::Hover || state_ == WidgetState::Pressed) {
        SetState(WidgetState::Normal);
    }
}

void Widget::Update() {
    if (!visible_ || !sprite_) {
        return;
    }
    sprite_->Draw(WidgetToolkit::Get().Renderer(), updateArg_);
}

void Widget::UpdateTree() {
    if (!visible_ || !UiUpdateEnabled()) {
        return;
    }
    Update();
    UpdateChildren();
}

bool Widget::OnMouse(uint32_t, WParam, LParam) { return false; }

bool Widget::OnKey(uint32_t, WParam, LParam) { return false; }

void Widget::BringChildToFront(Widget*) {}

bool Widget::OnEvent(Widget* source, int32_t a, int32_t b) {
    return parent_ != nullptr && parent_->OnEvent(source, a, b);
}

void Widget::OnShow() {}

void Widget::OnHide() {}

void Widget::Tick(uint32_t) {}

void Widget::OnEnable(bool) {}

void Widget::ReleaseFocus() {}

void Widget::SetTooltip(platform::WStringView text) {
    tooltip_ = platform::WString(text);
    hasTooltip_ = !tooltip_.empty();
}

void Widget::SetVisible(bool visible) {
    CheckTreeAccess("SetVisible");
    previousVisible_ = visible_;
    RefreshSubtree(visible);
    visible_ = visible;
    AfterVisibilityChange(visible);
}

void Widget::Create(int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t value) {
    rect_ = WidgetRect::FromSize(x, y, w, h);
    id_ = id;
    value_ = value;
    CreateSprite();
}

// --- Tree ---------------------------------------------------------------------------------------------------

Widget* Widget::AddChild(std::unique_ptr<Widget> child, bool visible) {
    Widget* raw = child.get();
    if (raw == nullptr || raw == this) {
        return nullptr;
    }
    AddChild(raw, visible);
    owned_.push_back(std::move(child));
    return raw;
}

void Widget::AddChild(Widget* child, bool visible) {
    CheckTreeAccess("AddChild");
    if (child == nullptr || child == this || child->parent_ == this) {
        return;
    }
    std::unique_ptr<Widget> ownership;
    if (child->parent_ != nullptr) {
        ownership = child->parent_->RemoveChild(child);
    }
    child->parent_ = this;
    child->Offset(rect_.left, rect_.top);
    children_.push_back(child);
    if (ownership) {
        owned_.push_back(std::move(ownership));
    }
    child->Show(visible);
}

std::unique_ptr<Widget> Widget::RemoveChild(Widget* child) {
    CheckTreeAccess("RemoveChild");
    const auto linked = std::find(children_.begin(), children_.end(), child);
    if (linked == children_.end()) {
        return nullptr;
    }
    children_.erase(linked);
    child->parent_ = nullptr;
    const auto owned = FindOwned(child);
    if (owned == owned_.end()) {
        return nullptr;
    }
    std::unique_ptr<Widget> ownership = std::move(*owned);
    owned_.erase(owned);
    return ownership;
}

void Widget::ForgetChild(Widget* child) {
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
    const auto owned = FindOwned(child);
    if (owned != owned_.end()) {
        // Someone else is destroying it already: let go without deleting.
        static_cast<void>(owned->release());
        owned_.erase(owned);
    }
}

bool Widget::MoveChildToEnd(Widget* child) {
    const auto linked = std::find(children_.begin(), children_.end(), child);
    if (linked == children_.end()) {
        return false;
    }
    std::rotate(linked, linked + 1, children_.end());
    return true;
}

std::vector<Widget*> Widget::GetChildren() const {
    return children_;
}

std::vector<std::unique_ptr<Widget>>::iterator Widget::FindOwned(const Widget* child) {
    return std::find_if(owned_.begin(), owned_.end(), [child](const auto& owned) { return owned.get() == child; });
}

bool Widget::IsAutoDelete() const {
    if (parent_ == nullptr) {
        return false;
    }
    return parent_->FindOwned(this) != parent_->owned_.end();
}

// --- Geometry -----------------------------------------------------------------------------------------------

WidgetRect Widget::GetRect() const {
    return rect_;
}

WidgetRect Widget::GetSourceRect() const {
    return sourceRect_;
}

WidgetRect Widget::GetFrameRect() const {
    return frameRect_;
}

WidgetRect Widget::GetSecondRect() const { return secondRect_; }

int32_t Widget::Width() const { return rect_.Width(); }

int32_t Widget::Height() const { return rect_.Height(); }

void Widget::SetRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    rect_ = WidgetRect::FromSize(x, y, w, h);
}

void Widget::SetSecondRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    secondRect_ = WidgetRect::FromSize(x, y, w, h);
}

void Widget::MoveSprite() {
    if (sprite_) {
        sprite_->SetPosition(static_cast<float>(rect_.left), static_cast<float>(rect_.top));
    }
}

void Widget::Offset(int32_t dx, int32_t dy) {
    CheckTreeAccess("Offset");
    rect_.Offset(dx, dy);
    MoveSprite();
    for (Widget* child : children_) {
        child->Offset(dx, dy);
    }
}

void Widget::SetPosition(int32_t x, int32_t y) {
    CheckTreeAccess("SetPosition");
    const int32_t originX = parent_ != nullptr ? parent_->rect_.left : 0;
    const int32_t originY = parent_ != nullptr ? parent_->rect_.top : 0;
    const int32_t dx = originX + x - rect_.left;
    const int32_t dy = originY + y - rect_.top;
    rect_.Offset(dx, dy);
    MoveSprite();
    OnMove();
    for (Widget* child : children_) {
        child->Offset(dx, dy);
    }
}

void Widget::SetSize(int32_t w, int32_t h) {
    rect_.right = rect_.left + w;
    rect_.bottom = rect_.top + h;
    sourceRect_.right = sourceRect_.left + w;
    sourceRect_.bottom = sourceRect_.top + h;
    frameRect_ = sourceRect_;
    if (sprite_) {
        sprite_->SetSourceRect(frameRect_);
    }
    OnResize(w, h);
}

void Widget::SetSourceRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    sourceRect_ = WidgetRect::FromSize(x, y, w == -1 ? rect_.Width() : w, h == -1 ? rect_.Height() : h);
    frameRect_ = sourceRect_;
    if (sprite_) {
        sprite_->SetSourceRect(frameRect_);
    }
}

void Widget::SetFrameRect(const WidgetRect& frame) {
    frameRect_ = frame;
    if (sprite_) {
        sprite_->SetSourceRect(frameRect_);
    }
}

void Widget::SetImage(int32_t textureId, int32_t srcX, int32_t srcY, int32_t w, int32_t h, float scaleX,
                      float scaleY) {
    texture_.reset();
    textureId_ = textureId;
    if (sprite_) {
        explicitImage_ = true;
        SetSourceRect(srcX, srcY, w, h);
    }
    SetScale(scaleX, scaleY);
}

void Widget::SetScale(float scaleX, float scaleY) {
    scaleX_ = scaleX;
    scaleY_ = scaleY;
    if (sprite_) {
        sprite_->SetScale(scaleX, scaleY);
    }
}

void Widget::SetAnchor(int32_t hMode, int32_t hOffset, int32_t vMode, int32_t vOffset) {
    if (hMode == AnchorMode::Left || hMode == AnchorMode::Right || hMode == AnchorMode::HCentre) {
        anchor_.left = hMode == AnchorMode::Left;
        anchor_.right = hMode == AnchorMode::Right;
        anchor_.hCentre = hMode == AnchorMode::HCentre;
        anchor_.hOffset = hOffset;
    }
    if (vMode == AnchorMode::Top || vMode == AnchorMode::Bottom || vMode == AnchorMode::VCentre) {
        anchor_.top = vMode == AnchorMode::Top;
        anchor_.bottom = vMode == AnchorMode::Bottom;
        anchor_.vCentre = vMode == AnchorMode::VCentre;
        anchor_.vOffset = vOffset;
    }
    const UiServices& services = WidgetToolkit::Get().Services();
    ApplyAnchor(services.GetScreenWidth(), services.GetScreenHeight());
}

// Each rule places one coordinate and keeps the other where it is relative to the parent; the rules run in
// a fixed order, so with two horizontal flags set the later one wins.
void Widget::ApplyAnchor(int32_t screenWidth, int32_t screenHeight) {
    const Anchor& a = anchor_;
    if (!(a.left || a.right || a.top || a.bottom || a.hCentre || a.vCentre)) {
        return;
    }
    const auto placeX = [this](int32_t x) {
        SetPosition(x, rect_.top - (parent_ != nullptr ? parent_->rect_.top : 0));
    };
    const auto placeY = [this](int32_t y) {
        SetPosition(rect_.left - (parent_ != nullptr ? parent_->rect_.left : 0), y);
    };
    if (a.left) {
        placeX(a.hOffset);
    }
    if (a.right) {
        placeX(a.hOffset + screenWidth);
    }
    if (a.top) {
        placeY(a.vOffset);
    }
    if (a.bottom) {
        placeY(a.vOffset + screenHeight);
    }
    if (a.hCentre) {
        placeX((screenWidth - Width()) / 2 + a.hOffset);
    }
    if (a.vCentre) {
        placeY((screenHeight - Height()) / 2 + a.vOffset);
    }
}

void Widget::ApplyChildAnchors(int32_t screenWidth, int32_t screenHeight) {
    for (Widget* child : children_) {
        child->ApplyAnchor(screenWidth, screenHeight);
    }
}

// --- Visibility and state -----------------------------------------------------------------------------------

void Widget::RefreshSubtree(bool showing) {
    SetState(state_);
    for (size_t i = 0; i < children_.size(); ++i) {
        if (children_[i]->visible_) {
            children_[i]->RefreshSubtree(showing);
        }
    }
    if (showing) {
        OnShow();
    } else {
        OnHide();
    }
}

void Widget::AfterVisibilityChange(bool visible) {
    if (!visible) {
        WidgetToolkit::Get().ForgetHidden(*this);
    } else if (kind_ == WidgetKind::Window && parent_ != nullptr) {
        parent_->BringChildToFront(this);
    }
}

void Widget::Show(bool visible) {
    CheckTreeAccess("Show");
    visible_ = visible;
    AfterVisibilityChange(visible);
}

void Widget::SetEnabled(bool enabled) {
    CheckTreeAccess("SetEnabled");
    enabled_ = enabled;
    SetState(enabled ? WidgetState::Normal : WidgetState::Disabled);
    OnEnable(enabled);
}

void Widget::RefreshState() { SetState(state_); }

void Widget::SetAlpha(float alpha) {
    if (sprite_) {
        sprite_->SetOpacity(alpha);
    }
    for (Widget* child : children_) {
        child->SetAlpha(alpha);
    }
}

float Widget::GetAlpha() const {
    return sprite_ ? sprite_->GetOpacity() : 1.0f;
}

void Widget::NotifyParent(int32_t code) {
    if (parent_ != nullptr) {
        parent_->OnEvent(this, code, 0);
    }
}

// --- Graphics and time --------------------------------------------------------------------------------------

void Widget::CreateSprite() {
    sprite_ = std::make_unique<WidgetSprite>();
    sprite_->SetPosition(static_cast<float>(rect_.left), static_cast<float>(rect_.top));
    sourceRect_ = WidgetRect::FromSize(0, 0, rect_.Width(), rect_.Height());
    frameRect_ = sourceRect_;
    sprite_->SetSourceRect(frameRect_);
}

bool Widget::LoadGraphics(uint32_t arg) {
    updateArg_ = arg;
    const bool wanted = textureId_ != WidgetResources::kNoTexture && (explicitImage_ || !texture_);
    if (wanted) {
        texture_ = WidgetToolkit::Get().Resources().GetTextureById(textureId_);
    }
    OnLoad(arg, texture_);
    for (size_t i = 0; i < children_.size(); ++i) {
        children_[i]->LoadGraphics(arg);
    }
    return true;
}

void Widget::TickTree(uint32_t now) {
    if (!visible_) {
        return;
    }
    Tick(now);
    for (size_t i = 0; i < children_.size(); ++i) {
        children_[i]->TickTree(now);
    }
}

void Widget::ReleaseTexture() {
    texture_.reset();
}

bool Widget::GetSpriteState(WidgetSprite& out) const {
    if (!sprite_) {
        return false;
    }
    out = *sprite_;
    return true;
}

void Widget::CheckTreeAccess(const char* entry) {
#ifndef NDEBUG
    if (WidgetToolkit* toolkit = WidgetToolkit::Current()) {
        toolkit->Services().CheckWidgetTreeAccess(entry);
    }
#else
    static_cast<void>(entry);
#endif
}

bool Widget::UiUpdateEnabled() { return WidgetToolkit::Get().Services().IsUiUpdateEnabled(); }

void Widget::UpdateChildren() {
    Widget* exclusive = WidgetToolkit::Get().GetExclusiveWidget();
    for (size_t i = 0; i < children_.size(); ++i) {
        if (children_[i] != exclusive) {
            children_[i]->UpdateTree();
        }
    }
}

// --- Input routing ------------------------------------------------------------------------------------------

// The caller holds the widget-tree lock, which keeps routing apart from the frame's drawing and from every
// other thread's change of the tree.
bool Widget::RouteMessage(uint32_t msg, WParam wParam, LParam lParam) {
    WidgetToolkit::Get().Services().CheckWidgetTreeAccess("RouteMessage");
    if (msg == Msg::KeyDown && platform::ReadKeyLParam(lParam).wasDown) {
        return RouteKeyRepeat(wParam, lParam);
    }
    if (msg == Msg::KeyUp && ReleaseHeldKey(wParam, lParam)) {
        return true;
    }
    return RouteTarget().DispatchMessage(msg, wParam, lParam);
}

Widget& Widget::RouteTarget() {
    WidgetToolkit& toolkit = WidgetToolkit::Get();
    if (Widget* exclusive = toolkit.GetExclusiveWidget()) {
        return *exclusive;
    }
    auto* window = dynamic_cast<Window*>(toolkit.GetActiveWidget());
    return window != nullptr && window->IsModal() ? *window : *this;
}

// A key's auto-repeat belongs to the widget its first press went to, whatever opened meanwhile: a button its
// hot key pressed stays the key's, and a window shown since does not take the key from it. A repeat of a key
// that no widget holds presses nothing (its release would not come to what it pressed), but a window that takes
// every key still swallows it. True when a widget took it.
bool Widget::RouteKeyRepeat(WParam wParam, LParam lParam) {
    Widget* holder = WidgetToolkit::Get().GetKeyHolder(static_cast<uint32_t>(wParam));
    if (holder != nullptr && holder->TakesInput()) {
        return holder->OnKey(Msg::KeyDown, wParam, lParam);
    }
    return RouteTarget().SwallowsKeys();
}

// The key-up of a key a widget took on its way down goes to that widget, wherever the routing would send it
// now. A widget that can no longer take input (disabled meanwhile) only lets go of its press, and the key-up is
// routed as any other. True when the widget took it.
bool Widget::ReleaseHeldKey(WParam wParam, LParam lParam) {
    WidgetToolkit& toolkit = WidgetToolkit::Get();
    const auto key = static_cast<uint32_t>(wParam);
    Widget* holder = toolkit.GetKeyHolder(key);
    if (holder == nullptr) {
        return false;
    }
    toolkit.SetKeyHolder(key, nullptr);
    if (holder->TakesInput() && holder->OnKey(Msg::KeyUp, wParam, lParam)) {
        return true;
    }
    holder->EndHoverAndPress();
    return false;
}

bool Widget::SwallowsKeys() const {
    if (!visible_ || !enabled_) {
        return false;
    }
    for (const Widget* child : children_) {
        if (child->SwallowsKeys()) {
            return true;
        }
    }
    return TakesEveryKey();
}

bool Widget::TakesInput() const {
    for (const Widget* at = this; at != nullptr; at = at->parent_) {
        if (!at->visible_ || !at->enabled_) {
            return false;
        }
    }
    return true;
}

bool Widget::DispatchMessage(uint32_t msg, WParam wParam, LParam lParam) {
    if (!visible_) {
        WidgetToolkit& toolkit = WidgetToolkit::Get();
        if (toolkit.GetActiveWidget() == this) {
            toolkit.SetActiveWidget(nullptr);
        }
        return false;
    }
    if (IsKeyMessage(msg)) {
        return DispatchKey(msg, wParam, lParam);
    }
    lastMouseY_ = platform::PointY(lParam);
    lastMouseX_ = platform::PointX(lParam);
    return DispatchMouse(msg, wParam, lParam);
}

bool Widget::DispatchKey(uint32_t msg, WParam wParam, LParam lParam) {
    if (!visible_ || !enabled_) {
        return false;
    }
    for (size_t i = children_.size(); i-- > 0;) {
        if (i < children_.size() && children_[i]->DispatchKey(msg, wParam, lParam)) {
            return true;
        }
    }
    if (!OnKey(msg, wParam, lParam)) {
        return false;
    }
    if (msg == Msg::KeyDown) {
        WidgetToolkit::Get().SetKeyHolder(static_cast<uint32_t>(wParam), this);
    }
    return true;
}

bool Widget::DispatchMouse(uint32_t msg, WParam wParam, LParam lParam) {
    if (!visible_ || !enabled_) {
        return false;
    }
    WidgetToolkit& toolkit = WidgetToolkit::Get();
    // A pressed widget (a button held down, a dragged window or thumb) keeps the mouse while it wants it and
    // can still take input: one whose window was disabled meanwhile only lets go, and clicks nothing.
    if (Widget* held = toolkit.GetMouseWidget(); held != nullptr && held->state_ == WidgetState::Pressed) {
        if (held->TakesInput() && held->OnMouse(msg, wParam, lParam)) {
            return true;
        }
        held->SetState(WidgetState::Normal);
        toolkit.SetMouseWidget(nullptr);
    }
    if (OfferMouseToChildren(msg, wParam, lParam)) {
        return true;
    }
    if (!acceptsMouse_ || !OnMouse(msg, wParam, lParam)) {
        return false;
    }
    // A widget that hid itself in answer (a popup closing on a click outside it) takes no focus.
    if (visible_) {
        BecomeMouseWidget(msg, lParam);
    }
    return true;
}

bool Widget::OfferMouseToChildren(uint32_t msg, WParam wParam, LParam lParam) {
    WidgetToolkit& toolkit = WidgetToolkit::Get();
    Widget* exclusive = toolkit.GetExclusiveWidget();
    Widget* handler = nullptr;
    for (size_t i = children_.size(); i-- > 0;) {
        if (i >= children_.size()) {
            continue;  // a handler shortened the list
        }
        Widget* child = children_[i];
        // After a child took the message only scroll bars still see it (a list under a hovered row still
        // takes the wheel).
        if (child == exclusive || (handler != nullptr && child->kind_ != WidgetKind::ScrollBar)) {
            continue;
        }
        if (!child->DispatchMouse(msg, wParam, lParam)) {
            continue;
        }
        if (handler == nullptr) {
            handler = child;
        }
        if (IsButtonDown(msg)) {
            if (child->kind_ == WidgetKind::Window) {
                BringChildToFront(child);
                toolkit.SetActiveWidget(child);
            } else if (child->kind_ == WidgetKind::Panel) {
                toolkit.SetActiveWidget(child);
            }
        }
        if (handler->kind_ != WidgetKind::Button || handler->state_ == WidgetState::Pressed) {
            return true;
        }
    }
    return handler != nullptr;
}

void Widget::BecomeMouseWidget(uint32_t msg, LParam lParam) {
    WidgetToolkit& toolkit = WidgetToolkit::Get();
    Widget* previous = toolkit.GetMouseWidget();
    if (previous != nullptr && previous != this && previous->enabled_) {
        previous->SetState(WidgetState::Normal);
    }
    toolkit.SetMouseWidget(this);
    if (state_ < WidgetState::Hover) {
        SetState(WidgetState::Hover);
    }
    if (previous != this && hasTooltip_ && state_ == WidgetState::Hover) {
        ShowTooltipAt(platform::PointX(lParam), platform::PointY(lParam));
    }
    if (IsButtonDown(msg)) {
        if (parent_ != nullptr && parent_->kind_ == WidgetKind::Panel) {
            toolkit.SetActiveWidget(parent_);
        }
        if (kind_ == WidgetKind::Panel || kind_ == WidgetKind::Window) {
            toolkit.SetActiveWidget(this);
        }
    }
}

void Widget::ShowTooltipAt(int32_t mouseX, int32_t mouseY) {
    WidgetToolkit& toolkit = WidgetToolkit::Get();
    Tooltip& tooltip = toolkit.GetTooltip();
    tooltip.SetText(tooltip_);
    if (tooltip.NeedsFit()) {
        tooltip.FitToText();
    }
    const UiServices& services = toolkit.Services();
    const int32_t maxX = std::max(0, services.GetScreenWidth() - tooltip.Width());
    const int32_t maxY = std::max(0, services.GetScreenHeight() - tooltip.Height());
    tooltip.SetPosition(std::clamp(mouseX + kTooltipOffsetX, 0, maxX), std::clamp(mouseY + kTooltipOffsetY, 0, maxY));
    tooltip.Show(true);
    tooltip.FadeIn();
    toolkit.SetTooltipOwner(this);
}

// --- Factories ----------------------------------------------------------------------------------------------

template <class Kind>
Kind* Widget::Adopt(std::unique_ptr<Kind> child) {
    Kind* raw = child.get();
    AddChild(std::unique_ptr<Widget>(std::move(child)), true);
    return raw;
}

template <class Kind>
Kind* Widget::CreateImaged(int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t value,
                           const ImageSource& image) {
    auto widget = std::make_unique<Kind>();
    widget->Create(x, y, w, h, id, value);
    widget->SetImage(image.texture, image.srcX, image.srcY, image.srcW, image.srcH, image.scaleX, image.scaleY);
    return Adopt(std::move(widget));
}

Panel* Widget::CreatePanel(int32_t x, int32_t y, int32_t w, int32_t h, int32_t texture, int32_t srcX, int32_t srcY,
                           int32_t srcW, int32_t srcH, float scaleX, float scaleY) {
    return CreateImaged<Panel>(x, y, w, h, -1, -1, {texture, srcX, srcY, srcW, srcH, scaleX, scaleY});
}

Image* Widget::CreateImage(int32_t x, int32_t y, int32_t w, int32_t h, int32_t texture, int32_t srcX, int32_t srcY,
                           int32_t srcW, int32_t srcH, float scaleX, float scaleY) {
    return CreateImaged<Image>(x, y, w, h, -1, -1, {texture, srcX, srcY, srcW, srcH, scaleX, scaleY});
}

AnimatedImage* Widget::CreateAnimatedImage(int32_t x, int32_t y, int32_t w, int32_t h, int32_t animationId,
                                           int32_t animationValue, int32_t texture, int32_t srcX, int32_t srcY,
                                           int32_t srcW, int32_t srcH, float scaleX, float scaleY) {
    AnimatedImage* image =
        CreateImaged<AnimatedImage>(x, y, w, h, -1, -1, {texture, srcX, srcY, srcW, srcH, scaleX, scaleY});
    image->SetAnimation(animationId, animationValue);
    return image;
}

Button* Widget::CreateButton(int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t value, int32_t texture,
                             int32_t srcX, int32_t srcY, int32_t srcW, int32_t srcH, float scaleX, float scaleY) {
    return CreateImaged<Button>(x, y, w, h, id, value, {texture, srcX, srcY, srcW, srcH, scaleX, scaleY});
}

ComboBox* Widget::CreateComboBox(int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t value,
                                 int32_t texture, int32_t srcX, int32_t srcY, int32_t srcW, int32_t srcH,
                                 float scaleX, float scaleY) {
    return CreateImaged<ComboBox>(x, y, w, h, id, value, {texture, srcX, srcY, srcW, srcH, scaleX, scaleY});
}

TextLabel* Widget::CreateTextLabel(int32_t x, int32_t y, int32_t w, int32_t h, const FontDesc* font,
                                   uint32_t alignment, uint8_t layoutOption) {
    auto label = std::make_unique<TextLabel>(layoutOption);
    label->Create(x, y, w, h, -1, -1);
    label->SetFontDesc(font);
    label->SetAlignment(alignment);
    return Adopt(std::move(label));
}

}  // namespace kestrovan
