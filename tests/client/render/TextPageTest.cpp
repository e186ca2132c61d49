// Text surfaces and pages: shared surfaces, width classes, rows handed out and taken back, pages that grow,
// shrink and age, and the colours a string is drawn in.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "QuillLib/render/TextEntry.h"
#include "QuillLib/render/TextPage.h"
#include "platform/gfx/MemoryTexture.h"
#include "tests/support/gfx/RecordingDeviceFixture.h"

namespace kestrovan {
namespace {

namespace gfx = platform::gfx;

class TextPageTest : public kvtest::RecordingDeviceFixture {
protected:
    void SetUp() override {
        CreateDevice();
        device->Begin2D();
        surface = device->GetTextSurface(u"Tahoma", 12, 400, false, 16);
        ASSERT_NE(surface, nullptr);
    }

    std::unique_ptr<quill::TextEntry> Entry(const char16_t* text, bool pinned = false) {
        auto entry = std::make_unique<quill::TextEntry>(*surface, pinned);
        entry->SetText(text);
        return entry;
    }

    quill::TextSurface* surface = nullptr;
};

TEST_F(TextPageTest, SurfacesAreSharedByFontAndEntriesGoToTheirWidthClass) {
    EXPECT_EQ(device->GetTextSurface(u"Tahoma", 12, 400, false, 64), surface);  // another page height: same surface
    EXPECT_NE(device->GetTextSurface(u"Tahoma", 12, 700, false, 16), surface);
    auto entry = Entry(u"a");
    ASSERT_NE(entry->page, nullptr);
    EXPECT_EQ(entry->page->GetWidthClass(), quill::TextPage::NextPowerOfTwo(entry->GetWidth() + 2));
    EXPECT_EQ(quill::TextPage::NextPowerOfTwo(300 + 2), 512u);
    EXPECT_EQ(quill::TextPage::NextPowerOfTwo(254 + 2), 256u);
}

TEST_F(TextPageTest, PagesGrowWhenFullShrinkWhenRowsGoAndAge) {
    std::vector<std::unique_ptr<quill::TextEntry>> entries;
    for (const char16_t* text : {u"a", u"b", u"c", u"d", u"e"}) entries.push_back(Entry(text));
    quill::TextPage* page = entries[0]->page;
    for (auto& entry : entries) ASSERT_EQ(entry->page, page);  // one class, one page
    const uint32_t rowHeight = page->GetRowHeight();
    EXPECT_EQ(page->GetTextureHeight(), 16u);
    for (auto& entry : entries) ASSERT_TRUE(entry->Draw(0, 0));
    EXPECT_EQ(page->GetUsedRows(), 5u);
    EXPECT_EQ(page->GetTextureHeight(), quill::TextPage::NextPowerOfTwo(5 * rowHeight));
    EXPECT_EQ(device->GetTextMemory(), uint64_t{page->GetWidthClass()} * page->GetTextureHeight() * 4);

    entries.resize(1);  // four labels go
    EXPECT_EQ(page->GetUsedRows(), 1u);
    EXPECT_EQ(page->GetTextureHeight(), quill::TextPage::NextPowerOfTwo(rowHeight));
    EXPECT_TRUE(entries[0]->dirty);  // the shrink makes every string drawn again

    ASSERT_TRUE(entries[0]->Draw(0, 0));
    for (int tick = 0; tick < 6 * D3D9RenderDevice::kTextTickPresents; ++tick) device->Present();
    EXPECT_EQ(entries[0]->row, -1);  // not drawn for six ageing ticks: row given back
    EXPECT_EQ(page->GetUsedRows(), 0u);
    ASSERT_TRUE(entries[0]->Draw(0, 0));
    EXPECT_GE(entries[0]->row, 0);

    entries.clear();
    EXPECT_EQ(device->GetTextMemory(), 0u);  // the emptied page went
}

TEST_F(TextPageTest, PinnedEntriesShareOneRow) {
    auto first = Entry(u"x", true), second = Entry(u"y", true);
    ASSERT_TRUE(first->Draw(0, 0));
    ASSERT_TRUE(second->Draw(0, 0));
    EXPECT_EQ(first->row, second->row);
    EXPECT_EQ(first->page->GetUsedRows(), 1u);
    first.reset();
    EXPECT_EQ(second->page->GetPinnedRow(), second->row);
}

TEST_F(TextPageTest, InkTakesTheFirstColourAndTheBackgroundIsTransparent) {
    auto entry = Entry(u"W");
    entry->SetStyle(quill::TextStyle{0xFFFF0000u, quill::TextStyle::kOutline, 0, 0xFF0000FFu});
    gfx::MemoryTexture texture(64, 32, 1, 0, gfx::Format::A8R8G8B8, gfx::Pool::Managed);
    ASSERT_TRUE(surface->Rasterise(texture, *entry, gfx::Rect{0, 0, 40, 20}));
    std::map<uint32_t, int> colours;
    const auto& bytes = texture.GetLevel(0)->UnguardedBytes();
    for (size_t i = 0; i + 4 <= bytes.size(); i += 4) {
        uint32_t texel;
        std::memcpy(&texel, bytes.data() + i, 4);
        ++colours[texel];
    }
    EXPECT_GT(colours[0], 100);            // background
    EXPECT_GT(colours[0xFFFF0000u], 10);   // the text
    EXPECT_GT(colours[0xFF0000FFu], 10);   // its outline
    EXPECT_EQ(colours.size(), 3u);
}

}  // namespace
}  // namespace kestrovan
