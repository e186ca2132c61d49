#pragma once
// The base of every resource item and every object placed in a scene: a numeric id and a wide name.
//
// Items are destroyed through the virtual destructor and duplicated through Clone, which returns a deep
// copy of the most derived class; resource tables hand items out shared and never copy them, so whoever
// needs a private, mutable instance clones it.
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace quill {

class NamedObject {
public:
    // The id of an item that has not been given one.
    static constexpr uint32_t kNoId = 0xFFFFFFFF;

    NamedObject() = default;
    explicit NamedObject(WStringView name) : name(name) {}
    NamedObject(const NamedObject&) = default;
    NamedObject& operator=(const NamedObject&) = default;
    virtual ~NamedObject() = default;

    // A new object of the most derived class, built by its copy constructor; the caller owns it.
    virtual NamedObject* Clone() const = 0;

    // Plain fields: tables read the id when they register an item, the header export prints the name.
    uint32_t id = kNoId;
    WString name;
};

}  // namespace quill
