#include "client/scenes/community/MemberListPage.h"

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/UserDirectory.h"
#include "client/scenes/common/ListPager.h"

namespace kestrovan {

namespace {

bool IsOnline(const quill::PlayerState& record) {
    return static_cast<int8_t>(record.channel) >= 0;
}

}  // namespace

int32_t MemberListPage::ScrollRange(int32_t count) {
    return ListPager(kRows).Range(count);
}

int32_t MemberListPage::ClampFirstRow(int32_t firstRow, int32_t count) {
    ListPager pager(kRows);
    pager.ScrollTo(firstRow, count);
    return pager.First();
}

MemberListPage MemberListPage::Read(quill::UserDirectory& directory, int32_t firstRow) {
    MemberListPage page;
    quill::ScopedLock hold(directory.GetLock());
    page.count = static_cast<int32_t>(directory.Records().size());
    page.firstRow = ClampFirstRow(firstRow, page.count);
    page.scrollRange = ScrollRange(page.count);
    int32_t index = 0;
    for (const bool online : {true, false}) {
        for (const auto& [id, record] : directory.Records()) {
            if (IsOnline(*record) != online)
                continue;
            ++index;
            if (index >= page.firstRow && static_cast<int32_t>(page.rows.size()) < kRows)
                page.rows.push_back(MemberSnapshot::Of(*record));
        }
    }
    return page;
}

}  // namespace kestrovan
