#pragma once
// The processor makers that CpuInfo tells apart, with the codes the system report keeps.
#include <cstdint>

namespace quill {

enum class CpuVendor : uint32_t {
    Amd = 0,
    Intel = 1,
    NationalSemiconductor = 2,
    Umc = 3,
    Cyrix = 4,
    NexGen = 5,
    IdtCentaur = 6,
    Rise = 7,
    Transmeta = 8,
    Unknown = 9,
};

}  // namespace quill
