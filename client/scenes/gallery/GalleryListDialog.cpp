#include "client/scenes/gallery/GalleryListDialog.h"

#include <algorithm>
#include <optional>
#include <string>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/gallery/GalleryExchange.h"
#include "client/scenes/gallery/GalleryListRow.h"
#include "client/scenes/gallery/GalleryLook.h"
#include "client/ui/Button.h"
#include "client/ui/ComboBox.h"
#include "client/ui/Panel.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/Clock.h"

namespace kestrovan {

namespace {

using namespace gallery_look;

// A gallery label with its text.
TextLabel* AddLabel(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, quill::WStringView text,
                    uint32_t colour) {
    TextLabel* label = gallery_look::AddLabel(parent, x, y, w, h, colour);
    label->SetText(text);
    return label;
}

Button* AddCaptioned(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t srcX, int32_t srcY,
                     quill::WStringView caption) {
    Button* button = parent.CreateButton(x, y, w, h, id, -1, kGalleryTexture, srcX, srcY);
    button->AddLabel(&UiFontAt(UiFont::Regular12), TextLabel::kAlignCentre, kWhite, 0, 0);
    button->SetCaption(caption);
    return button;
}

}  // namespace

GalleryListDialog::GalleryListDialog(GalleryServices services) : services_(std::move(services)) {
    Create(100, 100, kWidth, kHeight, -1, -1);
    SetImage(kGalleryTexture, 0, 0, kWidth, kHeight, 1.0f, 1.0f);
    SetModal(false);
    SetSounds(sound_id::kWindowOpen, sound_id::kPopup);
    reading_ = AddLabel(*this, 200, 190, 200, 20, u"List is being read.", kYellow);
    noBest_ = AddLabel(*this, 170, 190, 200, 20, u"There is no daily best shot.", kYellow);
    noBest_->Show(false);
    todaysBest_ = AddLabel(*this, 360, 10, 140, 20, u"Today's Best", kWhite);
    todaysBest_->Show(false);
    pageCaption_ = AddLabel(*this, 380, 10, 140, 20, u"", kWhite);
    pageCaption_->Show(false);
    for (size_t k = 0; k < kRows; ++k) {
        auto row = std::make_unique<GalleryListRow>(kFirstRow + static_cast<int32_t>(k));
        row->SetPosition(10, 83 + kRowPitch * static_cast<int32_t>(k));
        rows_[k] = static_cast<GalleryListRow*>(AddChild(std::move(row), false));
    }
    for (size_t k = 0; k < kPageButtons; ++k) {
        const int32_t i = static_cast<int32_t>(k);
        pageButtons_[k] =
            AddCaptioned(*this, 200 + 24 * i, 361, 19, 19, kFirstPageButton + i, 560, 0, quill::Format(u"%d", i + 1));
        pageButtons_[k]->SetCheckBox();
    }
    todaysBestButton_ = AddCaptioned(*this, 20, 360, 98, 22, kTodaysBest, 600, 0, u"Today's Best");
    todaysBestButton_->SetTooltip(u"Today's Best shot");
    jumps_ = {AddCaptioned(*this, 478, 359, 21, 21, kForward100, 560, 100, u">>"),
              AddCaptioned(*this, 453, 359, 21, 21, kForward10, 560, 100, u">"),
              AddCaptioned(*this, 170, 359, 21, 21, kBack10, 560, 100, u"<"),
              AddCaptioned(*this, 145, 359, 21, 21, kBack100, 560, 100, u"<<")};
    BuildDatePanel();
    Show(false);
}

void GalleryListDialog::BuildDatePanel() {
    datePanel_ = CreatePanel(10, 390, 522, 30, kGalleryTexture, 0, 400, 522, 30);
    AddLabel(*datePanel_, 150, 6, 40, 18, u"Year:", kWhite);
    AddLabel(*datePanel_, 280, 6, 50, 18, u"Month:", kWhite);
    AddLabel(*datePanel_, 395, 6, 40, 18, u"Day:", kWhite);
    // The years the gallery's shots can have: from its first year to today's, today's chosen. A clock set before
    // the first year still offers that one.
    const platform::LocalTime now = platform::GetLocalTime();
    const int32_t thisYear = std::max(now.year, kFirstYear);
    yearBox_ = AddDateBox(190, kYearBox, kFirstYear, thisYear - kFirstYear + 1);
    monthBox_ = AddDateBox(330, kMonthBox, 1, 12);
    dayBox_ = AddDateBox(435, kDayBox, 1, 31);
    yearBox_->Select(thisYear - kFirstYear);
    monthBox_->Select(now.month - 1);
    dayBox_->Select(now.day - 1);
}

ComboBox* GalleryListDialog::AddDateBox(int32_t x, int32_t id, int32_t first, int32_t count) {
    ComboBox* box = datePanel_->CreateComboBox(x, 5, 60, 20, id, -1, kGalleryTexture, 600, 100);
    box->GetFace()->AddLabel(&UiFontAt(UiFont::Regular12), TextLabel::kAlignCentre, kWhite, 0, 0);
    box->SetRowCount(count);
    for (int32_t value = first; value < first + count; ++value)
        box->AddItem(quill::Format(u"%d", value));
    return box;
}

Button* GalleryListDialog::JumpButton(int32_t id) const {
    for (Button* jump : jumps_)
        if (jump->GetId() == id)
            return jump;
    return nullptr;
}

// --- paging state ---

void GalleryListDialog::ResetPaging() {
    WidgetToolkit::CheckTreeAccess("GalleryListDialog::ResetPaging");
    pageBarStart_ = 1;
    requestedPage_ = 0;
    serverPage_ = 0;
    date_ = {};
    selectedRow_ = 0;
}

int32_t GalleryListDialog::RequestedPage() const {
    return requestedPage_;
}

int32_t GalleryListDialog::PageBarStart() const {
    return pageBarStart_;
}

int32_t GalleryListDialog::PageCount() const {
    return pageCount_;
}

int32_t GalleryListDialog::ServerPage() const {
    return serverPage_;
}

int32_t GalleryListDialog::EntryCount() const {
    return entryCount_;
}

int32_t GalleryListDialog::SelectedRow() const {
    return selectedRow_;
}

GalleryDate GalleryListDialog::DateFilter() const {
    return date_;
}

// --- refresh ---

void GalleryListDialog::OnShow() {
    Window::OnShow();
    CentreOnScreen(*this);
    Refresh();
}

void GalleryListDialog::Refresh() {
    std::string body;
    for (Button* jump : {JumpButton(kBack10), JumpButton(kForward10)})
        jump->SetEnabled(false);
    datePanel_->Show(requestedPage_ == 0);
    reading_->Show(true);
    entryCount_ = 0;
    for (GalleryListRow* row : rows_)
        row->Show(false);
    body = GalleryListBody(requestedPage_, requestedPage_ == 0 ? date_ : GalleryDate{});
    if (services_.exchange != nullptr)
        services_.exchange->Ask(kGalleryListPath, std::move(body));
}

// A failed post shows what the window holds: no rows (in today's best, "There is no daily best shot.").
bool GalleryListDialog::CompleteFetch() {
    const std::optional<GalleryExchange::Reply> reply =
        services_.exchange != nullptr ? services_.exchange->Collect() : std::nullopt;
    if (!reply)
        return false;
    if (*reply)
        ShowEntries(ParseGalleryList(**reply));
    FinishRefresh();
    return true;
}

bool GalleryListDialog::IsFetchPending() const {
    return services_.exchange != nullptr && services_.exchange->IsBusy();
}

void GalleryListDialog::ShowEntries(const GalleryListReply& reply) {
    WidgetToolkit::CheckTreeAccess("GalleryListDialog::ShowEntries");
    pageCount_ = reply.pageCount;
    serverPage_ = reply.serverPage;
    entryCount_ = reply.entryCount;
    if (reply.entries.empty())
        return;
    const bool todaysBest = requestedPage_ == 0;
    for (size_t i = 0; i < reply.entries.size(); ++i) {
        const GalleryListEntry& entry = reply.entries[i];
        const int32_t rank = todaysBest ? static_cast<int32_t>(i) + 1 : entry.shotNumber;
        rows_[i]->SetEntry(rank, entry.shotNumber, entry.gameType, entry.title, entry.nickname, entry.date,
                           entry.points);
        if (todaysBest && i < std::size(kPrizes))
            rows_[i]->SetPrize(kPrizes[i]);
        rows_[i]->Show(true);
    }
    // The boxes show the day the list is of; a year the box does not offer leaves its choice.
    if (todaysBest && ParseGalleryDate(reply.entries.back().date, date_)) {
        if (date_.year >= kFirstYear && date_.year - kFirstYear < yearBox_->GetFilledRows())
            yearBox_->Select(date_.year - kFirstYear);
        monthBox_->Select(date_.month - 1);
        dayBox_->Select(date_.day - 1);
    }
    for (GalleryListRow* row : rows_)
        row->SetToggled(false);
    for (size_t k = reply.entries.size(); k < kRows; ++k)
        rows_[k]->Show(false);
}

void GalleryListDialog::FinishRefresh() {
    WidgetToolkit::CheckTreeAccess("GalleryListDialog::FinishRefresh");
    reading_->Show(false);
    if (requestedPage_ == 0) {
        todaysBest_->Show(true);
        pageCaption_->Show(false);
        noBest_->Show(entryCount_ < 1);
    } else {
        noBest_->Show(false);
        todaysBest_->Show(false);
        pageCaption_->SetTextF(u"Page : %d", serverPage_);
        pageCaption_->Show(true);
    }
    LayOutPageBar();
}

void GalleryListDialog::LayOutPageBar() {
    if (pageCount_ <= static_cast<int32_t>(kPageButtons)) {
        for (size_t k = 0; k < kPageButtons; ++k) {
            const int32_t i = static_cast<int32_t>(k);
            pageButtons_[k]->SetCaption(quill::Format(u"%d", i + 1));
            pageButtons_[k]->Show(i < pageCount_);
        }
        return;
    }
    pageBarStart_ = (std::max(serverPage_ - 1, 0) / 10) * 10 + 1;
    for (size_t k = 0; k < kPageButtons; ++k) {
        const int32_t page = pageBarStart_ + static_cast<int32_t>(k);
        pageButtons_[k]->SetCaption(quill::Format(u"%d", page));
        pageButtons_[k]->Show(page <= pageCount_);
        pageButtons_[k]->SetChecked(page == requestedPage_);
    }
    JumpButton(kBack10)->SetEnabled(pageBarStart_ > 1);
    JumpButton(kForward10)->SetEnabled(pageBarStart_ + 10 <= pageCount_);
}

// --- controls ---

bool GalleryListDialog::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id >= kFirstRow && id < kFirstRow + static_cast<int32_t>(kRows)) {
        if (a != Button::kEnterEvent && a != Button::kLeaveEvent)
            ChooseRow(id - kFirstRow);
        return true;
    }
    if (id >= kFirstPageButton && id < kFirstPageButton + static_cast<int32_t>(kPageButtons)) {
        ChoosePage(id - kFirstPageButton);
        return true;
    }
    if (id == kYearBox || id == kMonthBox || id == kDayBox) {
        static_cast<ComboBox*>(source)->Select(a);
        ApplyDate();
        return true;
    }
    int32_t start = 0;
    int32_t pages = 0;
    start = pageBarStart_;
    pages = pageCount_;
    switch (id) {
        case kForward100:
            if (start + 100 <= pages)
                JumpTo(start + 100);
            return true;
        case kForward10:
            if (start + 10 <= pages)
                JumpTo(start + 10);
            return true;
        case kBack10:
            if (start - 10 >= 1)
                JumpTo(start - 10);
            return true;
        case kBack100:
            if (start - 100 >= 1)
                JumpTo(start - 100);
            return true;
        case kTodaysBest: {
            requestedPage_ = 0;
            date_ = {};
            UntogglePageButtons(nullptr);
        }
            Refresh();
            return true;
        default:
            return Window::OnEvent(source, a, b);
    }
}

void GalleryListDialog::JumpTo(int32_t page) {
    requestedPage_ = page;
    UntogglePageButtons(pageButtons_[0]);
    pageButtons_[0]->SetChecked(true);
    Refresh();
}

void GalleryListDialog::ChooseRow(int32_t row) {
    int32_t shot = 0;
    for (size_t k = 0; k < kRows; ++k)
        if (static_cast<int32_t>(k) != row)
            rows_[k]->SetToggled(false);
    selectedRow_ = row;
    shot = rows_[static_cast<size_t>(row)]->ShotNumber();
    SetVisible(false);
    if (services_.post)
        services_.post(quill::AppEventId::GalleryPage, static_cast<uint32_t>(shot));
}

void GalleryListDialog::ChoosePage(int32_t button) {
    const int32_t page = std::max(1, std::min(pageBarStart_ + button, pageCount_));
    Button* clicked = pageButtons_[static_cast<size_t>(button)];
    UntogglePageButtons(clicked);
    clicked->SetChecked(true);
    requestedPage_ = page;
    Refresh();
}

void GalleryListDialog::UntogglePageButtons(const Button* except) {
    for (Button* button : pageButtons_)
        if (button != except)
            button->SetChecked(false);
}

void GalleryListDialog::ApplyDate() {
    date_ = {FaceNumber(*yearBox_), FaceNumber(*monthBox_), FaceNumber(*dayBox_)};
    requestedPage_ = 0;
    UntogglePageButtons(nullptr);
    Refresh();
}

int32_t GalleryListDialog::FaceNumber(const ComboBox& box) {
    const TextLabel* face = box.GetFace()->GetCaption();
    const quill::WString text = face != nullptr ? face->GetText() : quill::WString();
    int32_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            break;
        value = value * 10 + (c - u'0');
    }
    return value;
}

}  // namespace kestrovan
