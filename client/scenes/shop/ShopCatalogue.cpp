#include "client/scenes/shop/ShopCatalogue.h"

#include "client/connection/GameConnection.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {


namespace {

// The tabs: control ids in their order on the panel.
constexpr int32_t kTabIds[] = {608, 607, 601, 602, 603, 604};
constexpr const char16_t* kTabCaptions[] = {u"Best", u"All", u"Cue", u"Ball", u"Table", u"Item"};

}  // namespace

ShopCatalogue::ShopCatalogue(GameConnection& connection)
    : connection_(connection), sale_(ShopGrid::SaleRows(table_)) {}

ShopCatalogue::~ShopCatalogue() {
    sale_.clear();
    recommended_.clear();
}

void ShopCatalogue::Build(Widget& mainPanel, int32_t top) {
    grid_.Build(mainPanel, top, kTabIds, kTabCaptions, kScroll);
}

void ShopCatalogue::Enter(bool partnerAccount) {
    recommended_ = ShopGrid::RecommendedRows(table_);
    if (partnerAccount) category_ = ShopGrid::kAll;
    grid_.ResetPage();
    grid_.CheckTab(category_);
}

void ShopCatalogue::SelectCategory(int32_t category) {
    category_ = category;
    grid_.CheckTab(category);
    grid_.ResetPage();
}

void ShopCatalogue::Refresh(const ShopItemText* selected) {
    WidgetToolkit::CheckTreeAccess("ShopCatalogue::Refresh");
    const std::vector<const ShopItemText*>& source = category_ == ShopGrid::kRecommended ? recommended_ : sale_;
    const ShopGridPage page =
        ShopGrid::ShopPage(source, category_, grid_.FirstRow(), connection_.LocalPlayer().accountKind);
    for (size_t n = 0; n < ShopGrid::kCells; ++n) {
        ShopItemCard& card = *grid_.Cell(n);
        if (n < page.shown.size()) {
            const ShopItemText& row = *source[page.shown[n]];
            card.SetItem(row);
            card.SetChecked(&row == selected);
        } else {
            card.Clear();
        }
    }
    grid_.ShowRange(page.range);
}

size_t ShopCatalogue::SaleCount() const {
    return sale_.size();
}

}  // namespace kestrovan
