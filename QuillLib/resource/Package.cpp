#include "QuillLib/resource/Package.h"

#include <utility>

#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/StreamFields.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/ResourceListener.h"
#include "QuillLib/resource/ResourceManager.h"
#include "QuillLib/resource/ResourcePath.h"

namespace quill {

Package::Package(WStringView name, ResourceManager* manager) : name_(name), manager_(manager) {
    Clear();
}

Package::~Package() {
    Clear();
}

bool Package::ReadIndex(WStringView path, bool loadAll) {
    index_.clear();
    entries_.clear();
    FileStream stream{WString(path)};
    if (!stream.Open(FileStream::kRead)) {
        return false;
    }
    return ReadIndex(stream, path, loadAll);
}

bool Package::ReadIndex(Stream& stream, WStringView path, bool loadAll) {
    index_.clear();
    entries_.clear();
    budget_.Reset(stream.Size());
    uint32_t entryCount = 0;
    if (!ReadU32(stream, entryCount)) {
        return false;
    }
    if (entryCount == 0) {
        return true;
    }
    if (!ReadEntries(stream, entryCount) || (loadAll && !LoadAll(stream))) {
        Clear();
        return false;
    }
    if (!TakePath(path)) {
        return false;
    }
    if (registered_ && manager_) {
        manager_->NotifyPackageEvent(ResourceEvent::kPackageReread, this, name_);
    }
    return true;
}

bool Package::ReadEntries(Stream& stream, uint32_t entryCount) {
    for (uint32_t i = 0; i < entryCount; ++i) {
        IndexEntry entry;
        if (!ReadScrambledString(stream, entry.name, kIndexNameWidth) || !ReadU32(stream, entry.offset)) {
            return false;
        }
        if (!index_.emplace(ToLowerString(entry.name), entry.offset).second) {
            return false;
        }
        entries_.push_back(std::move(entry));
    }
    return true;
}

bool Package::LoadAll(Stream& stream) {
    for (const IndexEntry& entry : entries_) {
        // A file that is already loaded stays as it is: reading into its filled tables would fail and
        // clear the package, leaving every holder of its files with a dangling pointer.
        if (FindLoadedFile(entry.name)) {
            continue;
        }
        if (!LoadResourceFile(nullptr, stream, entry.name, true)) {
            return false;
        }
    }
    return true;
}

bool Package::TakePath(WStringView path) {
    const WString oldName = name_;
    path_ = WString(path);
    name_ = GetBaseName(path);
    return !registered_ || !manager_ || manager_->RenamePackage(oldName);
}

ResourceFile* Package::GetResourceFile(WStringView name, bool loadItems) {
    if (ResourceFile* loaded = FindLoadedFile(name)) {
        return loaded;
    }
    // A name the index lacks fails inside the load, which first records it in the load context: the
    // loading-error message names the file that was asked for.
    const std::unique_ptr<FileStream> stream = OpenStream(FileStream::kRead);
    return stream ? LoadResourceFile(nullptr, *stream, name, loadItems) : nullptr;
}

ResourceFile* Package::LoadResourceFile(ResourceFile* existing, Stream& stream, WStringView name, bool loadItems) {
    std::unique_ptr<ResourceFile> created;
    ResourceFile* file = existing;
    if (!file) {
        // Items load into memory without a device; their device objects are made once one is set.
        ResourceDevice* device = manager_ ? manager_->GetRenderDevice() : nullptr;
        created = std::make_unique<ResourceFile>(name, this, device);
        file = created.get();
    }
    if (manager_) {
        manager_->SetCurrentFileName(name);
    }
    const uint32_t offset = FindOffset(name);
    if (offset == kNone || offset > static_cast<uint32_t>(INT32_MAX)) {
        return nullptr;
    }
    if (created) {
        if (ResourceFile* shared = ShareLoadedFile(name, offset)) {
            return shared;
        }
    }
    if (!stream.Seek(Stream::kFromBegin, static_cast<int32_t>(offset)) || !file->Read(stream, loadItems)) {
        return nullptr;
    }
    if (created && !RegisterFile(std::move(created))) {
        return nullptr;
    }
    return file;
}

ResourceFile* Package::ShareLoadedFile(WStringView name, uint32_t offset) {
    for (const auto& [folded, file] : files_) {
        if (FindOffset(file->Name()) == offset) {
            const SharedPtr<ResourceFile> shared = file;
            files_.emplace(ToLowerString(name), shared);
            return shared.get();
        }
    }
    return nullptr;
}

bool Package::ChargeInflation(uint32_t position, uint32_t size) {
    if (budget_.Charge(position, size)) {
        return true;
    }
    TheLog().LogError(u"WARNING : package %s: its items inflate past %d MB; the item at %d is not loaded\n", name_,
                      static_cast<int32_t>(budget_.Limit() >> 20), static_cast<int32_t>(position));
    return false;
}

ResourceFile* Package::FindLoadedFile(WStringView name) const {
    const auto found = files_.find(ToLowerString(name));
    return found == files_.end() ? nullptr : found->second.get();
}

uint32_t Package::FindOffset(WStringView name) const {
    const auto found = index_.find(ToLowerString(name));
    return found == index_.end() ? kNone : found->second;
}

bool Package::RegisterFile(std::unique_ptr<ResourceFile> file) {
    ResourceFile* registered = file.get();
    SharedPtr<ResourceFile> shared(file.release());
    if (!files_.emplace(ToLowerString(registered->Name()), shared).second) {
        return false;
    }
    registered->SetRegistered(true);
    if (registered_ && manager_) {
        manager_->NotifyFileEvent(ResourceEvent::kFileRegistered, *this, registered, registered->Name());
    }
    return true;
}

bool Package::UnloadFile(WStringView name) {
    const auto found = files_.find(ToLowerString(name));
    if (found == files_.end()) {
        return false;
    }
    const WString fileName = WString(name);
    // Destroyed here unless someone else holds it; listeners hear about it once it has gone.
    files_.erase(found);
    if (registered_ && manager_) {
        manager_->NotifyFileEvent(ResourceEvent::kFileUnloaded, *this, nullptr, fileName);
    }
    return true;
}

void Package::Clear() {
    std::map<WString, SharedPtr<ResourceFile>> released;
    released.swap(files_);
    for (auto& entry : released) {
        entry.second.reset();
    }
    path_.clear();
    if (registered_ && manager_) {
        manager_->NotifyPackageEvent(ResourceEvent::kPackageCleared, this, name_);
    }
}

void Package::ReleaseTextures() {
    for (auto& entry : files_) {
        entry.second->ReleaseTextures();
    }
}

void Package::SetRenderDevice(ResourceDevice* device) {
    for (auto& entry : files_) {
        entry.second->SetDevice(device);
    }
}

std::unique_ptr<FileStream> Package::OpenStream(int mode) const {
    auto stream = std::make_unique<FileStream>(path_);
    if (!stream->Open(mode)) {
        return nullptr;
    }
    return stream;
}

}  // namespace quill
