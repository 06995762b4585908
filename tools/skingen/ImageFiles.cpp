#include "tools/skingen/ImageFiles.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// BITMAPINFOHEADER; an icon image states twice its height (colour rows, then mask rows).
void PutInfoHeader(std::vector<uint8_t>& out, int width, int height, int bits, uint32_t imageBytes) {
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bits));
    Put32(out, 0);  // BI_RGB
    Put32(out, imageBytes);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
}

uint32_t RowBytes(int width, int bits) { return ((static_cast<uint32_t>(width) * bits + 31) / 32) * 4; }

}  // namespace

std::vector<uint8_t> EncodeBmp24(const Canvas& canvas) {
    const uint32_t stride = RowBytes(canvas.Width(), 24);
    const uint32_t imageBytes = stride * static_cast<uint32_t>(canvas.Height());
    std::vector<uint8_t> out;
    out.reserve(54 + imageBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + imageBytes);
    Put32(out, 0);
    Put32(out, 54);
    PutInfoHeader(out, canvas.Width(), canvas.Height(), 24, imageBytes);
    for (int y = canvas.Height() - 1; y >= 0; --y) {
        size_t rowStart = out.size();
        for (int x = 0; x < canvas.Width(); ++x) {
            Rgb p = canvas.RgbAt(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

std::vector<uint8_t> EncodeIco(const std::vector<Canvas>& images) {
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, static_cast<uint32_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    std::vector<uint8_t> bodies;
    for (const Canvas& image : images) {
        const int n = image.Width();
        const uint32_t maskStride = RowBytes(n, 1);
        const uint32_t pixelBytes = static_cast<uint32_t>(n * n * 4);
        const uint32_t bodyBytes = 40 + pixelBytes + maskStride * n;
        out.push_back(static_cast<uint8_t>(n));
        out.push_back(static_cast<uint8_t>(n));
        out.push_back(0);  // no palette
        out.push_back(0);
        Put16(out, 1);   // planes
        Put16(out, 32);  // bits per pixel
        Put32(out, bodyBytes);
        Put32(out, offset);
        offset += bodyBytes;

        PutInfoHeader(bodies, n, 2 * n, 32, pixelBytes + maskStride * n);
        for (int y = n - 1; y >= 0; --y)
            for (int x = 0; x < n; ++x) {
                Rgba p = image.At(x, y);
                bodies.insert(bodies.end(), {p.b, p.g, p.r, p.a});
            }
        for (int y = n - 1; y >= 0; --y) {
            std::vector<uint8_t> row(maskStride, 0);
            for (int x = 0; x < n; ++x)
                if (image.At(x, y).a == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            bodies.insert(bodies.end(), row.begin(), row.end());
        }
    }
    out.insert(out.end(), bodies.begin(), bodies.end());
    return out;
}
