#pragma once
// Windows and dialogs drawn through OpenGL from the default data, on a TableStage: the interface textures of the
// slots a test names, taken from the interface pack as the program's catalogue hands them out, and one frame of
// a widget tree read back from the back buffer.
//
// Threads: the test's thread, which owns the stage's device.
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "client/app/ResourcePackCatalog.h"
#include "client/ui/Widget.h"
#include "tests/support/gfx/TableStage.h"

namespace kvtest {

// Puts the slots' textures in the stage's atlas; the first slot without one is named, "" when all are there.
inline std::string InstallInterfaceSlots(TableStage& stage, kestrovan::ResourcePackCatalog& catalog,
                                         std::initializer_list<int32_t> slots) {
    catalog.FillSlots(0);
    for (int32_t slot : slots) {
        quill::SharedPtr<quill::Texture> texture = catalog.GetSlotTexture(static_cast<size_t>(slot));
        if (!texture) return "no interface texture in slot " + std::to_string(slot);
        stage.Atlas().slots[slot] = quill::make_shared<TableStage::SlotTextures::Slot>(texture);
    }
    return {};
}

// One frame of the tree over the clear colour, read back as 32-bit pixels row by row; empty when the device
// could not draw or give its back buffer.
inline std::vector<uint32_t> DrawWidgetFrame(TableStage& stage, kestrovan::Widget& root, uint32_t clear) {
    namespace gfx = platform::gfx;
    stage.device->clearColor = clear;
    if (!stage.device->BeginFrame() || !stage.device->BeginScene()) return {};
    stage.device->Begin2D();
    root.UpdateTree();
    stage.device->EndScene();
    std::unique_ptr<gfx::Surface> surface;
    if (stage.device->GetGfxDevice()->GetBackBuffer(0, surface) != gfx::Result::Ok) return {};
    gfx::LockedRect locked;
    if (surface->LockRect(locked, nullptr, gfx::LockFlags::ReadOnly) != gfx::Result::Ok) return {};
    std::vector<uint32_t> pixels(static_cast<size_t>(stage.host.width) * stage.host.height);
    std::memcpy(pixels.data(), locked.bits, pixels.size() * 4);
    surface->UnlockRect();
    return pixels;
}

}  // namespace kvtest
