#include "platform/system/posix/InstanceLock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/common/TempDirectory.h"

namespace platform {
namespace {

// Sets an environment variable for the test's span (unset when value is null).
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedVariable() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

mode_t ModeOf(const std::filesystem::path& path) {
    struct stat status {};
    EXPECT_EQ(lstat(path.c_str(), &status), 0) << path;
    return status.st_mode & 0777;
}

// Without XDG_RUNTIME_DIR the lock goes into a folder of the user's own, which nobody else can have made for
// him; one that others may enter is not used, and the lock never follows a link.
TEST(InstanceLock, WithoutARuntimeFolderTheLockLivesInAPrivateFolder) {
    kvtest::TempDirectory temporary;
    const std::string home = (temporary.Path() / "home").string();
    std::filesystem::create_directory(home);
    ScopedVariable runtime("XDG_RUNTIME_DIR", nullptr);
    ScopedVariable homeVariable("HOME", home.c_str());

    const std::string folder = (temporary.Path() / ("Kv-" + std::to_string(getuid()))).string();
    const std::string path = InstanceLock::DefaultPath("Kv", temporary.Path().string());
    EXPECT_EQ(path, folder + "/Kv.lock");
    EXPECT_EQ(ModeOf(folder), 0700u);
    InstanceLock first;
    ASSERT_EQ(first.Acquire(path), InstanceLock::Result::Acquired);
    InstanceLock second;
    EXPECT_EQ(second.Acquire(path), InstanceLock::Result::AlreadyRunning);
    first.Release();

    // A folder that others may write into (made by someone before the user's first start) is passed over.
    std::filesystem::permissions(folder, std::filesystem::perms::all);
    EXPECT_EQ(InstanceLock::DefaultPath("Kv", temporary.Path().string()), home + "/.Kv.lock");

    // A link planted where the lock file goes is not followed.
    const std::string planted = (temporary.Path() / "planted.lock").string();
    std::filesystem::create_symlink(temporary.Path() / "target", planted);
    EXPECT_EQ(second.Acquire(planted), InstanceLock::Result::Failed);
    EXPECT_FALSE(std::filesystem::exists(temporary.Path() / "target"));
}

}  // namespace
}  // namespace platform
