#include <gtest/gtest.h>

#include <string>

#include "QuillLib/core/ChangeNotifier.h"

namespace quill {
namespace {

// Appends "<name> <code> <scene> <value>;" for every change it is told of.
struct RecordingListener : ChangeListener {
    RecordingListener(std::string name, std::string& log) : name(std::move(name)), log(log) {}
    void OnChange(uint32_t code, uint16_t sceneId, const void* value) override {
        log += name + " " + std::to_string(code) + " " + std::to_string(sceneId) + " " +
               std::to_string(*static_cast<const int*>(value)) + ";";
    }
    std::string name;
    std::string& log;
};

TEST(ChangeNotifierTest, CallsListenersInListOrderWithTheValues) {
    std::string log;
    RecordingListener first("first", log), second("second", log), third("third", log);
    ChangeNotifier notifier;
    notifier.AddListener(&first);
    notifier.AddListener(&second);
    notifier.AddListener(&third);

    const int value = 42;
    notifier.Notify(8, 3, &value);
    notifier.RemoveListener(&second);
    notifier.Notify(2, 65535, &value);
    EXPECT_EQ(log, "first 8 3 42;second 8 3 42;third 8 3 42;first 2 65535 42;third 2 65535 42;");
}

}  // namespace
}  // namespace quill
