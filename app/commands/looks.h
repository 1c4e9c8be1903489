#pragma once
// The eleven application looks of the View menu. Qt offers two real widget
// styles ("Windows", "Fusion"); each look is one of them with its own palette,
// chosen to echo the colour scheme the look is named after.

#include <cstdint>
#include <span>
#include <string_view>

namespace quorven {

struct ApplicationLook {
    int id;                  // command identifier, stored in the profile as "ApplicationLook"
    std::string_view style;  // Qt style name
    uint32_t window;         // 0xRRGGBB colours of the palette roles
    uint32_t window_text;
    uint32_t base;
    uint32_t text;
    uint32_t button;
    uint32_t highlight;
    uint32_t highlighted_text;
    uint32_t mdi_background;  // the workspace behind the project windows
};

inline constexpr int kDefaultApplicationLook = 215;

std::span<const ApplicationLook> ApplicationLooks();
// The look with this identifier; an unknown identifier (a damaged profile) gives
// the default look.
const ApplicationLook& FindApplicationLook(int id);

}  // namespace quorven
