#include "client/app/AppCursor.h"

#include "platform/window/MessageIds.h"
#include "platform/window/Window.h"
#include "resources/ProgramResources.h"

namespace kestrovan {
namespace {

constexpr int kClipTopMargin = 30;
constexpr int kClipSideMargin = 10;

}  // namespace

AppCursor::AppCursor(platform::Window& window) : window_(window) {}

void AppCursor::LoadCursors() {
    for (const uint32_t id : {ResourceId::CursorNormal, ResourceId::CursorPen}) {
        if (auto cursor = LoadCursorResource(id)) {
            window_.RegisterCursor(id, std::move(*cursor));
        }
    }
}

void AppCursor::ShowCursor(bool show) {
    if (shown_.exchange(show) != show) {
        window_.ShowCursor(show);
    }
}

void AppCursor::ClipCursorToWindow(bool on) {
    if (!on) {
        window_.ClipCursor(std::nullopt);
        return;
    }
    const platform::PixelRect rect = window_.GetWindowRect();
    window_.ClipCursor(platform::PixelRect{rect.left, rect.top + kClipTopMargin, rect.right - kClipSideMargin,
                                           rect.bottom - kClipSideMargin});
}

void AppCursor::SetMouseCapture(bool on) { window_.SetCapture(on); }

void AppCursor::RepostMouseMove() {
    window_.PostMessage(platform::kMainWindow, platform::Msg::MouseMove, 0, lastPosition_.load());
}

void AppCursor::SetCursor(uint32_t cursorId) { window_.SetCursor(cursorId); }

}  // namespace kestrovan
