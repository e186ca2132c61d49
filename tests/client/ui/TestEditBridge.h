#pragma once
// An edit bridge on the window layer's hidden edit control, doing for the bound box what the application's
// bridge does: every change (typing, editing keys, composition steps) is cut to the box's byte limit and
// handed back with caret and anchor; Enter submits; Tab, Up, Down and the release of F1-F10 go to the box's
// parent; a box that keeps the input method off gets it switched back off. Its child window takes the
// keyboard while a box is bound.
#include "client/ui/EditBridge.h"
#include "platform/window/EditControl.h"
#include "platform/window/Window.h"

namespace kestrovan::test {

class TestEditBridge : public EditBridge {
public:
    explicit TestEditBridge(platform::Window& window);
    ~TestEditBridge() override;

    void SetFocusWidget(EditBox* box) override;
    void ReleaseFocusFrom(EditBox* box) override;
    void ClearFocus() override { ReleaseFocusFrom(current_); }
    EditBox* GetFocusWidget() const override { return current_; }
    void SetText(platform::WStringView text) override { edit_.SetText(text); }
    void SetSelection(int32_t anchor, int32_t caret) override { edit_.SetSelection(anchor, caret); }
    void ReplaceSelection(platform::WStringView text) override;
    int32_t CharFromPos(int32_t x) const override { return static_cast<int32_t>(edit_.CharFromPos(x)); }
    void SetFont(TextMeasure measure) override { edit_.SetFont(std::move(measure)); }

    platform::EditControl& Control() { return edit_; }

private:
    platform::LResult WindowProc(const platform::Message& message);
    bool OnKeyDown(const platform::Message& message);
    bool OnCharacter(const platform::Message& message);
    void Synchronise();

    platform::Window& window_;
    platform::EditControl edit_;
    platform::WindowId child_ = platform::kNoWindow;
    EditBox* current_ = nullptr;
};

}  // namespace kestrovan::test
