#include "app/commands/looks.h"

#include <algorithm>

namespace quorven {
namespace {

// Colours picked by eye from screenshots of each scheme; only the impression matters.
constexpr ApplicationLook kLooks[] = {
    // id  style      window    wtext     base      text      button    highlight hltext    mdi
    {205, "Windows", 0xD4D0C8, 0x000000, 0xFFFFFF, 0x000000, 0xD4D0C8, 0x0A246A, 0xFFFFFF, 0x808080},
    {206, "Windows", 0xF0EEE8, 0x000000, 0xFFFFFF, 0x000000, 0xE6E3DC, 0xB6BDD2, 0x000000, 0x9E9C98},
    {207, "Fusion", 0xECE9D8, 0x000000, 0xFFFFFF, 0x000000, 0xECE9D8, 0x316AC5, 0xFFFFFF, 0x7A96DF},
    {208, "Fusion", 0xE3EFFF, 0x000000, 0xFFFFFF, 0x000000, 0xC4DAFA, 0xFFD28C, 0x000000, 0x7B9EBD},
    {209, "Fusion", 0xEEEDE5, 0x000000, 0xFFFFFF, 0x000000, 0xE0DFE3, 0xC1D2EE, 0x000000, 0x808080},
    {210, "Fusion", 0xE9ECEE, 0x000000, 0xFFFFFF, 0x000000, 0xDFE3E8, 0x3399FF, 0xFFFFFF, 0x293955},
    {215, "Fusion", 0xDFE9F5, 0x15428B, 0xFFFFFF, 0x000000, 0xC9D9EE, 0xFFE294, 0x000000, 0xABC1DE},
    {216, "Fusion", 0x535353, 0xFFFFFF, 0xF5F5F5, 0x000000, 0x6A6A6A, 0xFFC55A, 0x000000, 0x3B3B3B},
    {217, "Fusion", 0xE5E9EE, 0x000000, 0xFFFFFF, 0x000000, 0xD4D9E1, 0xFFE294, 0x000000, 0xC0C6CF},
    {218, "Fusion", 0xDCE4EB, 0x000000, 0xFFFFFF, 0x000000, 0xC3D2DF, 0xFFD27A, 0x000000, 0x94A9BC},
    {219, "Fusion", 0xF0F0F0, 0x000000, 0xFFFFFF, 0x000000, 0xE1E1E1, 0x3399FF, 0xFFFFFF, 0xABABAB},
};

}  // namespace

std::span<const ApplicationLook> ApplicationLooks() {
    return kLooks;
}

const ApplicationLook& FindApplicationLook(int id) {
    const auto it = std::find_if(std::begin(kLooks), std::end(kLooks),
                                 [id](const ApplicationLook& l) { return l.id == id; });
    if (it != std::end(kLooks)) return *it;
    return *std::find_if(std::begin(kLooks), std::end(kLooks),
                         [](const ApplicationLook& l) { return l.id == kDefaultApplicationLook; });
}

}  // namespace quorven
