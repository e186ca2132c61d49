#include "QuillLib/engine/CpuCacheDescriptors.h"

#include <array>

namespace quill {
namespace {

enum class CacheLevel { L1Data, L1Instruction, L2, L3 };

struct Descriptor {
    uint8_t value;
    CacheLevel level;
    uint32_t sizeKB;
};

// 0x49 is left out: it names a 4 MB L3 on one Xeon model and a 4 MB L2 on the others.
constexpr auto kDescriptors = std::to_array<Descriptor>({
    {0x06, CacheLevel::L1Instruction, 8},  {0x08, CacheLevel::L1Instruction, 16}, {0x09, CacheLevel::L1Instruction, 32},
    {0x30, CacheLevel::L1Instruction, 32}, {0x70, CacheLevel::L1Instruction, 12}, {0x71, CacheLevel::L1Instruction, 16},
    {0x72, CacheLevel::L1Instruction, 32}, {0x73, CacheLevel::L1Instruction, 64}, {0x0A, CacheLevel::L1Data, 8},
    {0x0C, CacheLevel::L1Data, 16},        {0x0D, CacheLevel::L1Data, 16},        {0x0E, CacheLevel::L1Data, 24},
    {0x2C, CacheLevel::L1Data, 32},        {0x60, CacheLevel::L1Data, 16},        {0x66, CacheLevel::L1Data, 8},
    {0x67, CacheLevel::L1Data, 16},        {0x68, CacheLevel::L1Data, 32},        {0x1D, CacheLevel::L2, 128},
    {0x21, CacheLevel::L2, 256},           {0x24, CacheLevel::L2, 1024},          {0x39, CacheLevel::L2, 128},
    {0x3A, CacheLevel::L2, 192},           {0x3B, CacheLevel::L2, 128},           {0x3C, CacheLevel::L2, 256},
    {0x3D, CacheLevel::L2, 384},           {0x3E, CacheLevel::L2, 512},           {0x41, CacheLevel::L2, 128},
    {0x42, CacheLevel::L2, 256},           {0x43, CacheLevel::L2, 512},           {0x44, CacheLevel::L2, 1024},
    {0x45, CacheLevel::L2, 2048},          {0x48, CacheLevel::L2, 3072},          {0x4E, CacheLevel::L2, 6144},
    {0x78, CacheLevel::L2, 1024},          {0x79, CacheLevel::L2, 128},           {0x7A, CacheLevel::L2, 256},
    {0x7B, CacheLevel::L2, 512},           {0x7C, CacheLevel::L2, 1024},          {0x7D, CacheLevel::L2, 2048},
    {0x7F, CacheLevel::L2, 512},           {0x80, CacheLevel::L2, 512},           {0x82, CacheLevel::L2, 256},
    {0x83, CacheLevel::L2, 512},           {0x84, CacheLevel::L2, 1024},          {0x85, CacheLevel::L2, 2048},
    {0x86, CacheLevel::L2, 512},           {0x87, CacheLevel::L2, 1024},          {0x22, CacheLevel::L3, 512},
    {0x23, CacheLevel::L3, 1024},          {0x25, CacheLevel::L3, 2048},          {0x29, CacheLevel::L3, 4096},
    {0x46, CacheLevel::L3, 4096},          {0x47, CacheLevel::L3, 8192},          {0x4A, CacheLevel::L3, 6144},
    {0x4B, CacheLevel::L3, 8192},          {0x4C, CacheLevel::L3, 12288},         {0x4D, CacheLevel::L3, 16384},
    {0xD0, CacheLevel::L3, 512},           {0xD1, CacheLevel::L3, 1024},          {0xD2, CacheLevel::L3, 2048},
    {0xD6, CacheLevel::L3, 1024},          {0xD7, CacheLevel::L3, 2048},          {0xD8, CacheLevel::L3, 4096},
    {0xDC, CacheLevel::L3, 1536},          {0xDD, CacheLevel::L3, 3072},          {0xDE, CacheLevel::L3, 6144},
    {0xE2, CacheLevel::L3, 2048},          {0xE3, CacheLevel::L3, 4096},          {0xE4, CacheLevel::L3, 8192},
    {0xEA, CacheLevel::L3, 12288},         {0xEB, CacheLevel::L3, 18432},         {0xEC, CacheLevel::L3, 24576},
});

void AddDescriptor(uint8_t value, CacheSizesKB& sizes) {
    for (const Descriptor& descriptor : kDescriptors) {
        if (descriptor.value != value) {
            continue;
        }
        switch (descriptor.level) {
            case CacheLevel::L1Data:
                sizes.l1Data += descriptor.sizeKB;
                break;
            case CacheLevel::L1Instruction:
                sizes.l1Instruction += descriptor.sizeKB;
                break;
            case CacheLevel::L2:
                sizes.l2 += descriptor.sizeKB;
                break;
            case CacheLevel::L3:
                sizes.l3 += descriptor.sizeKB;
                break;
        }
        return;
    }
}

// A register whose bit 31 is set holds no descriptors.
void AddRegister(uint32_t value, int firstByte, CacheSizesKB& sizes) {
    if ((value >> 31) != 0) {
        return;
    }
    for (int byte = firstByte; byte < 4; ++byte) {
        AddDescriptor(static_cast<uint8_t>(value >> (8 * byte)), sizes);
    }
}

}  // namespace

CacheSizesKB DecodeCacheDescriptors(const platform::CpuRegisters& leaf2) {
    CacheSizesKB sizes;
    // The lowest byte of EAX is the number of times to ask the leaf, not a descriptor; every processor
    // that has the leaf says 1.
    AddRegister(leaf2.eax, 1, sizes);
    AddRegister(leaf2.ebx, 0, sizes);
    AddRegister(leaf2.ecx, 0, sizes);
    AddRegister(leaf2.edx, 0, sizes);
    return sizes;
}

}  // namespace quill
