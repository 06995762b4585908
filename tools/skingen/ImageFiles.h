#pragma once

#include <cstdint>
#include <vector>

#include "tools/skingen/Canvas.h"

// A 24-bit bottom-up Windows bitmap file of the picture's colours (alpha is dropped).
std::vector<uint8_t> EncodeBmp24(const Canvas& canvas);

// A Windows icon file holding each picture (square, at most 255 pixels) as a 32-bit image with
// its alpha and an AND mask that is set where a pixel is fully transparent.
std::vector<uint8_t> EncodeIco(const std::vector<Canvas>& images);
