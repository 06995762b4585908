#pragma once

#include "skin/SkinGeometry.h"

// Small pieces of the main dialog's arithmetic.
namespace DialogGeometry {

// The selected tab is drawn this much wider on each side than its neighbours.
constexpr int kSelectedTabGrowth = 2;

// The tab control's minimum tab width: the two tabs together fill its width but for the room
// the selected tab grows into. Any wider and the strip scrolls: arrows cover the second tab and
// a click on it scrolls the first one out of reach.
int MinTabWidth(int nTabControlWidth);

// Where the icon of the minimised window is drawn: centred, rounding toward zero.
SkinPoint IconOrigin(int nClientWidth, int nClientHeight, int nIconWidth, int nIconHeight);

}  // namespace DialogGeometry
