#pragma once
// The control a browser host holds, as the host uses it, and the host's container site as the control sees
// it. Interfaces are named, not numbered; results keep their COM values because callers compare them.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/system/WString.h"
#include "platform/window/PixelRect.h"

namespace kestrovan {

enum class InterfaceId {
    Unknown,
    OleClientSite,
    Dispatch,
    AdviseSink,
    OleInPlaceSite,
    OleInPlaceFrame,
    OleInPlaceUIWindow,
    OleObject,
    WebBrowser,  // navigation
};

namespace HResult {
inline constexpr uint32_t Ok = 0;
inline constexpr uint32_t False = 1;
inline constexpr uint32_t NotImplemented = 0x80004001;
inline constexpr uint32_t NoInterface = 0x80004002;
inline constexpr uint32_t Fail = 0x80004005;
}  // namespace HResult

// A class id, "{8856F961-340A-11D0-A96B-00C04FD705A2}" in its text form.
struct ClassId {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};
    friend bool operator==(const ClassId&, const ClassId&) = default;
};

// The container site of the host, as the control calls it.
class BrowserSite {
public:
    virtual ~BrowserSite() = default;
    virtual uint32_t CanInPlaceActivate() = 0;
    virtual uint32_t OnInPlaceActivate() = 0;
};

class BrowserControl {
public:
    virtual ~BrowserControl() = default;

    virtual bool Supports(InterfaceId id) const = 0;
    virtual uint32_t Advise() = 0;  // a connection number, 0 when refused
    virtual void Unadvise(uint32_t connection) = 0;
    virtual bool HasView() const = 0;
    virtual bool HasData() const = 0;
    // In-place activation (verb -5) with the site, in the host window's client rectangle.
    virtual uint32_t ActivateInPlace(BrowserSite& site, const platform::PixelRect& rect) = 0;
    virtual void UIDeactivate() = 0;
    virtual void InPlaceDeactivate() = 0;
    virtual void SetObjectRects(const platform::PixelRect& position, const platform::PixelRect& clip) = 0;
    // The data formats for a direction, and a data advise on one of them (a connection number, 0 refused).
    virtual std::vector<uint32_t> DataFormats(uint32_t direction) const = 0;
    virtual uint32_t DataAdvise(uint32_t format) = 0;
    virtual void DataUnadvise(uint32_t connection) = 0;
    // The web browser's navigation; false when the page cannot be shown.
    virtual bool Navigate(platform::WStringView address) = 0;
};

// Makes the control of a class id; null when no such control exists.
using BrowserControlFactory = std::function<std::unique_ptr<BrowserControl>(const ClassId&)>;

}  // namespace kestrovan
