#pragma once
// The widget toolkit's edit bridge on the application's native edit bridge: the edit box that has the
// keyboard focus is handed to the native bridge as its client, so that typing, the caret keys, the
// clipboard and the input method reach it the way the system has them.
//
// Any thread that may change the widgets (the main thread, the connection's dispatch thread when a server
// message shows a window or disables a box): every call holds the native bridge's UI lock, which also
// guards the bound box.
#include "client/app/NativeEditClient.h"
#include "client/ui/EditBridge.h"

namespace kestrovan {

class NativeEditBridge;

class AppEditBridge : public EditBridge {
public:
    explicit AppEditBridge(NativeEditBridge& native);
    ~AppEditBridge() override;
    AppEditBridge(const AppEditBridge&) = delete;
    AppEditBridge& operator=(const AppEditBridge&) = delete;

    void SetFocusWidget(EditBox* box) override;
    void ReleaseFocusFrom(EditBox* box) override;
    void ClearFocus() override { ReleaseFocusFrom(nullptr); }
    EditBox* GetFocusWidget() const override;

    void SetText(platform::WStringView text) override;
    void SetSelection(int32_t anchor, int32_t caret) override;
    void ReplaceSelection(platform::WStringView text) override;
    int32_t CharFromPos(int32_t x) const override;
    void SetFont(TextMeasure measure) override;

private:
    // The bound edit box as the native bridge's client.
    class BoxClient : public NativeEditClient {
    public:
        platform::WString GetText() const override;
        bool InputMethodOff() const override;
        void ShowCaret() override;
        void HideCaret() override;
        void Released() override;
        // The native bridge wants true when the text was cut; the box answers true when it fitted.
        bool ClampToMaxBytes(platform::WString& text) const override;
        void SetTextAndSelection(const platform::WString& text, uint32_t caret, uint32_t anchor) override;
        void NotifyParent(uint32_t code) override;
        void SubmitText(const platform::WString& text) override;

        EditBox* box = nullptr;
    };

    bool IsBound() const;

    NativeEditBridge& native_;
    BoxClient client_;
};

}  // namespace kestrovan
