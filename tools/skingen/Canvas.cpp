#include "tools/skingen/Canvas.h"

#include <algorithm>
#include <cmath>

namespace {

uint8_t Channel(double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
    return {Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t), Channel(a.b + (b.b - a.b) * t)};
}

Canvas::Canvas(int width, int height, Rgba fill)
    : m_nWidth(width), m_nHeight(height), m_pixels(static_cast<size_t>(width) * height, fill) {}

Rgb Canvas::RgbAt(int x, int y) const {
    Rgba p = At(x, y);
    return {p.r, p.g, p.b};
}

void Canvas::Fill(const Shader& shader) {
    for (int y = 0; y < m_nHeight; ++y)
        for (int x = 0; x < m_nWidth; ++x) {
            Rgb c = shader(x + 0.5, y + 0.5);
            m_pixels[static_cast<size_t>(y) * m_nWidth + x] = {c.r, c.g, c.b, 255};
        }
}

void Canvas::Paint(const Distance& shape, const Shader& shader, double opacity) {
    for (int y = 0; y < m_nHeight; ++y)
        for (int x = 0; x < m_nWidth; ++x) {
            double cover = std::clamp(0.5 - shape(x + 0.5, y + 0.5), 0.0, 1.0);
            if (cover > 0.0) Over(x, y, shader(x + 0.5, y + 0.5), cover * opacity);
        }
}

void Canvas::Paint(const Distance& shape, Rgb colour, double opacity) {
    Paint(
        shape, [colour](double, double) { return colour; }, opacity);
}

void Canvas::Over(int x, int y, Rgb c, double alpha) {
    Rgba& d = m_pixels[static_cast<size_t>(y) * m_nWidth + x];
    double da = d.a / 255.0;
    double oa = alpha + da * (1.0 - alpha);
    if (oa <= 0.0) return;
    auto mix = [&](uint8_t s, uint8_t t) { return Channel((s * alpha + t * da * (1.0 - alpha)) / oa); };
    d = {mix(c.r, d.r), mix(c.g, d.g), mix(c.b, d.b), Channel(oa * 255.0)};
}

namespace shape {

Canvas::Distance Disc(double cx, double cy, double radius) {
    return [=](double x, double y) { return std::hypot(x - cx, y - cy) - radius; };
}

Canvas::Distance Ring(double cx, double cy, double radius, double thickness) {
    return [=](double x, double y) { return std::fabs(std::hypot(x - cx, y - cy) - radius) - thickness / 2; };
}

Canvas::Distance RoundedRect(double left, double top, double right, double bottom, double radius) {
    double cx = (left + right) / 2, cy = (top + bottom) / 2;
    double hx = (right - left) / 2 - radius, hy = (bottom - top) / 2 - radius;
    return [=](double x, double y) {
        double qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
        double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
        return outside + std::min(std::max(qx, qy), 0.0) - radius;
    };
}

Canvas::Distance Segment(double x0, double y0, double x1, double y1, double thickness) {
    return [=](double x, double y) {
        double dx = x1 - x0, dy = y1 - y0;
        double t = std::clamp(((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) - thickness / 2;
    };
}

Canvas::Distance Outline(const Canvas::Distance& inner, double thickness) {
    return [=](double x, double y) { return std::fabs(inner(x, y) + thickness / 2) - thickness / 2; };
}

}  // namespace shape
