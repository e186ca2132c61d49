#include <gtest/gtest.h>

#include <set>

#include "QuillLib/net/MessageCatalogue.h"

namespace quill {
namespace {

TEST(MessageCatalogue, HoldsEveryMessageOnceInIdOrder) {
    const auto catalogue = MessageCatalogue();
    EXPECT_EQ(catalogue.size(), 224u);
    std::set<std::string_view> names;
    for (size_t i = 0; i < catalogue.size(); ++i) {
        EXPECT_TRUE(names.insert(catalogue[i].name).second) << catalogue[i].name;
        if (i > 0) {
            EXPECT_LT(catalogue[i - 1].id, catalogue[i].id);
        }
        EXPECT_EQ(FindMessage(catalogue[i].id), &catalogue[i]);
    }
    EXPECT_EQ(FindMessage(static_cast<MessageId>(4)), nullptr);
    EXPECT_EQ(MessageName(static_cast<MessageId>(60000)), "unknown");
}

}  // namespace
}  // namespace quill
