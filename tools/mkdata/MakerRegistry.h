#pragma once
// The makers by the name the manifest uses for them, each with the kind of item it makes.
#include <functional>
#include <map>
#include <string>

#include "tools/mkdata/MakeContext.h"

namespace mkdata {

class MakerRegistry {
public:
    using Maker = std::function<bool(MakeContext&)>;

    // Every maker of the generator.
    static MakerRegistry Standard();

    void Add(const std::string& name, quill::ResourceKind kind, Maker maker);
    // Null when no maker has the name; kind tells the kind it makes.
    const Maker* Find(const std::string& name, quill::ResourceKind& kind) const;

private:
    struct Entry {
        quill::ResourceKind kind;
        Maker maker;
    };
    std::map<std::string, Entry> makers_;
};

}  // namespace mkdata
