#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "QuillLib/core/ChangeNotifier.h"

namespace quill {
namespace {

class RecordingListener : public ChangeListener {
public:
    RecordingListener(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
    void OnChange(uint32_t code, uint16_t sceneId, const void* value) override {
        log_.push_back(name_ + " " + std::to_string(code) + " " + std::to_string(sceneId) + " " +
                       std::to_string(*static_cast<const int*>(value)));
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

TEST(ChangeNotifierTest, CallsListenersInListOrderWithTheValues) {
    std::vector<std::string> log;
    RecordingListener first("first", log);
    RecordingListener second("second", log);
    RecordingListener third("third", log);
    ChangeNotifier notifier;
    notifier.AddListener(&first);
    notifier.AddListener(&second);
    notifier.AddListener(&third);

    const int value = 42;
    notifier.Notify(8, 3, &value);
    notifier.RemoveListener(&second);
    notifier.Notify(2, 65535, &value);
    EXPECT_EQ(log, (std::vector<std::string>{"first 8 3 42", "second 8 3 42", "third 8 3 42", "first 2 65535 42",
                                             "third 2 65535 42"}));
}

}  // namespace
}  // namespace quill
