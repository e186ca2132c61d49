#pragma once
// The per-kind container of a resource file's items, seen without its item type: what the resource-file
// reader, the package writer and generic callers (which know an item only by kind and id) use.
//
// A table also reads its own part of a resource file: the table body with the positions of its item
// entries and, when asked, the item records themselves (see ResourceFile for the whole layout).
#include <cstdint>
#include <cstdio>
#include <vector>

#include "QuillLib/core/NamedObject.h"
#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/core/Stream.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/resource/ResourceKind.h"

namespace quill {

class ResourceFile;

class ResourceTable {
public:
    // name: ".\" + the file's name + "." + the kind's extension.
    ResourceTable(ResourceFile* owner, WString name, ResourceKind kind);
    virtual ~ResourceTable() = default;

    ResourceTable(const ResourceTable&) = delete;
    ResourceTable& operator=(const ResourceTable&) = delete;

    // Releases every item (an item lives on while somebody else holds it). The item offsets stay, so the
    // items can be loaded again on demand; in the name-index regime the id counter stays too.
    virtual void Clear() = 0;
    virtual uint32_t GetCount() const = 0;
    // The ids of the items, ascending.
    virtual std::vector<uint32_t> GetIds() const = 0;
    // The item stored under id, or empty. Nothing is loaded on demand.
    virtual SharedPtr<NamedObject> FindById(const uint32_t& id) const = 0;
    SharedPtr<NamedObject> Lookup(const uint32_t& id) const { return FindById(id); }
    // Removes one item; with cascade also the items it depends on, from the sibling tables of the same file.
    virtual bool RemoveItem(const uint32_t& id, bool cascade) = 0;
    virtual bool RenameItem(const uint32_t& id, WStringView newName) = 0;
    // Whether anybody besides the table holds the item.
    virtual bool IsReferenced(const uint32_t& id) const = 0;
    // Builds one item from its body and registers it under id. packed: the body has no leading name.
    virtual bool LoadItem(Stream& body, Stream& file, const uint32_t& id, bool packed) = 0;
    // Writes one item's body.
    virtual bool SaveItemBody(const uint32_t& id, Stream& out, bool packed) = 0;
    // The plain dump: (u32 running index, u32 id, unpacked body) per item in id order, nothing around it.
    virtual bool SaveItems(Stream& out) = 0;
    // Appends every item as an item entry of a packed resource file (see ExportItem) and, when header is
    // not null, one identifier line per item to it. offsetCursor is the file position of the table's
    // next free item-offset slot.
    virtual bool ExportItems(std::FILE* header, Stream& out, uint32_t& offsetCursor) = 0;
    // The kind's own identifier-header sections; most kinds have none.
    virtual bool WriteIdHeader(std::FILE* header);

    WStringView GetKindName() const { return GetKindInfo(kind_).longName; }
    WStringView GetKindShortName() const { return GetKindInfo(kind_).shortName; }
    bool IsCompressed() const { return GetKindInfo(kind_).compressed; }
    ResourceKind Kind() const { return kind_; }

    // Reads the table body at the stream's position: the item count and the item-entry positions, then,
    // with loadItems, every item entry.
    bool LoadTable(Stream& file, bool loadItems);
    // Reads one item record (size, compressed size and zlib stream, or the raw TEXTURE body) at the
    // stream's position and hands its body to LoadItem.
    bool ReadItemRecord(Stream& file, const uint32_t& id);
    // Loads on demand the item whose entry is at position index of the item offsets; its entry must carry
    // index both as item index and as id.
    bool LoadItemAt(Stream& file, const uint32_t& index);

    const std::vector<uint32_t>& ItemOffsets() const { return itemOffsets_; }
    ResourceFile* Owner() const { return owner_; }
    const WString& Name() const { return name_; }
    // The version of the resource file being read; body loaders consult it.
    uint32_t Version() const { return version_; }
    void SetVersion(uint32_t version) { version_ = version; }

protected:
    // Tells the listeners about an item change, when both the owning file and its package are registered.
    void RaiseItemEvent(uint32_t code, uint32_t id) const;

private:
    std::vector<uint32_t> itemOffsets_;
    ResourceFile* owner_;
    WString name_;
    uint32_t version_ = kCurrentFileVersion;
    ResourceKind kind_;
};

}  // namespace quill
