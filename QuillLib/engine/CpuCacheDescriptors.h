#pragma once
// The cache sizes that an Intel processor describes with the descriptor bytes of identification leaf 2,
// decoded by Intel's published descriptor table. Bytes that name no cache (TLBs, prefetching, "no cache",
// "see leaf 4") add nothing, so a processor that describes its caches only in leaf 4 reports none here.
#include <cstdint>

#include "platform/system/SystemQuery.h"

namespace quill {

struct CacheSizesKB {
    uint32_t l1Data = 0;
    uint32_t l1Instruction = 0;  // or the trace cache, counted in thousands of micro-operations
    uint32_t l2 = 0;
    uint32_t l3 = 0;
};

CacheSizesKB DecodeCacheDescriptors(const platform::CpuRegisters& leaf2);

}  // namespace quill
