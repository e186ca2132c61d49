#pragma once
// The message box of the whole client: a title, six centred lines and one of four button layouts. A caller
// fills it in a fixed order (Reset, SetButtons, SetTitle, SetLine from 0, the event code and value), centres
// and shows it; a press of any of its buttons hides it and posts (event code, button id, event value, 0),
// so that the current screen's event handler decides what follows. The button ids are the system's yes and
// no: 2049 OK alone, 2050 and 2051 OK and Cancel, 2052 and 2053 Yes and No.
//
// Threads: see the table in client/app/Scene.h; the layout, event code and value are atomic.
#include <array>
#include <atomic>
#include <cstdint>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/WString.h"
#include "client/app/SoundIds.h"
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class Button;
class TextLabel;

class NoticeBox : public PopupWindow {
public:
    static constexpr int32_t kWidth = 400;
    static constexpr int32_t kHeight = 250;
    static constexpr size_t kLineCount = 6;

    // Button ids: OK alone is the box's own 2049, OK beside Cancel the popups' OK; Cancel, Yes and No are
    // the popups' own.
    static constexpr int32_t kOk = 2049;
    static constexpr int32_t kOkLeft = PopupWindow::kOk;

    // Button layouts.
    static constexpr uint32_t kLayoutOk = 0;
    static constexpr uint32_t kLayoutOkCancel = 1;
    static constexpr uint32_t kLayoutCancel = 2;
    static constexpr uint32_t kLayoutYesNo = 3;

    // Builds the box hidden at (200, 200); presses post through poster.
    explicit NoticeBox(EventPoster poster);

    // Empties the six lines; event code 1024, value 0, layout 0. The title stays.
    void Reset();
    // Takes effect at the next show; a layout above 3 shows no button.
    void SetButtons(uint32_t layout) { layout_ = layout; }
    uint32_t GetButtonLayout() const { return layout_; }
    void SetTitle(quill::WStringView text);
    // Line n (0 to 5) shows the text as it stands; a larger n changes nothing.
    void SetLine(quill::WStringView text, size_t n);
    void SetEvent(int32_t code, uint32_t value = 0);
    int32_t GetEventCode() const { return eventCode_; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    // The window's show step, then only the buttons of the layout.
    void OnShow() override;

    TextLabel& Title() { return *title_; }
    TextLabel& Line(size_t n) { return *lines_[n]; }
    // The button of that id; null for any other id.
    Button* GetButton(int32_t id) const;

private:
    EventPoster poster_;
    std::atomic<uint32_t> layout_{kLayoutOk};
    std::atomic<int32_t> eventCode_{quill::AppEventId::EventNone};
    std::atomic<uint32_t> eventValue_{0};
    TextLabel* title_ = nullptr;
    std::array<TextLabel*, kLineCount> lines_{};
    std::array<Button*, 5> buttons_{};
};

}  // namespace kestrovan
