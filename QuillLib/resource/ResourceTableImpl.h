#pragma once
// The resource table of one item class: an ordered map from item id to the shared item, and the
// operations by which items enter and leave it. Each kind's table derives from it and adds the kind's
// body loader and saver and, for kinds whose items depend on others, the hooks that carry additions and
// removals over to the sibling tables of the same file.
//
// Two id regimes, chosen once per process by the resource option record when the table is built:
// - data ids (the game's): an item's id is whatever its record or creator gave it; gaps and shared names
//   are allowed;
// - dense ids with a name index: names are unique, new items take the next id of a counter, and removing
//   an item renumbers every later one down by one, so that ids stay 0 .. count-1.
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/core/StreamFields.h"
#include "QuillLib/resource/IdHeaderExport.h"
#include "QuillLib/resource/ResourceFields.h"
#include "QuillLib/resource/ResourceListener.h"
#include "QuillLib/resource/ResourceOptions.h"
#include "QuillLib/resource/ResourceTable.h"

namespace quill {

template <typename T>
class ResourceTableImpl : public ResourceTable {
public:
    using Item = T;

    ResourceTableImpl(ResourceFile* owner, WString name, ResourceKind kind)
        : ResourceTable(owner, std::move(name), kind) {
        if (GetResourceOptions().keepNameIndex) {
            nameIndex_ = std::make_unique<std::map<WString, uint32_t>>();
        }
    }

    void Clear() override {
        // Items may be destroyed here; take them out first so that nothing sees a half-emptied map.
        std::map<uint32_t, SharedPtr<T>> released;
        released.swap(items_);
        if (nameIndex_) {
            nameIndex_->clear();
        }
    }

    uint32_t GetCount() const override { return static_cast<uint32_t>(items_.size()); }

    std::vector<uint32_t> GetIds() const override {
        std::vector<uint32_t> ids;
        ids.reserve(items_.size());
        for (const auto& entry : items_) {
            ids.push_back(entry.first);
        }
        return ids;
    }

    SharedPtr<NamedObject> FindById(const uint32_t& id) const override { return FindShared(id); }

    // The typed lookup: the item stored under id, or empty.
    SharedPtr<T> FindShared(const uint32_t& id) const {
        const auto found = items_.find(id);
        return found == items_.end() ? SharedPtr<T>() : found->second;
    }

    bool IsReferenced(const uint32_t& id) const override {
        const SharedPtr<T> item = FindShared(id);
        // The table's reference and this one make two.
        return item && item.use_count() > 2;
    }

    bool HasNameIndex() const { return nameIndex_ != nullptr; }
    uint32_t NextId() const { return nextId_; }

    // Registers an item and returns the item the table holds under the resulting id: the given one, or
    // the one that already held the id (or, with a name index, the name).
    SharedPtr<T> Insert(SharedPtr<T> item) {
        if (nameIndex_) {
            const auto [named, added] = nameIndex_->emplace(item->name, nextId_);
            if (!added) {
                return FindShared(named->second);
            }
            item->id = nextId_;
        }
        const auto [slot, inserted] = items_.emplace(item->id, item);
        if (inserted) {
            if (nameIndex_) {
                ++nextId_;
            }
            RaiseItemEvent(ResourceEvent::kItemInserted, item->id);
        }
        return slot->second;
    }

    // Registers an item at a given id. Without a name index the id must be a position of the item offsets
    // and free, and the item's own id is left as it is. With a name index the id may be any up to the
    // counter; the items from id on move up by one.
    SharedPtr<T> InsertAt(SharedPtr<T> item, const uint32_t& id) {
        if (!nameIndex_) {
            if (id >= ItemOffsets().size() || !items_.emplace(id, item).second) {
                return {};
            }
            RaiseItemEvent(ResourceEvent::kItemInsertedAt, item->id);
            return item;
        }
        if (id > nextId_ || !nameIndex_->emplace(item->name, id).second) {
            return {};
        }
        item->id = id;
        std::vector<SharedPtr<T>> later = TakeFrom(id);
        items_.emplace(id, item);
        uint32_t nextKey = id + 1;
        for (SharedPtr<T>& moved : later) {
            Place(std::move(moved), nextKey++);
        }
        ++nextId_;
        RaiseItemEvent(ResourceEvent::kItemInsertedAt, item->id);
        return item;
    }

    // Registers a clone of an item that belongs elsewhere, after the kind's hook has brought along the
    // items it depends on. id kNone lets the table choose the id.
    SharedPtr<T> AddItem(const SharedPtr<T>& source, const uint32_t& id) {
        SharedPtr<T> clone(static_cast<T*>(source->Clone()));
        if (!OnAddItem(clone)) {
            return {};
        }
        if (id != kNone) {
            return InsertAt(clone, id);
        }
        // The clone carries the id it had in its own file, which may belong to an unrelated item here.
        if (!nameIndex_) {
            clone->id = FreshId();
        }
        return Insert(clone);
    }

    bool LoadItem(Stream& body, Stream& file, const uint32_t& id, bool packed) override {
        SharedPtr<T> item = LoadBody(body, file, packed);
        if (!item) {
            return false;
        }
        item->id = id;
        return Insert(item) == item;
    }

    // The item under id, loading it on demand from the package stream when the table does not hold it;
    // the stream is put back where it was, so a body loader may resolve references in mid-body.
    SharedPtr<T> FindOrLoad(const uint32_t& id, Stream& file) {
        if (SharedPtr<T> item = FindShared(id)) {
            return item;
        }
        const uint32_t position = file.Tell();
        if (position == Stream::kCannotTell || position > static_cast<uint32_t>(INT32_MAX)) {
            return {};
        }
        if (!LoadItemAt(file, id)) {
            return {};
        }
        if (!file.Seek(Stream::kFromBegin, static_cast<int32_t>(position))) {
            return {};
        }
        return FindShared(id);
    }

    bool RemoveItem(const uint32_t& id, bool cascade) override {
        const SharedPtr<T> item = FindShared(id);
        if (!item) {
            return false;
        }
        // The name entry goes only once the item has gone, so that a failed cascade leaves the index whole.
        if (nameIndex_ && nameIndex_->count(item->name) != 1) {
            return false;
        }
        if (cascade && !OnRemoveItem(item)) {
            return false;
        }
        if (items_.erase(id) != 1) {
            return false;
        }
        if (nameIndex_) {
            nameIndex_->erase(item->name);
        }
        item->id = kNone;
        if (nameIndex_) {
            CloseGapAfter(id);
        }
        RaiseItemEvent(ResourceEvent::kItemRemoved, id);
        return true;
    }

    bool RenameItem(const uint32_t& id, WStringView newName) override {
        const SharedPtr<T> item = FindShared(id);
        if (!item) {
            return false;
        }
        if (nameIndex_) {
            const WString wanted(newName);
            const auto current = nameIndex_->find(item->name);
            if (nameIndex_->count(wanted) != 0 || current == nameIndex_->end() || current->second != id) {
                return false;
            }
            nameIndex_->erase(current);
            nameIndex_->emplace(wanted, id);
        }
        item->name = WString(newName);
        RaiseItemEvent(ResourceEvent::kItemRenamed, id);
        return true;
    }

    bool SaveItemBody(const uint32_t& id, Stream& out, bool packed) override {
        const SharedPtr<T> item = FindShared(id);
        return item && SaveBody(out, item, packed);
    }

    bool SaveItems(Stream& out) override {
        uint32_t counter = 0;
        for (const auto& [id, item] : items_) {
            if (!WriteIndex(out, counter) || !WriteU32(out, id) || !SaveBody(out, item, false)) {
                return false;
            }
        }
        return true;
    }

    bool ExportItems(std::FILE* header, Stream& out, uint32_t& offsetCursor) override {
        uint32_t runningIndex = 0;
        for (const auto& [id, item] : items_) {
            MemoryStream body;
            if (!SaveBody(body, item, true)) {
                return false;
            }
            const ExportedItem exported{GetKindShortName(), id, item->name, IsCompressed()};
            if (!ExportItem(header, out, offsetCursor, exported, body, runningIndex)) {
                return false;
            }
        }
        return true;
    }

protected:
    // Run by AddItem before the clone enters: copies the items it depends on into the sibling tables.
    virtual bool OnAddItem(const SharedPtr<T>& /*item*/) { return true; }
    // Run by RemoveItem with cascade: removes the items it depends on from the sibling tables.
    virtual bool OnRemoveItem(const SharedPtr<T>& /*item*/) { return true; }
    // The kind's body loader; empty on any failure.
    virtual SharedPtr<T> LoadBody(Stream& body, Stream& file, bool packed) = 0;
    virtual bool SaveBody(Stream& out, const SharedPtr<T>& item, bool packed) = 0;

    const std::map<uint32_t, SharedPtr<T>>& Items() const { return items_; }

private:
    // Largest id + 1, or the lowest free id when that would not be a valid id.
    uint32_t FreshId() const {
        if (items_.empty()) {
            return 0;
        }
        const uint32_t largest = items_.rbegin()->first;
        if (largest < kNone - 1) {
            return largest + 1;
        }
        uint32_t candidate = 0;
        for (const auto& entry : items_) {
            if (entry.first != candidate) {
                break;
            }
            ++candidate;
        }
        return candidate;
    }

    // Takes out the items stored from key on, in ascending order, with their name entries.
    std::vector<SharedPtr<T>> TakeFrom(uint32_t key) {
        std::vector<SharedPtr<T>> taken;
        for (auto entry = items_.lower_bound(key); entry != items_.end(); entry = items_.erase(entry)) {
            nameIndex_->erase(entry->second->name);
            taken.push_back(entry->second);
        }
        return taken;
    }

    // Stores an item under key with its name entry.
    void Place(SharedPtr<T> item, uint32_t key) {
        item->id = key;
        nameIndex_->emplace(item->name, key);
        items_.emplace(key, std::move(item));
    }

    // Moves every item after the removed id down by one, keeping ids dense.
    void CloseGapAfter(uint32_t removedId) {
        if (items_.count(removedId + 1) != 0) {
            // Each moved item's id still equals its old key.
            for (SharedPtr<T>& moved : TakeFrom(removedId + 1)) {
                const uint32_t newKey = moved->id - 1;
                Place(std::move(moved), newKey);
            }
        }
        --nextId_;
    }

    std::map<uint32_t, SharedPtr<T>> items_;
    uint32_t nextId_ = 0;
    std::unique_ptr<std::map<WString, uint32_t>> nameIndex_;
};

}  // namespace quill
