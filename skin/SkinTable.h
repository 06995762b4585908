#pragma once

#include <cstdint>

// The colours and timer ids the dialog and its skinned parts share. Colours are in the system's
// 0x00BBGGRR layout, so they pass as they are wherever a colour reference is taken.
namespace SkinTable {

constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return uint32_t{r} | uint32_t{g} << 8 | uint32_t{b} << 16;
}

// The dialog's background, the labels' background and the button faces' colour key.
constexpr uint32_t kBackColor = Rgb(14, 94, 157);
// The labels' and the buttons' text.
constexpr uint32_t kTextColor = Rgb(255, 255, 255);

// Timers of the dialog: the shop link's scroll tick and the paint of what the walk published.
constexpr unsigned kShopLinkTimer = 24;
constexpr unsigned kPaintTimer = 0x4C50;
// Each skinned button's own timer, which polls the cursor while the pointer is over it; on the
// button's window, so the same number as the dialog's link timer does not collide with it.
constexpr unsigned kButtonHoverTimer = 24;

}  // namespace SkinTable
