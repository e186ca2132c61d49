#pragma once
// The widget toolkit's services as the application gives them: the screen size, the frame loop's drawing
// switch, the main window's key states, interface sounds through the sound manager, the native edit bridge
// (made on first use, none without a window, under the widget-tree lock), the tooltip's font and the scene
// manager's thread contract.
//
// Threads: as UiServices; the edit bridge is made and released on the main thread.
#include <memory>

#include "client/ui/UiServices.h"

namespace kestrovan {

class App;
class AppEditBridge;

class AppUiServices : public UiServices {
public:
    explicit AppUiServices(App& app);
    ~AppUiServices() override;
    AppUiServices(const AppUiServices&) = delete;
    AppUiServices& operator=(const AppUiServices&) = delete;

    uint16_t GetScreenWidth() const override;
    uint16_t GetScreenHeight() const override;
    bool IsUiUpdateEnabled() const override;
    int16_t GetKeyState(int32_t vk) const override;
    void PlaySound(uint32_t id) override;
    EditBridge* GetEditBridge() override;
    const FontDesc& GetDefaultFont() const override;
    void CheckWidgetTreeAccess(const char* entry) const override;

    // Lets go of the edit bridge and the native edit under it (before the main window goes).
    void ReleaseEditBridge();

private:
    App& app_;
    std::unique_ptr<AppEditBridge> editBridge_;
};

}  // namespace kestrovan
