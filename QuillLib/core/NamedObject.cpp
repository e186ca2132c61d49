#include "QuillLib/core/NamedObject.h"

namespace quill {

const WString& NamedObject::DefaultName() {
    static const WString name = u"Undefined";
    return name;
}

}  // namespace quill
