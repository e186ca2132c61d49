#pragma once
// A drop-down choice: a face button showing the chosen text and a popup list of row buttons under it (above
// it when the screen ends first). While the list is open it takes all input; a click outside or Escape closes
// it without choosing. Choosing a row raises (this, row index, 0) at the listener.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>
#include <vector>

#include "client/ui/Widget.h"

namespace kestrovan {

class Button;
class Window;

class ComboBox : public Widget {
public:
    ComboBox();

    // The face (w x h, with the id and value) and the hidden list below it.
    void Create(int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t value) override;
    // The same image for the face and the list.
    void SetImage(int32_t texture, int32_t srcX, int32_t srcY, int32_t w, int32_t h, float scaleX, float scaleY);
    // The face's and the rows' state frames side by side instead of down (before SetRowCount).
    void SetHorizontalFrames(bool horizontal);
    // Makes n hidden rows in the list, captioned like the face, their frames laid out as the face's.
    void SetRowCount(int32_t n);
    // Empties every row; the rows stay.
    void ClearItems();
    // Fills the next free row; nothing when all are filled.
    void AddItem(platform::WStringView text);
    // -1 empties the face; a filled row's text goes to the face; other values are ignored.
    void Select(int32_t index);
    platform::WString GetItemText(int32_t index) const;
    int32_t GetSelected() const { return selected_; }
    int32_t GetFilledRows() const { return filled_; }
    int32_t GetRowCount() const { return rowCount_; }
    // Choosing a row also shows its text on the face.
    void SetAutoCaption(bool autoCaption) { autoCaption_ = autoCaption; }
    Button* GetFace() const { return face_; }
    Window* GetDropDown() const { return dropDown_; }
    Button* GetRow(int32_t index) const;

    void SetTooltip(platform::WStringView text) override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    void Open();
    void Choose(int32_t index);
    void PlaceDropDown();

    Button* face_ = nullptr;
    std::vector<Button*> rows_;
    Window* dropDown_ = nullptr;
    int32_t rowCount_ = 0;
    int32_t filled_ = 0;
    int32_t selected_ = -1;
    bool autoCaption_ = false;
    bool horizontalFrames_ = false;
};

}  // namespace kestrovan
