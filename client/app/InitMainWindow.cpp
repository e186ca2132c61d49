#include "client/app/InitMainWindow.h"

#include "QuillLib/core/Format.h"
#include "QuillLib/core/LogSystem.h"
#include "platform/ui/MessageBox.h"
#include "resources/ProgramResources.h"

namespace kestrovan {

bool InitMainWindow(platform::Window& window, const platform::PixelRect& rect, bool fullScreen,
                    SystemKeyGuard& keyGuard, platform::AcceleratorTable& accelerators) {
    quill::LogSystem& log = quill::TheLog();
    log.Log(u"InitWindow...\n");
    log.Log(u"Class Registered...\n");

    platform::WindowDesc desc;
    desc.title = kMainWindowTitle;
    desc.rect = rect;
    desc.fullScreen = fullScreen;
    desc.icon = LoadIconResource();
    if (!window.Create(desc)) {
        const quill::WString text =
            quill::Format(u"%s code:%d", u"Failed to Create window..", static_cast<int>(window.LastError()));
        platform::ShowMessageBox(nullptr, text, kMainWindowTitle, platform::MsgBoxStyle::Ok);
        return false;
    }
    log.Log(u"Window Created...\n");

    accelerators = LoadAcceleratorResource();
    log.Log(u"Accelerators loaded...\n");

    keyGuard.InstallHook();
    keyGuard.SetAccessibilityShortcuts(false);
    log.Log(u"Input set...\n");

    window.Show(platform::ShowCommand::Show);
    log.Log(u"Show Window...\n");
    return true;
}

}  // namespace kestrovan
