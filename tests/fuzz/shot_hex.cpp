// Feeds arbitrary text to the reader of hexadecimal shot records (texts come from the command line, the server and
// the shot gallery). The reader must refuse what does not fit without reading past the text or the record; and
// whatever it accepts, written again, must read back field for field.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "client/table/ShotRecord.h"

namespace {

using kestrovan::ShotData;
using kestrovan::ShotRecord;

bool SameBits(float a, float b) {
    return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b);
}

ShotRecord RecordOf(const ShotData& data) {
    ShotRecord record;
    record.TakeFields(data);
    record.physicsModelCode = data.physicsModelCode;
    record.cuePartIds = data.cuePartIds;
    record.cuePartValues = data.cuePartValues;
    record.ballCount = data.ballCount;
    record.positions = data.positions;
    record.rotations = data.rotations;
    record.ballFlags = data.ballFlags;
    return record;
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    ShotData data;
    if (!ShotRecord::ParseHex(text, data)) {
        return 0;
    }
    Check(data.ballCount <= quill::kMaxBalls);
    ShotData again;
    Check(ShotRecord::ParseHex(ShotRecord::WriteHex(RecordOf(data)), again));
    Check(again.version == ShotRecord::kWrittenVersion);
    Check(again.physicsModelCode == data.physicsModelCode && again.gameMode == data.gameMode);
    Check(again.tableItemId == data.tableItemId && again.cueItemId == data.cueItemId);
    Check(again.cuePartIds == data.cuePartIds && again.cuePartValues == data.cuePartValues);
    Check(again.ballSetItemId == data.ballSetItemId && again.chalkItemId == data.chalkItemId);
    Check(again.chalkValue == data.chalkValue && again.ballCount == data.ballCount);
    Check(again.cueBallIndex == data.cueBallIndex);
    const float scalars[][2] = {{again.startParamA, data.startParamA}, {again.startParamB, data.startParamB},
                                {again.aimPointX, data.aimPointX},     {again.aimPointY, data.aimPointY},
                                {again.tipOffsetX, data.tipOffsetX},   {again.tipOffsetY, data.tipOffsetY},
                                {again.strokeX, data.strokeX},         {again.strokeY, data.strokeY},
                                {again.paramC, data.paramC},           {again.paramD, data.paramD},
                                {again.power, data.power},             {again.paramE, data.paramE},
                                {again.paramF, data.paramF},           {again.paramG, data.paramG}};
    for (const auto& pair : scalars) {
        Check(SameBits(pair[0], pair[1]));
    }
    for (uint32_t i = 0; i < data.ballCount; ++i) {
        Check(SameBits(again.positions[i].x, data.positions[i].x) && SameBits(again.positions[i].y, data.positions[i].y) &&
              SameBits(again.positions[i].z, data.positions[i].z));
        Check(data.gameMode <= 9 || again.ballFlags[i] == data.ballFlags[i]);
    }
    return 0;
}
