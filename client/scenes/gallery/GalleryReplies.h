#pragma once
// The two exchanges of the shot gallery's web service: the form bodies the client posts and the replies it
// reads back.
//
// A list post asks for one page of all registered shots (page n >= 1) or for today's best shots (page 0),
// optionally of a given day; its reply gives the page count, the page it describes and up to ten entries. A
// shot post asks for one shot by its number; its reply gives the shooter, the texts, the points, the shot
// record as hexadecimal text and the comments. Replies come from outside and are read within their bytes:
// texts are cut to their fields, entries beyond ten are not read, comments stop at the reply's end or at
// kMaxComments, and a negative count reads as none.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "QuillLib/core/WString.h"

namespace kestrovan {

inline constexpr std::string_view kGalleryListPath = "/shot/shot_list_T.asp";
inline constexpr std::string_view kGalleryShotPath = "/shot/shot_data_T.asp";

struct GalleryDate {
    int32_t year = 0;  // 0: no date
    int32_t month = 0;
    int32_t day = 0;
};

// "Page_list=%d", or with page 0 and a date "Page_list=0&getdate=%02d%02d%02d".
std::string GalleryListBody(int32_t page, const GalleryDate& date);
// "shot_seq=%d".
std::string GalleryShotBody(int32_t shotNumber);

struct GalleryListEntry {
    static constexpr size_t kTitleChars = 99;
    static constexpr size_t kNicknameChars = 13;
    static constexpr size_t kDateChars = 39;

    int32_t shotNumber = 0;
    quill::WString title;
    quill::WString nickname;
    int32_t gameType = 0;
    quill::WString date;
    int32_t points = 0;
};

struct GalleryListReply {
    static constexpr size_t kMaxEntries = 10;

    int32_t pageCount = 0;
    int32_t serverPage = 0;
    int32_t entryCount = 0;  // as the reply says; the entries read are at most ten
    std::vector<GalleryListEntry> entries;
};

GalleryListReply ParseGalleryList(std::string_view reply);

// The date of a today's-best entry ("2009-3-30"), read as "%d-%d-%d"; false when it is not one.
bool ParseGalleryDate(quill::WStringView text, GalleryDate& date);

struct GalleryComment {
    static constexpr size_t kNicknameChars = 12;
    static constexpr size_t kTextChars = 31;

    quill::WString nickname;
    quill::WString text;
    int32_t points = 0;
};

struct GalleryShotReply {
    static constexpr size_t kNicknameChars = 13;
    static constexpr size_t kTitleChars = 99;
    static constexpr size_t kSubtitleChars = 79;
    static constexpr size_t kShotTextBytes = 1499;
    static constexpr size_t kMaxComments = 1000;

    quill::WString nickname;
    quill::WString title;
    quill::WString subtitle;
    int32_t points = 0;
    std::string shotText;
    std::vector<GalleryComment> comments;
};

GalleryShotReply ParseGalleryShot(std::string_view reply);

}  // namespace kestrovan
