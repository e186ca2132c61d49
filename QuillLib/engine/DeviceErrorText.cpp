#include "QuillLib/engine/DeviceErrorText.h"

#include <array>

namespace quill {
namespace {

struct ErrorText {
    const char16_t* english;
    const char16_t* korean;
};

// Indexed by result code; the last row is the text of every code above 13.
constexpr std::array<ErrorText, 15> kTexts{{
    {u"Suceeded.", u"성공적으로 수행되었습니다."},
    {u"Failed to query Direct3D9 interface - please install DirectX 9.0c version.",
     u"Direct3D9 인터페이스 초기화에 실패하였습니다 - DirectX 9.0c 버전을 설치하시기 바랍니다."},
    {u"Invalid DirectX version - please install DirectX 9.0c version.",
     u"DirectX 버전이 올바르지 않습니다 - DirectX 9.0c 버전을 설치하시기 바랍니다."},
    {u"Failed to get device caps - please check display adapter driver",
     u"디바이스 호환성 정보를 얻을 수 없습니다 - 디스플레이 드라이버를 최신버전으로 설치하시기 바랍니다."},
    {u"Failed to get display modes.", u"디스플레이 모드 목록을 얻을 수 없습니다."},
    {u"Unsupported back buffer format.", u"백 버퍼 포맷이 지원되지 않습니다 - 지원되지 않는 그래픽카드입니다."},
    {u"Unsupported display mode.", u"디스플레이 모드가 지원되지 않습니다."},
    {u"Unsupported depth/stencil format.", u"Depth/stencil 포맷이 지원되지 않습니다 - 지원되지 않는 그래픽카드입니다."},
    {u"Failed to create Direct3D device.", u"Direct3D 디바이스를 생성할 수 없습니다."},
    {u"Failed to init render states.", u"Render state를 초기화할 수 없습니다."},
    {u"Failed to restore resource objects.", u"디바이스 리소스 객체들을 복구할 수 없습니다."},
    {u"Failed to get back buffer.", u"백 버퍼를 얻을 수 없습니다."},
    {u"Failed to get surface description.", u"Surface description을 얻을 수 없습니다."},
    {u"Failed to create DirectDraw7.", u"DirectDraw7을 생성할 수 없습니다."},
    {u"Undefined error.", u"알 수 없는 오류가 발생하였습니다."},
}};

}  // namespace

WString GetDeviceErrorText(uint32_t resultCode, int32_t language) {
    if (language != kLanguageEnglish && language != kLanguageKorean) {
        return u"Unsupported language.";
    }
    const ErrorText& text = kTexts[resultCode < kTexts.size() - 1 ? resultCode : kTexts.size() - 1];
    return language == kLanguageEnglish ? text.english : text.korean;
}

}  // namespace quill
