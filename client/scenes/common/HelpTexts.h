#pragma once
// The help window's rule pages: for each game type that has one, a short summary shown beside the game's
// picture and the detailed rules below it, in Korean and in English. Pure data.
#include <cstdint>
#include <span>

#include "QuillLib/core/WString.h"

namespace kestrovan {

struct RulesPage {
    std::span<const quill::WStringView> summary;  // at most RulesPage::kSummaryLines
    std::span<const quill::WStringView> details;  // at most RulesPage::kDetailLines

    static constexpr size_t kSummaryLines = 6;
    static constexpr size_t kDetailLines = 14;

    size_t LineCount() const { return summary.size() + details.size(); }
};

enum class HelpLanguage { Korean, English };

// The page of the game type; an empty page for a type without one.
RulesPage RulesPageOf(int32_t gameType, HelpLanguage language);

}  // namespace kestrovan
