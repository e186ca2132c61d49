#include "client/connection/TournamentRecord.h"

#include "QuillLib/net/FieldReader.h"

namespace kestrovan {

void TournamentRecord::Read(quill::Packet& packet) {
    quill::FieldReader io(packet);
    Layout(io, *this);
}

}  // namespace kestrovan
