#include "QuillLib/engine/CpuModelName.h"

#include <array>
#include <optional>

namespace quill {
namespace {

constexpr uint32_t kAnyModel = 0xFFFFFFFF;

struct ModelRow {
    CpuVendor vendor;
    uint32_t family;
    uint32_t model;
    const char16_t* name;
};

constexpr auto kModels = std::to_array<ModelRow>({
    {CpuVendor::Amd, 4, 3, u"80486DX2"},
    {CpuVendor::Amd, 4, 14, u"5x86"},
    {CpuVendor::Amd, 5, 0, u"SSA5 (PR75, PR90, PR100)"},
    {CpuVendor::Amd, 5, 1, u"5k86 (PR120, PR133)"},
    {CpuVendor::Amd, 5, 8, u"K6-2"},
    {CpuVendor::Amd, 5, 9, u"K6-III"},
    {CpuVendor::Intel, 4, 0, u"i80486DX-25/33"},
    {CpuVendor::Intel, 4, 2, u"i80486SX"},
    {CpuVendor::Intel, 5, 0, u"P5 A-Step"},
    {CpuVendor::Intel, 5, 2, u"P54C"},
    {CpuVendor::Intel, 5, 4, u"P55C"},
    {CpuVendor::Intel, 6, 0, u"P6 A-Step"},
    {CpuVendor::Cyrix, 4, 0, u"Cx486SLC \\ DLC \\ Cx486S A-Step"},
    {CpuVendor::Cyrix, 5, 4, u"MediaGX GXm"},
    {CpuVendor::Cyrix, 6, 0, u"6x86MX"},
    {CpuVendor::IdtCentaur, 5, 4, u"WinChip C5A Core"},
    {CpuVendor::IdtCentaur, 6, 6, u"VIA Cyrix III - Samuel"},
    {CpuVendor::Transmeta, 5, kAnyModel, u"Crusoe TM3x00 and TM5x00"},
});

// The short maker name of the "Unknown ... family" texts; none for makers without table rows.
std::optional<WString> TableMakerName(CpuVendor vendor) {
    switch (vendor) {
        case CpuVendor::Amd:
            return u"AMD";
        case CpuVendor::Intel:
            return u"Intel";
        case CpuVendor::Cyrix:
            return u"Cyrix";
        case CpuVendor::IdtCentaur:
            return u"IDT";
        case CpuVendor::Transmeta:
            return u"Transmeta";
        default:
            return std::nullopt;
    }
}

}  // namespace

WString CpuModelName(CpuVendor vendor, uint32_t family, uint32_t model) {
    for (const ModelRow& row : kModels) {
        if (row.vendor == vendor && row.family == family && (row.model == model || row.model == kAnyModel)) {
            return row.name;
        }
    }
    const std::optional<WString> maker = TableMakerName(vendor);
    if (!maker) {
        return u"Unknown family";
    }
    if (family == 4) {
        return u"Unknown 80486 family";
    }
    return u"Unknown " + *maker + u" family";
}

}  // namespace quill
