#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skin/SkinTable.h"
#include "tools/skingen/Canvas.h"

// The colours the skin is drawn in; the background is also the colour key of the button faces.
namespace skin {
constexpr Rgb kBackground{static_cast<uint8_t>(SkinTable::kBackColor),
                          static_cast<uint8_t>(SkinTable::kBackColor >> 8),
                          static_cast<uint8_t>(SkinTable::kBackColor >> 16)};
constexpr Rgb kCaptionTop{21, 146, 245};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kCloseHot{255, 0, 0};
constexpr Rgb kButtonHot{159, 206, 242};
constexpr Rgb kSmallFace{122, 197, 10};
constexpr Rgb kSmallFaceHot{149, 219, 3};
constexpr Rgb kBigFaceTop{146, 215, 2};
constexpr Rgb kBigFaceBottom{95, 180, 19};
constexpr Rgb kBusyRing{169, 229, 41};
}  // namespace skin

// One skin bitmap: its resource id, its file under res/skin/, its size and how it is drawn.
struct SkinBitmap {
    unsigned id;
    const char* file;
    int width;
    int height;
    Canvas (*draw)();
};

// Every skin bitmap, in the order of their ids.
const std::vector<SkinBitmap>& SkinBitmaps();

// The application icon's images (16, 32 and 48 pixels).
std::vector<Canvas> IconImages();

struct SkinFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

// Every file of res/skin/: the bitmaps, then the icon "florrin.ico".
std::vector<SkinFile> SkinFiles();
