#include "platform/gfx/gl/GlSystem.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gfx/gl/GlDevice.h"

namespace platform::gfx {
namespace {

bool HasExtension(const char* name) {
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return extensions != nullptr && std::strstr(extensions, name) != nullptr;
}

// Video memory as the drivers that tell it do (in KiB): the total and what is free now.
constexpr GLenum kNvxTotalMemory = 0x9048;    // GL_GPU_MEMORY_TOTAL_AVAILABLE_MEMORY_NVX
constexpr GLenum kNvxFreeMemory = 0x9049;     // GL_GPU_MEMORY_CURRENT_AVAILABLE_VIDMEM_NVX
constexpr GLenum kAtiTextureMemory = 0x87FC;  // GL_TEXTURE_FREE_MEMORY_ATI: free, largest block, ...

uint32_t KibToBytes(GLint kib) {
    return static_cast<uint32_t>(std::min<int64_t>(int64_t{kib} * 1024, UINT32_MAX));
}

class GlVideoMemory : public VideoMemoryQuery {
public:
    Result GetAvailableVidMem(uint32_t& total, uint32_t& free) override {
        if (HasExtension("GL_NVX_gpu_memory_info")) {
            GLint totalKib = 0, freeKib = 0;
            glGetIntegerv(kNvxTotalMemory, &totalKib);
            glGetIntegerv(kNvxFreeMemory, &freeKib);
            total = KibToBytes(totalKib);
            free = KibToBytes(freeKib);
            return Result::Ok;
        }
        if (HasExtension("GL_ATI_meminfo")) {
            GLint figures[4] = {0, 0, 0, 0};
            glGetIntegerv(kAtiTextureMemory, figures);
            total = free = KibToBytes(figures[0]);  // the driver tells only what is free
            return Result::Ok;
        }
        return Result::NotAvailable;
    }
};

std::string GlText(GLenum name) {
    const auto* text = reinterpret_cast<const char*>(glGetString(name));
    return text != nullptr ? text : "";
}

Format FormatOfBits(int bits) {
    return bits == 16 ? Format::R5G6B5 : Format::X8R8G8B8;
}

// The display's modes of one colour depth, in SDL's order.
std::vector<SDL_DisplayMode> ModesOf(int display, Format format) {
    std::vector<SDL_DisplayMode> modes;
    const int count = SDL_GetNumDisplayModes(display);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(display, i, &mode) == 0 &&
            FormatOfBits(static_cast<int>(SDL_BITSPERPIXEL(mode.format))) == format) {
            modes.push_back(mode);
        }
    }
    return modes;
}

}  // namespace

std::unique_ptr<GlSystem> GlSystem::Create(GlWindow window) {
    if (window.window == nullptr) return nullptr;
    SDL_GLContext context = SDL_GL_CreateContext(window.window);
    if (context == nullptr) return nullptr;
    if (SDL_GL_MakeCurrent(window.window, context) != 0) {
        SDL_GL_DeleteContext(context);
        return nullptr;
    }
    return std::unique_ptr<GlSystem>(new GlSystem(window, context));
}

GlSystem::~GlSystem() {
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
}

int GlSystem::DisplayIndex() const {
    const int display = SDL_GetWindowDisplayIndex(window_.window);
    return display < 0 ? 0 : display;
}

std::optional<std::u16string> GlSystem::GetRuntimeVersion() {
    // The OpenGL runtime is always recent enough; it answers with the version the check accepts.
    return u"4.09.00.0904";
}

std::string GlSystem::DescribeAdapter() {
    const std::string renderer = GlText(GL_RENDERER);
    if (renderer.empty()) return {};
    return renderer + " (" + GlText(GL_VENDOR) + "), OpenGL " + GlText(GL_VERSION);
}

Result GlSystem::GetDeviceCaps(DeviceCaps& out) {
    GLint size = 0, units = 0, lights = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
    glGetIntegerv(GL_MAX_LIGHTS, &lights);
    if (size <= 0) return Result::Fail;
    out = DeviceCaps{};
    out.presentImmediate = true;
    out.tableFog = true;
    out.cubeMap = true;
    out.hardwareTransformAndLight = true;
    // The bump-environment operation has no fixed-function counterpart in OpenGL 2.1.
    out.bumpEnvMap = false;
    out.anisotropicFilter = HasExtension("GL_EXT_texture_filter_anisotropic");
    if (out.anisotropicFilter) {
        GLfloat anisotropy = 1;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &anisotropy);
        out.maxAnisotropy = static_cast<uint32_t>(anisotropy);
    }
    out.maxTextureWidth = out.maxTextureHeight = static_cast<uint32_t>(size);
    out.maxTextureBlendStages = out.maxSimultaneousTextures = static_cast<uint32_t>(std::min(units, 8));
    out.maxActiveLights = static_cast<uint32_t>(lights);
    return Result::Ok;
}

Result GlSystem::GetAdapterDisplayMode(DisplayModeInfo& out) {
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(DisplayIndex(), &mode) != 0) return Result::Fail;
    out = DisplayModeInfo{static_cast<uint32_t>(mode.w), static_cast<uint32_t>(mode.h),
                          static_cast<uint32_t>(mode.refresh_rate), FormatOfBits(static_cast<int>(SDL_BITSPERPIXEL(mode.format)))};
    return Result::Ok;
}

Result GlSystem::CheckDeviceFormat(Format, uint32_t usage, ResourceType, Format format) {
    if ((usage & Usage::DepthStencil) != 0) {
        return format == Format::D16 || format == Format::D24S8 || format == Format::D24X8 ? Result::Ok : Result::NotAvailable;
    }
    if ((usage & Usage::RenderTarget) != 0) {
        return format == Format::X8R8G8B8 || format == Format::A8R8G8B8 || format == Format::R5G6B5 ? Result::Ok
                                                                                                   : Result::NotAvailable;
    }
    return IsColourFormat(format) ? Result::Ok : Result::NotAvailable;
}

Result GlSystem::CheckDeviceType(Format, Format, bool) {
    return Result::Ok;
}

Result GlSystem::CheckDepthStencilMatch(Format, Format, Format) {
    return Result::Ok;
}

Result GlSystem::CheckDeviceMultiSampleType(Format, bool, uint32_t) {
    // Multisampling is chosen when the window is made, not by the device.
    return Result::NotAvailable;
}

uint32_t GlSystem::GetAdapterModeCount(Format format) {
    return static_cast<uint32_t>(ModesOf(DisplayIndex(), format).size());
}

Result GlSystem::EnumAdapterModes(Format format, uint32_t index, DisplayModeInfo& out) {
    const std::vector<SDL_DisplayMode> modes = ModesOf(DisplayIndex(), format);
    if (index >= modes.size()) return Result::InvalidCall;
    out = DisplayModeInfo{static_cast<uint32_t>(modes[index].w), static_cast<uint32_t>(modes[index].h),
                          static_cast<uint32_t>(modes[index].refresh_rate), format};
    return Result::Ok;
}

Result GlSystem::CreateDevice(uint32_t, const PresentParameters& parameters, std::unique_ptr<Device>& out) {
    DeviceCaps caps;
    if (!Succeeded(GetDeviceCaps(caps))) return Result::NotAvailable;
    out = std::make_unique<GlDevice>(window_, parameters, static_cast<int>(caps.maxSimultaneousTextures));
    return Result::Ok;
}

std::unique_ptr<VideoMemoryQuery> GlSystem::CreateVideoMemoryQuery() {
    return std::make_unique<GlVideoMemory>();
}

}  // namespace platform::gfx
