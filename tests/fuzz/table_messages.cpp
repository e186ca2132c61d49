// Feeds arbitrary payloads to the game table's readers of other players' and the server's messages: the table
// marks, a ball state, a relayed stroke (started as the room starts it) and a pen point, each on a table of the
// game type the data chooses, then one update that applies what they asked of the aim and the camera. Nothing
// may crash, read out of bounds or reach outside the table's own lists, and the table must still answer its own
// writers afterwards. Each of the table's message records filled from the payload comes back through its writer
// and reader unchanged.
//
// Layout of an input: byte 0 chooses the reader, byte 1 the game type, byte 2 the pen slot; the rest is the
// message's payload.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <span>
#include <vector>

#include "QuillLib/net/Packet.h"
#include "client/physics/PhysicsModelCode.h"
#include "client/table/GameTable.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableMessageIo.h"
#include "client/table/TableMessages.h"
#include "client/table/TableModels.h"
#include "client/table/TablePensAndMarks.h"
#include "platform/system/Console.h"
#include "platform/system/FpuMode.h"
#include "tests/fuzz/FieldFiller.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/fuzz/FuzzTable.h"

namespace {

using kestrovan::GameTable;
using quill::MessageId;

constexpr quill::GameType kGameTypes[] = {3, 0, 6, 10, 12, 13, 16, -1};
constexpr MessageId kMessages[] = {MessageId::TableStateSync, MessageId::TableState, MessageId::Shot,
                                   MessageId::TableEvent};

std::unique_ptr<quill::Packet> Message(MessageId id, std::span<const uint8_t> payload) {
    std::vector<uint8_t> bytes{0, 0, static_cast<uint8_t>(static_cast<uint16_t>(id)),
                               static_cast<uint8_t>(static_cast<uint16_t>(id) >> 8)};
    const size_t room = quill::Packet::kStorage - bytes.size();
    bytes.insert(bytes.end(), payload.begin(), payload.begin() + static_cast<std::ptrdiff_t>(std::min(room, payload.size())));
    bytes[0] = static_cast<uint8_t>(bytes.size());
    bytes[1] = static_cast<uint8_t>(bytes.size() >> 8);
    auto packet = std::make_unique<quill::Packet>();
    packet->LoadReceived(bytes);
    return packet;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    // The readers log every message they drop; the fuzzer's output stays readable without them.
    platform::SetConsoleSink([](std::string_view) {});
    platform::SetThreadFpuMode();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    if (size < 3) {
        return 0;
    }
    static kvfuzz::TableFixture fixture;
    GameTable& table = fixture.table;
    const uint8_t reader = bytes[0] % 4;
    const quill::GameType gameType = kGameTypes[bytes[1] % std::size(kGameTypes)];
    if (table.Equipment().GameMode() != gameType) {
        table.Equipment().SetGameMode(gameType);
        table.Equipment().SetEquipmentItems(0, 0);
        table.Models().SetupTable(kestrovan::kDefaultPhysicsModelCode, 1);
    }
    const std::span<const uint8_t> payload(bytes + 3, size - 3);
    auto packet = Message(kMessages[reader], payload);
    switch (reader) {
        case 0:
            table.PensAndMarks().ReadTableMarks(*packet);
            table.PensAndMarks().CheckMarkHits();
            break;
        case 1:
            table.Messages().ReadBallState(*packet);
            break;
        case 2:
            // A relayed stroke is played: the room starts it once its cue has swung.
            if (table.Messages().ReadShot(*packet)) table.StartShot(0, false);
            break;
        default: {
            int32_t x = 0;
            int32_t y = 0;
            table.PensAndMarks().ReceivePenPoint(static_cast<int8_t>(bytes[2]), *packet, &x, &y);
            break;
        }
    }
    // The next update makes what the readers asked of the aim and the camera.
    table.Update(0, 0, 0, true);
    // The pure readers on the same bytes, then the table's own writers.
    auto again = Message(kMessages[reader], payload);
    kestrovan::BallStateMessage state;
    kestrovan::TableMessages::ReadBallState(*again, gameType, state);
    quill::Packet out;
    table.Messages().WriteBallState(out, false);
    table.Messages().WriteShot(out);
    table.Messages().WriteShotResultReport(out);
    kvfuzz::FuzzInput input(payload);
    using kvfuzz::FieldFiller;
    FieldFiller::CheckRoundTrip<kestrovan::TableStateMessage>(input, gameType);
    FieldFiller::CheckRoundTrip<kestrovan::BallStateMessage>(input, gameType);
    FieldFiller::CheckRoundTrip<kestrovan::ShotResultMessage>(input, gameType);
    FieldFiller::CheckRoundTrips<kestrovan::ShotMessage, kestrovan::PenPointMessage>(input);
    return 0;
}
