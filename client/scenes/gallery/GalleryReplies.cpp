#include "client/scenes/gallery/GalleryReplies.h"

#include <algorithm>
#include <cstdio>

#include "client/scenes/gallery/GalleryReplyReader.h"

namespace kestrovan {

namespace {

// Signed decimal digits of a wide text from at; false when there is none.
bool ReadInteger(quill::WStringView text, size_t& at, int32_t& value) {
    size_t end = at;
    while (end < text.size() && (text[end] == u' ' || text[end] == u'\t'))
        ++end;
    std::string digits;
    if (end < text.size() && (text[end] == u'-' || text[end] == u'+'))
        digits += static_cast<char>(text[end++]);
    const size_t first = end;
    while (end < text.size() && text[end] >= u'0' && text[end] <= u'9' && end - first < 10) {
        digits += static_cast<char>(text[end++]);
    }
    if (end == first)
        return false;
    value = GalleryReplyReader::ReadNumber(digits);
    at = end;
    return true;
}

}  // namespace

std::string GalleryListBody(int32_t page, const GalleryDate& date) {
    char body[512] = {};
    if (page == 0 && date.year != 0) {
        std::snprintf(body, sizeof body, "Page_list=%d&getdate=%02d%02d%02d", page, date.year, date.month, date.day);
    } else {
        std::snprintf(body, sizeof body, "Page_list=%d", page);
    }
    return body;
}

std::string GalleryShotBody(int32_t shotNumber) {
    char body[512] = {};
    std::snprintf(body, sizeof body, "shot_seq=%d", shotNumber);
    return body;
}

GalleryListReply ParseGalleryList(std::string_view text) {
    GalleryReplyReader reader(text);
    GalleryListReply reply;
    reply.pageCount = reader.NextNumber();
    reply.serverPage = reader.NextNumber();
    reply.entryCount = reader.NextNumber();
    const size_t count = std::min<size_t>(std::max(reply.entryCount, 0), GalleryListReply::kMaxEntries);
    for (size_t i = 0; i < count; ++i) {
        GalleryListEntry entry;
        entry.shotNumber = reader.NextNumber();
        entry.title = reader.NextText(GalleryListEntry::kTitleChars);
        entry.nickname = reader.NextText(GalleryListEntry::kNicknameChars);
        entry.gameType = reader.NextNumber();
        entry.date = reader.NextText(GalleryListEntry::kDateChars);
        reader.Skip();
        entry.points = reader.NextNumber();
        reply.entries.push_back(std::move(entry));
    }
    return reply;
}

bool ParseGalleryDate(quill::WStringView text, GalleryDate& date) {
    size_t at = 0;
    GalleryDate read;
    if (!ReadInteger(text, at, read.year) || at >= text.size() || text[at++] != u'-')
        return false;
    if (!ReadInteger(text, at, read.month) || at >= text.size() || text[at++] != u'-')
        return false;
    if (!ReadInteger(text, at, read.day))
        return false;
    date = read;
    return true;
}

GalleryShotReply ParseGalleryShot(std::string_view text) {
    GalleryReplyReader reader(text);
    GalleryShotReply reply;
    reader.Skip();
    reply.nickname = reader.NextText(GalleryShotReply::kNicknameChars);
    reply.title = reader.NextText(GalleryShotReply::kTitleChars);
    reply.subtitle = reader.NextText(GalleryShotReply::kSubtitleChars);
    reply.points = reader.NextNumber();
    reply.shotText = reader.NextBytes(GalleryShotReply::kShotTextBytes);
    const int32_t count = reader.NextNumber();
    for (int32_t i = 0; i < count && !reader.AtEnd() && reply.comments.size() < GalleryShotReply::kMaxComments; ++i) {
        GalleryComment comment;
        comment.nickname = reader.NextText(GalleryComment::kNicknameChars);
        comment.points = reader.NextNumber();
        comment.text = reader.NextText(GalleryComment::kTextChars);
        reply.comments.push_back(std::move(comment));
    }
    return reply;
}

}  // namespace kestrovan
