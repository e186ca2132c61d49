#include "client/ui/Panel.h"

#include "client/ui/Image.h"
#include "client/ui/Tooltip.h"
#include "client/ui/UiServices.h"
#include "client/ui/WidgetToolkit.h"
#include "client/ui/Window.h"

namespace kestrovan {


namespace {

// The shade is 8 pixels square; this scale stretches it over the screen.
constexpr float kShadeDivisor = 8.02f;

}  // namespace

Panel::Panel() { SetKind(WidgetKind::Panel); }

void Panel::UpdateTree() {
    if (!IsVisible() || !UiUpdateEnabled()) {
        return;
    }
    DrawModalShade();
    Update();
    if (fading_) {
        return;
    }
    UpdateChildren();
    if (GetParent() == nullptr) {
        DrawRootOverlays();
    }
}

// Under the active modal window (not a popup) the screen is dimmed.
void Panel::DrawModalShade() {
    WidgetToolkit& toolkit = WidgetToolkit::Get();
    if (toolkit.GetActiveWidget() != this) {
        return;
    }
    const auto* window = dynamic_cast<const Window*>(this);
    if (window == nullptr || !window->IsModal() || window->IsPopup()) {
        return;
    }
    Image& shade = toolkit.GetModalShade();
    const UiServices& services = toolkit.Services();
    shade.SetScale(services.GetScreenWidth() / kShadeDivisor, services.GetScreenHeight() / kShadeDivisor);
    shade.Update();
}

// A scene root draws last what lies over everything: the open drop-down list and the tooltip.
void Panel::DrawRootOverlays() {
    WidgetToolkit& toolkit = WidgetToolkit::Get();
    Widget* active = toolkit.GetActiveWidget();
    if (active != nullptr && active->GetKind() == WidgetKind::Window && active == toolkit.GetExclusiveWidget()) {
        active->UpdateTree();
    }
    Widget* hovered = toolkit.GetMouseWidget();
    if (hovered != nullptr && hovered->HasTooltip()) {
        toolkit.GetTooltip().UpdateTree();
    }
}

bool Panel::OnMouse(uint32_t, WParam, LParam) { return false; }

// The active widget is atomic.
void Panel::BringChildToFront(Widget* child) {
    if (MoveChildToEnd(child)) {
        WidgetToolkit::Get().SetActiveWidget(child);
    }
}

void Panel::Tick(uint32_t now) {
    if (fading_) {
        alpha_ += kFadeStep;
        if (alpha_ >= 1.0f) {
            alpha_ = 1.0f;
            fading_ = false;
        }
        SetAlpha(alpha_);
    }
    if (GetParent() == nullptr) {
        WidgetToolkit::Get().GetTooltip().Tick(now);
    }
}

}  // namespace kestrovan
