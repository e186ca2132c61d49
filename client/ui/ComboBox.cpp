#include "client/ui/ComboBox.h"

#include <algorithm>
#include <memory>

#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiServices.h"
#include "client/ui/WidgetToolkit.h"
#include "client/ui/Window.h"

namespace kestrovan {

namespace {

// Rows show frames 0 to 2 (normal, hover, pressed).
constexpr int32_t kRowFrameCount = 3;

}  // namespace

ComboBox::ComboBox() { SetKind(WidgetKind::ComboBox); }

void ComboBox::Create(int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t value) {
    SetRect(x, y, w, h);
    SetId(id);
    SetValue(value);
    auto face = std::make_unique<Button>();
    face->Create(0, 0, w, h, id, value);
    face_ = face.get();
    AddChild(std::move(face), true);
    auto dropDown = std::make_unique<Window>();
    dropDown->MakePopup();
    dropDown->Create(0, h, w, h, -1, -1);
    dropDown_ = dropDown.get();
    AddChild(std::move(dropDown), false);
}

void ComboBox::SetImage(int32_t texture, int32_t srcX, int32_t srcY, int32_t w, int32_t h, float scaleX,
                        float scaleY) {
    Widget::SetImage(texture, srcX, srcY, w, h, scaleX, scaleY);
    face_->SetImage(texture, srcX, srcY, w, h, scaleX, scaleY);
    dropDown_->SetImage(texture, srcX, srcY, w, h, scaleX, scaleY);
}

void ComboBox::SetHorizontalFrames(bool horizontal) {
    horizontalFrames_ = horizontal;
    face_->SetHorizontalFrames(horizontal);
}

void ComboBox::SetRowCount(int32_t n) {
    rowCount_ = n;
    filled_ = 0;
    const int32_t step = face_->Height() - 1;
    const WidgetRect faceSource = face_->GetSourceRect();
    const TextLabel* faceCaption = face_->GetCaption();
    for (int32_t i = 0; i < n; ++i) {
        Button* row = dropDown_->CreateButton(0, i * step, Width(), Height(), -1, -1, GetTextureId(), faceSource.left,
                                              faceSource.top);
        row->SetHorizontalFrames(horizontalFrames_);
        row->SetFrameCount(kRowFrameCount);
        row->Show(false);
        if (faceCaption != nullptr) {
            const int32_t margin = face_->GetRect().left - faceCaption->GetRect().left;
            row->AddLabel(faceCaption->GetFontDesc(), faceCaption->GetAlignment(), faceCaption->GetTextColor(),
                          faceCaption->GetSecondColor(), margin);
            row->GetCaption()->AddStyle(faceCaption->GetStyleFlags(), faceCaption->GetStyleValue1(),
                                        faceCaption->GetStyleValue2());
        }
        rows_.push_back(row);
    }
}

Button* ComboBox::GetRow(int32_t index) const {
    return index >= 0 && index < static_cast<int32_t>(rows_.size()) ? rows_[static_cast<size_t>(index)] : nullptr;
}

void ComboBox::ClearItems() {
    for (Button* row : rows_) {
        row->SetCaption(u"");
    }
    filled_ = 0;
    selected_ = -1;
}

void ComboBox::AddItem(platform::WStringView text) {
    if (filled_ >= rowCount_ || filled_ >= static_cast<int32_t>(rows_.size())) {
        return;
    }
    rows_[static_cast<size_t>(filled_)]->SetCaption(text);
    ++filled_;
}

void ComboBox::Select(int32_t index) {
    if (index == -1) {
        face_->SetCaption(u"");
        selected_ = -1;
    } else if (index >= 0 && index < filled_) {
        face_->SetCaption(GetItemText(index));
        selected_ = index;
    }
}

platform::WString ComboBox::GetItemText(int32_t index) const {
    const Button* row = GetRow(index);
    return row != nullptr && row->GetCaption() != nullptr ? row->GetCaption()->GetText() : platform::WString();
}

void ComboBox::SetTooltip(platform::WStringView text) { face_->SetTooltip(text); }

bool ComboBox::OnEvent(Widget* source, int32_t, int32_t) {
    if (source == face_) {
        Open();
        return true;
    }
    const auto row = std::find(rows_.begin(), rows_.end(), source);
    if (row != rows_.end()) {
        Choose(static_cast<int32_t>(row - rows_.begin()));
        return true;
    }
    return false;
}

void ComboBox::Open() {
    WidgetToolkit& toolkit = WidgetToolkit::Get();
    Widget* previous = toolkit.GetActiveWidget();
    dropDown_->SetVisible(true);
    for (int32_t i = 0; i < static_cast<int32_t>(rows_.size()); ++i) {
        rows_[static_cast<size_t>(i)]->Show(i < filled_);
    }
    PlaceDropDown();
    if (previous != nullptr && previous != dropDown_) {
        previous->SetState(WidgetState::Normal);
    }
    toolkit.SetActiveWidget(dropDown_);
    toolkit.SetExclusiveWidget(dropDown_);
}

// Below the face, or above it when the list would run past the bottom of the screen.
void ComboBox::PlaceDropDown() {
    const int32_t rowStep = face_->Height() - 1;
    const int32_t listLength = rowStep * (filled_ + 1);
    const int32_t screenHeight = WidgetToolkit::Get().Services().GetScreenHeight();
    const int32_t faceBottom = face_->GetRect().bottom;
    if (screenHeight - listLength < faceBottom) {
        dropDown_->SetPosition(0, screenHeight - faceBottom - listLength);
    } else {
        dropDown_->SetPosition(0, rowStep);
    }
}

void ComboBox::Choose(int32_t index) {
    WidgetToolkit& toolkit = WidgetToolkit::Get();
    dropDown_->SetVisible(false);
    toolkit.SetActiveWidget(nullptr);
    toolkit.SetExclusiveWidget(nullptr);
    selected_ = index;
    if (autoCaption_) {
        Select(index);
    }
    if (Widget* parent = GetParent()) {
        parent->OnEvent(this, index, 0);
    }
}

}  // namespace kestrovan
