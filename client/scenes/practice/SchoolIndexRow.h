#pragma once
// One row of the school's lesson index: a toggle button with the entry's title (a chapter full width in
// yellow, a section indented in white), the level the entry needs and its mark. The row ends short of the
// index's scroll bar, and its right-aligned title ends inside its button. A row of a page not reached yet is
// dimmed and cannot be chosen; its title stays readable, in grey.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/ui/Widget.h"

namespace kestrovan {

class Button;
class Image;
class TextLabel;

// One entry of the index: the tab (1-based), chapter, section (0 for the chapter's own row), the page the row
// opens, the player level it needs (0: none), its mark and its title.
struct SchoolIndexEntry {
    int32_t tab = 0;
    int32_t group = 0;
    int32_t sub = 0;
    int32_t page = 0;
    int32_t level = 0;
    int32_t mark = 0;
    quill::WString title;
};

class SchoolIndexRow : public Widget {
public:
    static constexpr int32_t kWidth = 214;
    static constexpr int32_t kHeight = 26;
    // A section's button, indented under its chapter's.
    static constexpr int32_t kSectionIndent = 20;
    static constexpr int32_t kSectionWidth = 191;
    // The face's opacity of a reached row and of one not reached yet.
    static constexpr float kReachedOpacity = 0.7f;
    static constexpr float kUnreachedOpacity = 0.2f;
    static constexpr uint32_t kUnreachedColour = 0xFFB0B8C0;

    // The row at (14, y) with the id.
    SchoolIndexRow(int32_t y, int32_t id);

    void SetEntry(const SchoolIndexEntry* entry);
    // Whether the player has reached the entry's page: the row can be chosen, its face shows, its title in
    // the entry's colour; otherwise dimmed, with the title in grey.
    void ShowReached(bool reached);
    const SchoolIndexEntry* Entry() const { return entry_; }
    Button* RowButton() const { return button_; }
    TextLabel* LevelLabel() const { return levelLabel_; }
    Image* Mark() const { return mark_; }

private:
    void PlaceButton(int32_t x, int32_t y, int32_t width, int32_t srcX, int32_t srcWidth);

    const SchoolIndexEntry* entry_ = nullptr;
    Button* button_ = nullptr;
    TextLabel* levelLabel_ = nullptr;
    Image* mark_ = nullptr;
};

}  // namespace kestrovan
