#pragma once
// One id-keyed collection of a scene description (cameras, lights, placed models, placed sprites): entries
// in id order, the next id to give, and a name index when the process's resource options ask for one.
#include <cstdint>
#include <map>
#include <memory>

#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/resource/ResourceOptions.h"

namespace quill {

template <typename T>
class IdCollection {
public:
    IdCollection() {
        if (GetResourceOptions().keepNameIndex) {
            index_ = std::make_unique<std::map<WString, uint32_t>>();
        }
    }
    // Clones every entry under the same id; the counter and the name index as they are.
    IdCollection(const IdCollection& other) : counter_(other.counter_) {
        for (const auto& [id, entry] : other.entries_) {
            entries_.emplace(id, SharedPtr<T>(static_cast<T*>(entry->Clone())));
        }
        if (other.index_) {
            index_ = std::make_unique<std::map<WString, uint32_t>>(*other.index_);
        }
    }
    IdCollection& operator=(const IdCollection&) = delete;
    virtual ~IdCollection() = default;

    // Enters the entry under the next id (its own id set to it); empty when the name index already holds
    // its name.
    SharedPtr<T> Add(SharedPtr<T> entry) {
        if (index_ && !index_->emplace(entry->name, counter_).second) {
            return {};
        }
        entry->id = counter_++;
        entries_.emplace(entry->id, entry);
        return entry;
    }
    SharedPtr<T> Find(uint32_t id) const {
        const auto found = entries_.find(id);
        return found == entries_.end() ? SharedPtr<T>() : found->second;
    }
    void Clear() {
        entries_.clear();
        if (index_) {
            index_->clear();
        }
    }

    const std::map<uint32_t, SharedPtr<T>>& Entries() const { return entries_; }
    bool Empty() const { return entries_.empty(); }
    uint32_t Counter() const { return counter_; }
    bool HasNameIndex() const { return index_ != nullptr; }

private:
    std::map<uint32_t, SharedPtr<T>> entries_;
    uint32_t counter_ = 0;
    std::unique_ptr<std::map<WString, uint32_t>> index_;
};

}  // namespace quill
