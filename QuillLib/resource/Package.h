#pragma once
// One open package file: its index of resource files (name to offset) and the resource files loaded from
// it so far. Loading is lazy: a package opens with only its index read, and each resource file is read
// when it is first asked for, unless the package was opened with loadAll.
//
// Index entries that give the same offset share one loaded resource file, and every item a package
// inflates is charged to its InflateBudget: a package whose items claim more fails to load them, with a log
// line, rather than exhausting time and memory.
//
// Index layout (little-endian): u32 entryCount, then per entry a 16-byte scrambled name field and the u32
// absolute offset of the resource file's header. Names are compared without regard to ASCII case; two
// entries whose folded names are equal make the index invalid.
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "QuillLib/core/FileStream.h"
#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/resource/InflateBudget.h"

namespace quill {

class ResourceDevice;
class ResourceFile;
class ResourceManager;

class Package {
public:
    // The width of an index entry's scrambled name field.
    static constexpr uint32_t kIndexNameWidth = 16;

    // An index entry in the name's case as the file gives it.
    struct IndexEntry {
        WString name;
        uint32_t offset;
    };

    Package(WStringView name, ResourceManager* manager);
    // Clears the package (event kPackageCleared when registered).
    ~Package();

    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    // Reads the index of the package file at path; with loadAll also every resource file not loaded yet.
    // A damaged index or a failed load clears the package and returns false. On success the package takes
    // path and its base name (renaming its manager entry when registered).
    bool ReadIndex(WStringView path, bool loadAll);
    // The same, from a stream already open on the package file.
    bool ReadIndex(Stream& stream, WStringView path, bool loadAll);

    // The loaded file of that name, or loads it from the package file; null when the package has no such
    // file, the file does not open or the load fails.
    ResourceFile* GetResourceFile(WStringView name, bool loadItems);
    // Reads the file name from stream into existing, or into a new file that is then registered. A new file
    // gets the manager's render device, when there is one. On failure a new file is destroyed; an existing
    // one stays as the failed read left it.
    ResourceFile* LoadResourceFile(ResourceFile* existing, Stream& stream, WStringView name, bool loadItems);
    ResourceFile* FindLoadedFile(WStringView name) const;
    // The offset of the named resource file; kNone when the index has no such name.
    uint32_t FindOffset(WStringView name) const;
    // Takes ownership of file under its folded name; false (destroying file) when the name is taken.
    bool RegisterFile(std::unique_ptr<ResourceFile> file);
    // Charges an item's inflated size to the package's budget (see InflateBudget); false, with a log line,
    // when it passes the budget and the item must not be inflated.
    bool ChargeInflation(uint32_t position, uint32_t size);
    // Destroys the loaded file of that name, unless someone else holds it; false when none was loaded.
    bool UnloadFile(WStringView name);
    // Drops every loaded file and the path; the index stays.
    void Clear();
    // Gives back the device textures of every loaded file, in name order; the items stay loaded.
    void ReleaseTextures();
    // Gives every loaded file the device its device objects are made with (null: none).
    void SetRenderDevice(ResourceDevice* device);

    // A new stream on the package file opened with mode (FileStream::kRead ...); null when it does not open.
    std::unique_ptr<FileStream> OpenStream(int mode) const;

    const WString& Name() const { return name_; }
    const WString& Path() const { return path_; }
    ResourceManager* GetManager() const { return manager_; }
    // The manager goes before the package when the package outlives it.
    void DetachManager() { manager_ = nullptr; }
    bool IsRegistered() const { return registered_; }
    void SetRegistered(bool registered) { registered_ = registered; }
    // The index in file order.
    const std::vector<IndexEntry>& IndexEntries() const { return entries_; }
    size_t LoadedFileCount() const { return files_.size(); }

private:
    bool ReadEntries(Stream& stream, uint32_t entryCount);
    bool LoadAll(Stream& stream);
    bool TakePath(WStringView path);
    // The loaded file that another index entry with the same offset loaded, now registered under name too;
    // null when there is none.
    ResourceFile* ShareLoadedFile(WStringView name, uint32_t offset);

    WString name_;
    WString path_;
    ResourceManager* manager_;
    bool registered_ = false;
    std::map<WString, uint32_t> index_;
    std::vector<IndexEntry> entries_;
    std::map<WString, SharedPtr<ResourceFile>> files_;
    InflateBudget budget_;
};

}  // namespace quill
