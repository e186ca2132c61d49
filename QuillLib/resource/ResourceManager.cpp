#include "QuillLib/resource/ResourceManager.h"

#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceListener.h"
#include "QuillLib/resource/ResourcePath.h"
#include "platform/system/Clock.h"
#include "platform/system/Rand.h"

namespace quill {

ResourceManager::~ResourceManager() {
    std::vector<WeakPtr<Package>> held;
    for (const auto& entry : packages_) {
        held.emplace_back(entry.second);
    }
    Shutdown();
    for (const WeakPtr<Package>& weak : held) {
        if (SharedPtr<Package> survivor = weak.lock()) {
            survivor->DetachManager();
        }
    }
}

bool ResourceManager::Initialize() {
    Shutdown();
    platform::SRand(platform::TimeGetTime());
    return true;
}

void ResourceManager::Shutdown() {
    // Packages send events while they are destroyed; by then the map no longer holds them. They go in
    // name order.
    std::map<WString, SharedPtr<Package>> released;
    released.swap(packages_);
    for (auto& entry : released) {
        entry.second.reset();
    }
    for (ResourceListener* listener : std::vector<ResourceListener*>(listeners_)) {
        listener->OnShutdown(0);
    }
}

WString ResourceManager::GetPackageFolder() const {
    if (dataFolder_.empty()) {
        return rootFolder_;
    }
    if (rootFolder_.empty()) {
        return dataFolder_;
    }
    return rootFolder_ + u"\\" + dataFolder_;
}

Package* ResourceManager::OpenPackage(WStringView path, bool loadAll) {
    const WString folder = GetPackageFolder();
    WString relative(path);
    EnsurePackageExtension(relative);
    const WString name = GetBaseName(relative);
    const WString fullPath = folder.empty() ? relative : folder + u"\\" + relative;
    SetLoadContext(name, WString(), loadContext_.kind);
    if (Package* open = FindPackage(name)) {
        if (loadAll && !open->ReadIndex(fullPath, true)) {
            return nullptr;
        }
        return open;
    }
    return OpenNewPackage(fullPath, loadAll);
}

Package* ResourceManager::OpenNewPackage(const WString& fullPath, bool loadAll) {
    SharedPtr<Package> package = quill::make_shared<Package>(GetBaseName(fullPath), this);
    if (!package->ReadIndex(fullPath, loadAll) || !RegisterPackage(package)) {
        return nullptr;
    }
    return package.get();
}

Package* ResourceManager::FindPackage(WStringView name) const {
    const auto found = packages_.find(ToLowerString(name));
    return found == packages_.end() ? nullptr : found->second.get();
}

bool ResourceManager::RegisterPackage(const SharedPtr<Package>& package) {
    if (!packages_.emplace(ToLowerString(package->Name()), package).second) {
        return false;
    }
    package->SetRegistered(true);
    NotifyPackageEvent(ResourceEvent::kPackageRegistered, package.get(), package->Name());
    return true;
}

bool ResourceManager::ClosePackage(WStringView name) {
    const auto found = packages_.find(ToLowerString(name));
    if (found == packages_.end()) {
        return false;
    }
    const WString closedName(name);
    SharedPtr<Package> released = std::move(found->second);
    packages_.erase(found);
    released.reset();  // a package nobody else holds is cleared and destroyed here
    NotifyPackageEvent(ResourceEvent::kPackageClosed, nullptr, closedName);
    return true;
}

bool ResourceManager::RenamePackage(WStringView oldName) {
    const auto found = packages_.find(ToLowerString(oldName));
    if (found == packages_.end()) {
        return false;
    }
    const SharedPtr<Package> package = found->second;
    if (ToLowerString(package->Name()) == found->first) {
        return true;
    }
    packages_.erase(found);
    return RegisterPackage(package);
}

void ResourceManager::SetRenderDevice(ResourceDevice* device) {
    device_ = device;
    for (const auto& entry : packages_) {
        entry.second->SetRenderDevice(device);
    }
}

void ResourceManager::AddListener(ResourceListener* listener) {
    listeners_.push_back(listener);
}

// Dispatch walks a copy of the list, so that a listener may add listeners.
void ResourceManager::NotifyItemEvent(uint32_t code, Package& package, ResourceFile& file, uint32_t kind,
                                      const uint32_t* id) {
    for (ResourceListener* listener : std::vector<ResourceListener*>(listeners_)) {
        listener->OnItemEvent(code, package, file, kind, id);
    }
}

void ResourceManager::NotifyFileEvent(uint32_t code, Package& package, ResourceFile* file, WStringView fileName) {
    for (ResourceListener* listener : std::vector<ResourceListener*>(listeners_)) {
        listener->OnFileEvent(code, package, file, fileName);
    }
}

void ResourceManager::NotifyPackageEvent(uint32_t code, Package* package, WStringView packageName) {
    for (ResourceListener* listener : std::vector<ResourceListener*>(listeners_)) {
        listener->OnPackageEvent(code, package, packageName);
    }
}

void ResourceManager::SetLoadContext(WStringView packageName, WStringView fileName, uint32_t kind) {
    loadContext_.packageName = WString(packageName);
    loadContext_.fileName = WString(fileName);
    loadContext_.kind = kind;
}

}  // namespace quill
