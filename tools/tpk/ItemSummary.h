#pragma once
// One line about what a loaded item holds, for "tpk list": sizes, counts and names by kind.
#include <string>

#include "QuillLib/core/NamedObject.h"
#include "QuillLib/resource/ResourceKind.h"

namespace tpk {

// Empty for kinds whose packed size says enough (sounds, string tables, binary data).
std::string DescribeItem(quill::ResourceKind kind, const quill::NamedObject& item);

}  // namespace tpk
