#include "client/app/DeviceErrorDialog.h"

#include "QuillLib/engine/DeviceErrorText.h"
#include "client/app/SiteConfig.h"
#include "platform/window/Prompt.h"

namespace kestrovan {

std::optional<platform::WString> DeviceErrorLinkText(uint32_t code) {
    switch (code) {
        case 1:
        case 2:
            return platform::WString(u"Go to download DirectX 9.0c.");
        case 3:
        case 8:
            return platform::WString(u"Go to download the recent graphic driver.");
        default:
            return std::nullopt;
    }
}

int ShowDeviceErrorDialog(platform::Window& owner, platform::Browser& browser, const SiteConfig& site, uint32_t code) {
    platform::PromptRequest request;
    request.title = u"Error - Kestrovan";
    request.text = quill::GetDeviceErrorText(code, quill::kLanguageKorean);
    request.errorIcon = true;
    request.buttons.push_back(platform::PromptButton{DeviceErrorDialogId::Ok, u"OK"});
    const std::optional<platform::WString> link = DeviceErrorLinkText(code);
    if (link) {
        request.buttons.push_back(platform::PromptButton{DeviceErrorDialogId::Link, *link});
    }
    const int answer = owner.ShowPrompt(request);
    if (answer == DeviceErrorDialogId::Link) {
        browser.Open(site.PageAddress(kDownloadPage));
        return DeviceErrorDialogId::Ok;
    }
    return answer == DeviceErrorDialogId::Ok ? DeviceErrorDialogId::Ok : DeviceErrorDialogId::Cancel;
}

}  // namespace kestrovan
