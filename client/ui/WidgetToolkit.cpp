#include "client/ui/WidgetToolkit.h"

#include <cstdio>
#include <cstdlib>

#include "client/ui/Image.h"
#include "client/ui/Tooltip.h"
#include "client/ui/UiServices.h"
#include "client/ui/Widget.h"

namespace kestrovan {

namespace {

std::atomic<WidgetToolkit*> installed{nullptr};

constexpr int32_t kShadeTexture = 0;
constexpr int32_t kShadeSourceX = 6;
constexpr int32_t kShadeSourceY = 465;
constexpr int32_t kShadeSize = 8;
constexpr float kShadeAlpha = 0.5f;

}  // namespace

WidgetToolkit::WidgetToolkit(UiServices& services, WidgetResources& resources, WidgetRenderer& renderer)
    : services_(services), resources_(resources), renderer_(renderer) {
    installed.store(this);
}

WidgetToolkit::~WidgetToolkit() {
    ReleaseUiSingletons();
    WidgetToolkit* self = this;
    installed.compare_exchange_strong(self, nullptr);
}

WidgetToolkit* WidgetToolkit::Current() { return installed.load(); }

WidgetToolkit& WidgetToolkit::Get() {
    WidgetToolkit* toolkit = installed.load();
    if (toolkit == nullptr) {
        std::fputs("A widget was used while no widget toolkit is installed\n", stderr);
        std::abort();
    }
    return *toolkit;
}

void WidgetToolkit::CheckTreeAccess(const char* entry) {
#ifndef NDEBUG
    if (WidgetToolkit* toolkit = installed.load()) toolkit->Services().CheckWidgetTreeAccess(entry);
#else
    static_cast<void>(entry);
#endif
}

void WidgetToolkit::Forget(const Widget& widget) {
    const auto forget = [&widget](std::atomic<Widget*>& pointer) {
        Widget* expected = const_cast<Widget*>(&widget);
        pointer.compare_exchange_strong(expected, nullptr);
    };
    for (std::atomic<Widget*>* pointer : {&mouseWidget_, &activeWidget_, &exclusiveWidget_, &tooltipOwner_}) {
        forget(*pointer);
    }
    for (std::atomic<Widget*>& holder : keyHolders_) {
        forget(holder);
    }
}

void WidgetToolkit::ForgetHidden(const Widget& widget) {
    const auto forget = [&widget](std::atomic<Widget*>& pointer) {
        Widget* current = pointer.load();
        if (IsInSubtree(current, widget) && pointer.compare_exchange_strong(current, nullptr)) {
            current->EndHoverAndPress();
        }
    };
    for (std::atomic<Widget*>* pointer : {&mouseWidget_, &activeWidget_, &exclusiveWidget_}) {
        forget(*pointer);
    }
    for (std::atomic<Widget*>& holder : keyHolders_) {
        forget(holder);
    }
}

bool WidgetToolkit::IsInSubtree(const Widget* widget, const Widget& root) {
    for (const Widget* at = widget; at != nullptr; at = at->GetParent()) {
        if (at == &root) {
            return true;
        }
    }
    return false;
}

Tooltip& WidgetToolkit::GetTooltip() {
    if (!tooltip_) {
        tooltip_ = std::make_unique<Tooltip>();
    }
    return *tooltip_;
}

Image& WidgetToolkit::GetModalShade() {
    if (!modalShade_) {
        modalShade_ = std::make_unique<Image>();
        modalShade_->Create(0, 0, kShadeSize, kShadeSize, -1, -1);
        modalShade_->SetImage(kShadeTexture, kShadeSourceX, kShadeSourceY, kShadeSize, kShadeSize, 1.0f, 1.0f);
        modalShade_->SetAlpha(kShadeAlpha);
        modalShade_->LoadGraphics(0);
    }
    return *modalShade_;
}

void WidgetToolkit::ReleaseUiSingletons() {
    tooltip_.reset();
    modalShade_.reset();
}

}  // namespace kestrovan
