#pragma once

#include "skin/SkinGeometry.h"

// Small pieces of the main dialog's arithmetic.
namespace DialogGeometry {

// The tab control's minimum tab width: half its width, less a half, truncated toward zero
// (half - 1 for a width of 2 or more, else 0), so the two tabs together about fill it.
int MinTabWidth(int nTabControlWidth);

// Where the icon of the minimised window is drawn: centred, rounding toward zero.
SkinPoint IconOrigin(int nClientWidth, int nClientHeight, int nIconWidth, int nIconHeight);

}  // namespace DialogGeometry
