#include "skin/DialogGeometry.h"

#include <algorithm>

namespace DialogGeometry {

int MinTabWidth(int nTabControlWidth) { return std::max(0, (nTabControlWidth - 2 * kSelectedTabGrowth) / 2); }

SkinPoint IconOrigin(int nClientWidth, int nClientHeight, int nIconWidth, int nIconHeight) {
    return {(nClientWidth - nIconWidth + 1) / 2, (nClientHeight - nIconHeight + 1) / 2};
}

}  // namespace DialogGeometry
