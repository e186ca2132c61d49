#include "client/app/BrowserHost.h"

#include <charconv>
#include <string>

#include "platform/system/CodePage.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"

namespace kestrovan {

using platform::LResult;
using platform::Message;

namespace {

// Reads count hexadecimal digits of text at position into value.
template <class T>
bool ReadHex(const std::string& text, size_t position, size_t count, T& value) {
    if (position + count > text.size()) {
        return false;
    }
    const char* first = text.data() + position;
    const char* last = first + count;
    uint64_t parsed = 0;
    const auto [end, error] = std::from_chars(first, last, parsed, 16);
    if (error != std::errc() || end != last) {
        return false;
    }
    value = static_cast<T>(parsed);
    return true;
}

}  // namespace

std::optional<ClassId> BrowserHost::ParseClassId(platform::WStringView text) {
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
    const std::string narrow = platform::Utf16ToUtf8(text);
    if (narrow.size() != 38 || narrow[0] != '{' || narrow[37] != '}' || narrow[9] != '-' || narrow[14] != '-' ||
        narrow[19] != '-' || narrow[24] != '-') {
        return std::nullopt;
    }
    ClassId id;
    bool ok = ReadHex(narrow, 1, 8, id.data1) && ReadHex(narrow, 10, 4, id.data2) && ReadHex(narrow, 15, 4, id.data3) &&
              ReadHex(narrow, 20, 2, id.data4[0]) && ReadHex(narrow, 22, 2, id.data4[1]);
    for (size_t i = 0; i < 6 && ok; ++i) {
        ok = ReadHex(narrow, 25 + 2 * i, 2, id.data4[2 + i]);
    }
    return ok ? std::optional<ClassId>(id) : std::nullopt;
}

BrowserHost::BrowserHost(platform::Window& window, platform::WindowId self, platform::WString windowText,
                         BrowserControlFactory factory)
    : window_(window), self_(self), windowText_(std::move(windowText)), factory_(std::move(factory)) {}

BrowserHost::~BrowserHost() { Release(); }

LResult BrowserHost::HandleMessage(const Message& message) {
    switch (message.id) {
        case platform::Msg::Create:
            Create();
            return 0;
        case platform::Msg::Destroy:
            Release();
            return 0;
        case platform::Msg::Size:
            return OnSize(message.lParam);
        case platform::Msg::EraseBackground:
            return 1;  // the area stays black
        case platform::Msg::LButtonDblClk:
            window_.PostMessage(self_, BrowserHostMessage::Activate, 1, 0);
            return 0;
        case BrowserHostMessage::QueryControl:
            return OnQueryControl(message.wParam, message.lParam);
        case BrowserHostMessage::Activate:
            Activate(message.wParam != 0, message.lParam != 0);
            return 0;
        case BrowserHostMessage::Nothing:
            return 0;
        case BrowserHostMessage::DataAdvise:
            return OnDataAdvise(static_cast<int>(static_cast<intptr_t>(message.wParam)),
                                static_cast<uint32_t>(message.lParam));
        default:
            return window_.DefaultProcedure(message);
    }
}

uint32_t BrowserHost::QueryInterface(InterfaceId id) {
    switch (id) {
        case InterfaceId::Unknown:
        case InterfaceId::OleClientSite:
        case InterfaceId::Dispatch:
        case InterfaceId::AdviseSink:
            ++references_;
            return HResult::Ok;
        case InterfaceId::OleInPlaceSite:
        case InterfaceId::OleInPlaceFrame:
        case InterfaceId::OleInPlaceUIWindow:
            if (noInPlace_) {
                return HResult::NoInterface;
            }
            ++references_;
            return HResult::Ok;
        default:
            return HResult::NoInterface;
    }
}

uint32_t BrowserHost::CanInPlaceActivate() {
    if (!activating_) {
        return HResult::False;
    }
    inPlaceActivated_ = true;
    return HResult::Ok;
}

void BrowserHost::Create() {
    const platform::WStringView text = platform::WStringView(windowText_).substr(0, kWindowTextLimit);
    const std::optional<ClassId> classId = ParseClassId(text);
    if (!classId) {
        return;  // the window stays empty and black
    }
    control_ = factory_(*classId);
    if (control_) {
        adviseConnection_ = control_->Advise();
    }
}

void BrowserHost::Release() {
    if (!control_) {
        return;
    }
    Deactivate();
    if (adviseConnection_ != 0) {
        control_->Unadvise(adviseConnection_);
        adviseConnection_ = 0;
    }
    if (control_->HasData()) {
        for (uint32_t& connection : dataConnections_) {
            if (connection != 0) {
                control_->DataUnadvise(connection);
                connection = 0;
            }
        }
    }
    control_.reset();
}

void BrowserHost::Activate(bool activate, bool noInPlace) {
    if (!control_) {
        return;
    }
    if (activate && !active_) {
        noInPlace_ = noInPlace;
        active_ = true;
        activating_ = true;
        control_->ActivateInPlace(*this, clientRect_);
        activating_ = false;
    } else if (!activate) {
        Deactivate();
    }
}

void BrowserHost::Deactivate() {
    if (!active_) {
        return;
    }
    active_ = false;
    control_->UIDeactivate();
    control_->InPlaceDeactivate();
}

LResult BrowserHost::OnSize(platform::LParam lParam) {
    clientRect_ = platform::PixelRect{0, 0, platform::PointX(lParam), platform::PointY(lParam)};
    if (!control_) {
        return 0;
    }
    if (active_) {
        Activate(false, false);
        Activate(true, false);
    }
    control_->SetObjectRects(clientRect_, clientRect_);
    return 0;
}

LResult BrowserHost::OnQueryControl(platform::WParam interfaceId, platform::LParam out) {
    auto* result = reinterpret_cast<BrowserControl**>(out);
    const auto id = static_cast<InterfaceId>(interfaceId);
    const bool offered = control_ && control_->Supports(id);
    if (result != nullptr) {
        *result = offered ? control_.get() : nullptr;
    }
    return static_cast<LResult>(offered ? HResult::Ok : HResult::NoInterface);
}

LResult BrowserHost::OnDataAdvise(int index, uint32_t direction) {
    if (!control_ || !control_->HasData()) {
        return 0;
    }
    const std::vector<uint32_t> formats = control_->DataFormats(direction);
    if (index == -1) {
        return static_cast<LResult>(formats.size());
    }
    if (index < 0 || static_cast<size_t>(index) >= kDataAdviseSlots || static_cast<size_t>(index) >= formats.size()) {
        return 0;
    }
    dataConnections_[static_cast<size_t>(index)] = control_->DataAdvise(formats[static_cast<size_t>(index)]);
    return 1;
}

BrowserHostClass::BrowserHostClass(platform::Window& window, BrowserControlFactory factory)
    : window_(window), factory_(std::move(factory)) {}

platform::WindowId BrowserHostClass::CreateHostWindow(platform::WStringView windowText,
                                                      const platform::PixelRect& clientRect) {
    auto host = std::make_shared<std::unique_ptr<BrowserHost>>();
    const platform::WindowId id =
        window_.CreateChild([host](const Message& message) { return *host ? (*host)->HandleMessage(message) : 0; });
    *host = std::make_unique<BrowserHost>(window_, id, platform::WString(windowText), factory_);
    window_.SendMessage(id, platform::Msg::Create, 0, 0);
    window_.SendMessage(id, platform::Msg::Size, 0,
                        platform::MakePointLParam(clientRect.Width(), clientRect.Height()));
    return id;
}

void BrowserHostClass::DestroyHostWindow(platform::WindowId host) {
    window_.SendMessage(host, platform::Msg::Destroy, 0, 0);
    window_.DestroyChild(host);
}

}  // namespace kestrovan
