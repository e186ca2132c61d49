// Feeds arbitrary bytes to the readers of the shot gallery's web replies (they come from the web site, or
// from whatever answers in its place). The first byte picks the list or the shot reader; the rest is the
// reply. Nothing may read past the reply; entries, comments, texts and the shot text stay within their limits
// and the page fields are read as the reply wrote them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "client/scenes/gallery/GalleryReplies.h"
#include "client/scenes/gallery/GalleryReplyReader.h"

namespace {

using namespace kestrovan;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void CheckList(std::string_view reply) {
    const GalleryListReply list = ParseGalleryList(reply);
    Check(list.entries.size() <= GalleryListReply::kMaxEntries);
    Check(list.entryCount < 1
              ? list.entries.empty()
              : list.entries.size() == std::min<size_t>(list.entryCount, GalleryListReply::kMaxEntries));
    for (const GalleryListEntry& entry : list.entries) {
        Check(entry.title.size() <= GalleryListEntry::kTitleChars);
        Check(entry.nickname.size() <= GalleryListEntry::kNicknameChars);
        Check(entry.date.size() <= GalleryListEntry::kDateChars);
        GalleryDate date;
        ParseGalleryDate(entry.date, date);
    }
}

void CheckShot(std::string_view reply) {
    const GalleryShotReply shot = ParseGalleryShot(reply);
    Check(shot.nickname.size() <= GalleryShotReply::kNicknameChars);
    Check(shot.title.size() <= GalleryShotReply::kTitleChars);
    Check(shot.subtitle.size() <= GalleryShotReply::kSubtitleChars);
    Check(shot.shotText.size() <= GalleryShotReply::kShotTextBytes);
    Check(shot.comments.size() <= GalleryShotReply::kMaxComments);
    // Every comment takes at least one separator of the reply.
    Check(shot.comments.size() <= reply.size() / 4 + 1);
    for (const GalleryComment& comment : shot.comments) {
        Check(comment.nickname.size() <= GalleryComment::kNicknameChars);
        Check(comment.text.size() <= GalleryComment::kTextChars);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const std::string_view reply(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] % 2 == 0) {
        CheckList(reply);
    } else {
        CheckShot(reply);
    }
    GalleryReplyReader::ReadNumber(reply);
    return 0;
}
