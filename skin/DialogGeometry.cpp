#include "skin/DialogGeometry.h"

namespace DialogGeometry {

int MinTabWidth(int nTabControlWidth) {
    const int nHalf = nTabControlWidth / 2;
    return static_cast<int>(nHalf - 0.5);
}

SkinPoint IconOrigin(int nClientWidth, int nClientHeight, int nIconWidth, int nIconHeight) {
    return {(nClientWidth - nIconWidth + 1) / 2, (nClientHeight - nIconHeight + 1) / 2};
}

}  // namespace DialogGeometry
