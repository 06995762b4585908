#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

// Mixes two colours: t = 0 gives a, t = 1 gives b.
Rgb Mix(Rgb a, Rgb b, double t);

// A picture in straight (not premultiplied) alpha, row 0 at the top. Shapes are given as signed
// distance functions (negative inside, in pixels), so their edges are anti-aliased by coverage.
class Canvas {
public:
    using Distance = std::function<double(double x, double y)>;
    using Shader = std::function<Rgb(double x, double y)>;

    Canvas(int width, int height, Rgba fill = {0, 0, 0, 0});

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    Rgba At(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_nWidth + x]; }
    Rgb RgbAt(int x, int y) const;

    void Fill(const Shader& shader);
    // Lays the shape over the picture, coloured by shader, at the given opacity.
    void Paint(const Distance& shape, const Shader& shader, double opacity = 1.0);
    void Paint(const Distance& shape, Rgb colour, double opacity = 1.0);

private:
    void Over(int x, int y, Rgb colour, double alpha);

    int m_nWidth;
    int m_nHeight;
    std::vector<Rgba> m_pixels;
};

// Signed distances of the shapes the skin is drawn from (pixel centres sit at x + 0.5, y + 0.5).
namespace shape {
Canvas::Distance Disc(double cx, double cy, double radius);
Canvas::Distance Ring(double cx, double cy, double radius, double thickness);
Canvas::Distance RoundedRect(double left, double top, double right, double bottom, double radius);
Canvas::Distance Segment(double x0, double y0, double x1, double y1, double thickness);
Canvas::Distance Outline(const Canvas::Distance& inner, double thickness);
}  // namespace shape
