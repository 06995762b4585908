#pragma once

#include <string>

#include "skin/SkinGeometry.h"

// Where and how large the skinned button writes its text: measured and drawn in the bold button
// font, centred in the button.
namespace ButtonTextLayout {

constexpr int kLargeFontHeight = 28;  // "立即扫描" and "重新扫描"
constexpr int kSmallFontHeight = 20;  // any other text
constexpr int kFontWeight = 700;
inline constexpr const char* kFontFace = "微软雅黑";

// Exact, case-sensitive comparison of the whole text.
int FontHeight(const std::string& text);

// (w - cx) / 2, (h - cy) / 2, rounding toward zero; negative when the text is wider.
SkinPoint TextOrigin(int nClientWidth, int nClientHeight, int nTextWidth, int nTextHeight);

}  // namespace ButtonTextLayout
