#include "client/connection/Invitation.h"

#include "QuillLib/net/FieldReader.h"

namespace kestrovan {

Invitation Invitation::Read(quill::Packet& packet) {
    return quill::FieldReader::ReadFields<Invitation>(packet);
}

}  // namespace kestrovan
