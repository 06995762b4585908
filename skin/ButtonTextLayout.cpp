#include "skin/ButtonTextLayout.h"

namespace ButtonTextLayout {

int FontHeight(const std::string& text) {
    return text == "立即扫描" || text == "重新扫描" ? kLargeFontHeight : kSmallFontHeight;
}

SkinPoint TextOrigin(int nClientWidth, int nClientHeight, int nTextWidth, int nTextHeight) {
    return {(nClientWidth - nTextWidth) / 2, (nClientHeight - nTextHeight) / 2};
}

}  // namespace ButtonTextLayout
