#include "QuillLib/resource/BodyFields.h"

#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/StreamFields.h"
#include "QuillLib/math/TransformFields.h"

namespace quill {

bool ReadItemName(Stream& body, bool packed, WString& name) {
    return packed || ReadFixedString260(body, name);
}

bool WriteItemName(Stream& out, bool packed, WStringView name) {
    return packed || WriteFixedString260(out, name);
}

bool ReadSphere(Stream& body, BoundingSphere& sphere) {
    return ReadVector3(body, sphere.centre) && ReadF32(body, sphere.radius);
}

bool WriteSphere(Stream& out, const BoundingSphere& sphere) {
    return WriteVector3(out, sphere.centre) && WriteF32(out, sphere.radius);
}

void WarnIndexOutOfRange(WStringView kindName, WStringView itemName, WStringView what) {
    TheLog().LogError(u"WARNING : %s item %s: %s out of range\n", WString(kindName), WString(itemName), WString(what));
}

}  // namespace quill
