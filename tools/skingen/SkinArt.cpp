#include "tools/skingen/SkinArt.h"

#include <cmath>
#include <numbers>

#include "res/resource.h"
#include "tools/skingen/ImageFiles.h"

namespace {

using namespace skin;
constexpr Rgb kBlack{0, 0, 0};

Canvas::Shader Solid(Rgb c) {
    return [c](double, double) { return c; };
}

// Row 0 has exactly `top`, the last row exactly `bottom`.
Canvas::Shader Vertical(Rgb top, Rgb bottom, int height) {
    return [=](double, double y) { return Mix(top, bottom, (y - 0.5) / (height - 1)); };
}

// `mid` exactly on the middle row, lighter above it, darker below.
Canvas::Shader Shaded(Rgb mid, int height) {
    Rgb top = Mix(mid, kWhite, 0.35), bottom = Mix(mid, kBlack, 0.2);
    double middle = (height - 1) / 2.0;
    return [=](double, double y) {
        double row = y - 0.5;
        return row <= middle ? Mix(top, mid, row / middle) : Mix(mid, bottom, (row - middle) / middle);
    };
}

Canvas Filled(int w, int h, const Canvas::Shader& shader) {
    Canvas c(w, h);
    c.Fill(shader);
    return c;
}

Canvas::Shader Caption(int height) { return Vertical(kCaptionTop, kBackground, height); }

// The caption buttons: a white glyph on the caption gradient or on the hover colour.
enum class Glyph { Close, Minimise, Maximise };

Canvas CaptionButton(Glyph glyph, const Canvas::Shader& back) {
    Canvas c = Filled(26, 26, back);
    switch (glyph) {
        case Glyph::Close:
            c.Paint(shape::Segment(8.5, 8.5, 17.5, 17.5, 2.2), kWhite);
            c.Paint(shape::Segment(17.5, 8.5, 8.5, 17.5, 2.2), kWhite);
            break;
        case Glyph::Minimise:
            c.Paint(shape::Segment(8.5, 17, 17.5, 17, 2), kWhite);
            break;
        case Glyph::Maximise:
            c.Paint(shape::Outline(shape::RoundedRect(8, 8, 18, 18, 1), 1.6), kWhite);
            c.Paint(shape::Segment(8.5, 9, 17.5, 9, 2), kWhite);  // the title bar of the window glyph
            break;
    }
    return c;
}

// The logo: a green disc with a white tick, centred at (cx, cy) with radius r.
void PaintBadge(Canvas& c, double cx, double cy, double r) {
    c.Paint(shape::Disc(cx, cy, r),
            Vertical(Mix(kSmallFace, kWhite, 0.3), Mix(kSmallFace, kBlack, 0.15), c.Height()));
    c.Paint(shape::Ring(cx, cy, r - 0.5, 1.2), kWhite, 0.8);
    double u = r / 9.0, w = 2.2 * u;
    c.Paint(shape::Segment(cx - 4.5 * u, cy + 0.5 * u, cx - 1.5 * u, cy + 3.5 * u, w), kWhite);
    c.Paint(shape::Segment(cx - 1.5 * u, cy + 3.5 * u, cx + 4.5 * u, cy - 3.5 * u, w), kWhite);
}

// A rounded face on the colour key: whatever lies outside the shape is the dialog's background.
Canvas Face(int w, int h, double radius, const Canvas::Shader& shader, Rgb edge) {
    Canvas c = Filled(w, h, Solid(kBackground));
    auto body = shape::RoundedRect(0, 0, w, h, radius);
    c.Paint(body, shader);
    c.Paint(shape::Outline(body, 1.2), edge, 0.7);
    return c;
}

Canvas SmallFace(Rgb mid) { return Face(88, 25, 8, Shaded(mid, 25), Mix(mid, kBlack, 0.35)); }

Canvas BigFace(double lighten) {
    Rgb top = Mix(kBigFaceTop, kWhite, lighten), bottom = Mix(kBigFaceBottom, kWhite, lighten);
    Canvas c = Face(210, 95, 16, Vertical(top, bottom, 95), Mix(bottom, kBlack, 0.3));
    // The magnifier at the left end, a blue lens and its handle, ending before x = 55, where a
    // label up to 100 pixels wide starts when centred on the face.
    c.Paint(shape::Segment(36, 51, 46, 61, 8), Rgb{20, 70, 140});
    c.Paint(shape::Disc(27, 41, 15), Rgb{190, 225, 250}, 0.9);
    c.Paint(shape::Ring(27, 41, 15, 5), Rgb{30, 110, 200});
    c.Paint(shape::Ring(27, 41, 9, 2), kWhite, 0.35);
    return c;
}

// Busy frame n (1 to 6): six dots on a faint ring; the brightest one steps on clockwise.
Canvas BusyFrame(int n) {
    Canvas c = Filled(24, 24, Solid(kBackground));
    c.Paint(shape::Ring(12, 12, 8, 2), kBusyRing, 0.25);
    static constexpr double kTrail[6] = {1.0, 0.72, 0.5, 0.36, 0.26, 0.2};
    for (int k = 0; k < 6; ++k) {
        double a = (k * 60.0 - 90.0) * std::numbers::pi / 180.0;
        double opacity = kTrail[((n - 1) - k + 6) % 6];
        c.Paint(shape::Disc(12 + 8 * std::cos(a), 12 + 8 * std::sin(a), 2.6), kBusyRing, opacity);
    }
    return c;
}

template <int N>
Canvas Busy() {
    return BusyFrame(N);
}

Canvas Edge(int w, int h) { return Filled(w, h, Solid(kBackground)); }

}  // namespace

const std::vector<SkinBitmap>& SkinBitmaps() {
    static const std::vector<SkinBitmap> table = {
        {IDB_BUSY_1, "busy_1.bmp", 24, 24, Busy<1>},
        {IDB_BUSY_2, "busy_2.bmp", 24, 24, Busy<2>},
        {IDB_BUSY_3, "busy_3.bmp", 24, 24, Busy<3>},
        {IDB_BUSY_4, "busy_4.bmp", 24, 24, Busy<4>},
        {IDB_BUSY_5, "busy_5.bmp", 24, 24, Busy<5>},
        {IDB_BUSY_6, "busy_6.bmp", 24, 24, Busy<6>},
        {IDB_BORDER_BOTTOM, "border_bottom.bmp", 775, 3, [] { return Edge(775, 3); }},
        {IDB_CAPTION_CLOSE, "caption_close.bmp", 26, 26,
         [] { return CaptionButton(Glyph::Close, Caption(26)); }},
        {IDB_CAPTION_CLOSE_HOT, "caption_close_hot.bmp", 26, 26,
         [] { return CaptionButton(Glyph::Close, Solid(kCloseHot)); }},
        {IDB_BORDER_LEFT, "border_left.bmp", 3, 433, [] { return Edge(3, 433); }},
        {IDB_CAPTION_LEFT, "caption_left.bmp", 100, 26, [] { return Filled(100, 26, Caption(26)); }},
        {IDB_CAPTION_MIDDLE, "caption_middle.bmp", 581, 26, [] { return Filled(581, 26, Caption(26)); }},
        {IDB_CAPTION_MIN, "caption_min.bmp", 26, 26,
         [] { return CaptionButton(Glyph::Minimise, Caption(26)); }},
        {IDB_CAPTION_MIN_HOT, "caption_min_hot.bmp", 26, 26,
         [] { return CaptionButton(Glyph::Minimise, Solid(kButtonHot)); }},
        {IDB_BORDER_RIGHT, "border_right.bmp", 3, 433, [] { return Edge(3, 433); }},
        {IDB_CAPTION_RIGHT, "caption_right.bmp", 100, 26, [] { return Filled(100, 26, Caption(26)); }},
        {IDB_CAPTION_LOGO, "caption_logo.bmp", 26, 26,
         [] {
             Canvas c = Filled(26, 26, Caption(26));
             PaintBadge(c, 13, 13, 10);
             return c;
         }},
        {IDB_BUTTON_SMALL, "button_small.bmp", 88, 25, [] { return SmallFace(kSmallFace); }},
        {IDB_BUTTON_BIG, "button_big.bmp", 210, 95, [] { return BigFace(0.0); }},
        {IDB_BUTTON_SMALL_HOT, "button_small_hot.bmp", 88, 25, [] { return SmallFace(kSmallFaceHot); }},
        {IDB_BUTTON_BIG_HOT, "button_big_hot.bmp", 210, 95, [] { return BigFace(0.22); }},
        {IDB_CAPTION_MAX, "caption_max.bmp", 26, 26,
         [] { return CaptionButton(Glyph::Maximise, Caption(26)); }},
        {IDB_CAPTION_MAX_HOT, "caption_max_hot.bmp", 26, 26,
         [] { return CaptionButton(Glyph::Maximise, Solid(kButtonHot)); }},
    };
    return table;
}

std::vector<Canvas> IconImages() {
    std::vector<Canvas> images;
    for (int n : {16, 32, 48}) {
        Canvas c(n, n);
        double inset = n / 32.0;
        c.Paint(shape::RoundedRect(inset, inset, n - inset, n - inset, n * 0.2), Caption(n));
        PaintBadge(c, n / 2.0, n / 2.0, n * 0.34);
        images.push_back(std::move(c));
    }
    return images;
}

std::vector<SkinFile> SkinFiles() {
    std::vector<SkinFile> files;
    for (const SkinBitmap& b : SkinBitmaps()) files.push_back({b.file, EncodeBmp24(b.draw())});
    files.push_back({"florrin.ico", EncodeIco(IconImages())});
    return files;
}
