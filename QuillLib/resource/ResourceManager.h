#pragma once
// The engine subsystem that owns every open package: it turns a package path into a full path under the
// data folder, opens each package once and hands the same Package to later callers, closes packages on
// request and releases all of them at shutdown. It also dispatches resource events to its listeners and
// keeps the load context, which names the package, resource file and kind being read (and, after a failed
// load, the ones that failed).
//
// No lock: callers serialise their use of the manager and of the packages it holds.
#include <cstdint>
#include <map>
#include <vector>

#include "QuillLib/core/EngineSubsystem.h"
#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/resource/ResourceKind.h"

namespace quill {

class Package;
class ResourceDevice;
class ResourceFile;
class ResourceListener;

struct ResourceLoadContext {
    WString packageName;
    WString fileName;
    uint32_t kind = kHeaderKind;  // the table being read; kHeaderKind while the header is read
};

class ResourceManager : public EngineSubsystem {
public:
    ResourceManager() = default;
    // Shutdown; packages that others still hold forget the manager.
    ~ResourceManager() override;

    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;

    // Shutdown, then seeds the runtime's random generator (which draws the keys of scrambled names) with
    // the millisecond tick count. Always true.
    bool Initialize() override;
    // Releases every package (each one nobody else holds is destroyed with its files and items), then
    // calls OnShutdown(0) on every listener.
    void Shutdown() override;

    // rootFolder\dataFolder, leaving out what is empty.
    WString GetPackageFolder() const;
    // The package at path (relative to the package folder; ".tpk" is added when the path has no dot),
    // opened on the first call and the same Package afterwards. loadAll reads every resource file (for an
    // open package: the index again and the files not loaded yet). Null when the file cannot be opened or
    // is damaged; the pointer stays valid while the package is registered.
    Package* OpenPackage(WStringView path, bool loadAll);
    Package* FindPackage(WStringView name) const;
    // Enters the package under its folded name; false when the name is taken.
    bool RegisterPackage(const SharedPtr<Package>& package);
    // Removes the package's entry; it is destroyed unless someone else holds it. False when there was none.
    bool ClosePackage(WStringView name);
    // Moves a registered package that took a new name from its old entry to its new one.
    bool RenamePackage(WStringView oldName);

    // Listeners are not owned; they hear events in the order they were added.
    void AddListener(ResourceListener* listener);
    void NotifyItemEvent(uint32_t code, Package& package, ResourceFile& file, uint32_t kind, const uint32_t* id);
    void NotifyFileEvent(uint32_t code, Package& package, ResourceFile* file, WStringView fileName);
    void NotifyPackageEvent(uint32_t code, Package* package, WStringView packageName);

    void SetRootFolder(WStringView folder) { rootFolder_ = WString(folder); }
    void SetDataFolder(WStringView folder) { dataFolder_ = WString(folder); }

    // The device that makes the device objects (textures) of every loaded resource file and of those
    // loaded later. Packages load without one; null takes it away again (before the device goes).
    void SetRenderDevice(ResourceDevice* device);
    ResourceDevice* GetRenderDevice() const { return device_; }

    const ResourceLoadContext& GetLoadContext() const { return loadContext_; }
    void SetLoadContext(WStringView packageName, WStringView fileName, uint32_t kind);
    void SetCurrentFileName(WStringView fileName) { loadContext_.fileName = WString(fileName); }

    size_t PackageCount() const { return packages_.size(); }

private:
    Package* OpenNewPackage(const WString& fullPath, bool loadAll);

    WString rootFolder_;
    WString dataFolder_;
    ResourceDevice* device_ = nullptr;
    std::map<WString, SharedPtr<Package>> packages_;
    std::vector<ResourceListener*> listeners_;
    ResourceLoadContext loadContext_;
};

}  // namespace quill
