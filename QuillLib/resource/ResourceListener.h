#pragma once
// The listener interface of resource events. The ResourceManager calls its listeners synchronously, in
// the order they were added, on the thread of the operation that made the change, after the change.
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace quill {

class Package;
class ResourceFile;

// Event codes, grouped by the slot that receives them.
namespace ResourceEvent {
// OnPackageEvent
constexpr uint32_t kPackageRegistered = 1;  // the package entered the manager's map
constexpr uint32_t kPackageClosed = 2;      // its entry was removed; only the name is passed
constexpr uint32_t kPackageReread = 10;     // its index was read again
constexpr uint32_t kPackageCleared = 11;    // it lost its resource files
// OnFileEvent
constexpr uint32_t kFileRegistered = 12;  // the file entered its package
constexpr uint32_t kFileUnloaded = 13;    // the file left its package; only the name is passed
// OnItemEvent
constexpr uint32_t kItemInserted = 20;
constexpr uint32_t kItemInsertedAt = 21;
constexpr uint32_t kItemRemoved = 22;
constexpr uint32_t kItemRenamed = 23;
}  // namespace ResourceEvent

class ResourceListener {
public:
    virtual ~ResourceListener() = default;

    // kind is the table's kind index 0..13; id points to the item's id.
    virtual void OnItemEvent(uint32_t code, Package& package, ResourceFile& file, uint32_t kind,
                             const uint32_t* id) = 0;
    // file is the registered file for kFileRegistered and null for kFileUnloaded; fileName is its name.
    virtual void OnFileEvent(uint32_t code, Package& package, ResourceFile* file, WStringView fileName) = 0;
    // package is null for kPackageClosed; packageName is the package's name in every case.
    virtual void OnPackageEvent(uint32_t code, Package* package, WStringView packageName) = 0;
    // After ResourceManager::Shutdown has released every package; value is always 0.
    virtual void OnShutdown(uint32_t value) = 0;
};

}  // namespace quill
