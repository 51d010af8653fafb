#include "ui/lamp_picture.h"

#include <algorithm>
#include <cmath>

namespace {

// The lamp is drawn on a 240-unit square, the grid its bitmaps were drawn on.
constexpr double kGrid = 240.0;
constexpr double kCenter = 120.0;
constexpr double kBallRadius = 101.0;
constexpr double kRimHalfWidth = 8.0;
// The shading's center and reach: the light comes from the upper left.
constexpr double kLightX = 100.0;
constexpr double kLightY = 96.0;
constexpr double kLightReach = 150.0;
// The gloss spot: an ellipse with a soft edge.
constexpr double kGlossX = 86.0;
constexpr double kGlossY = 74.0;
constexpr double kGlossRadiusX = 30.0;
constexpr double kGlossRadiusY = 22.0;
// Samples per pixel along each axis: edges are the covered share of the pixel.
constexpr int kSamples = 4;

struct Color {
    double r = 0;
    double g = 0;
    double b = 0;
};

Color FromRgb(std::uint32_t rgb) {
    return {static_cast<double>((rgb >> 16) & 0xFF), static_cast<double>((rgb >> 8) & 0xFF),
            static_cast<double>(rgb & 0xFF)};
}

Color Mix(const Color& a, const Color& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

std::uint32_t ToRgb(const Color& c) {
    const auto channel = [](double v) {
        return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L));
    };
    return channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

// Light to dark across the ball, and the rim around it.
struct Shades {
    std::uint32_t highlight;
    std::uint32_t light;
    std::uint32_t middle;
    std::uint32_t dark;
    std::uint32_t rim;
};

constexpr Shades kUnlit{0xDCDCDC, 0xA4A4A4, 0x7C7C7C, 0x565656, 0x3A3A3A};

Shades LitShades(LampColor color) {
    switch (color) {
        case LampColor::kRed:
            return {0xFFD2C8, 0xFF5A40, 0xE01010, 0x8A0000, 0x4A0806};
        case LampColor::kYellow:
            return {0xFFFBD0, 0xFFE840, 0xF0B800, 0x946000, 0x4E3606};
        case LampColor::kGreen:
            break;
    }
    return {0xDCFFD0, 0x5CF03C, 0x14B414, 0x0A6000, 0x0C3A08};
}

// The ball's shade at distance t (0 at the light's center, 1 at its reach and beyond).
Color BallShade(const Shades& shades, double t) {
    const Color stops[] = {FromRgb(shades.highlight), FromRgb(shades.light), FromRgb(shades.middle),
                           FromRgb(shades.dark)};
    const double position = std::clamp(t, 0.0, 1.0) * 4.0;
    const int stop = std::min(static_cast<int>(position), 3);
    if (stop >= 3) return stops[3];
    return Mix(stops[stop], stops[stop + 1], position - stop);
}

// How much of the gloss spot's white covers a point: full inside, fading out over its edge.
double GlossCover(double x, double y) {
    const double dx = (x - kGlossX) / kGlossRadiusX;
    const double dy = (y - kGlossY) / kGlossRadiusY;
    const double distance = std::sqrt(dx * dx + dy * dy);
    return std::clamp((1.25 - distance) / 0.5, 0.0, 1.0);
}

// The color of one point of the grid, or nothing (the background) outside the lamp.
bool LampPoint(const Shades& shades, double x, double y, Color& color) {
    const double fromCenter = std::hypot(x - kCenter, y - kCenter);
    if (fromCenter > kBallRadius + kRimHalfWidth) return false;
    if (fromCenter >= kBallRadius - kRimHalfWidth)
        color = FromRgb(shades.rim);
    else
        color = BallShade(shades, std::hypot(x - kLightX, y - kLightY) / kLightReach);
    color = Mix(color, Color{255, 255, 255}, GlossCover(x, y));
    return true;
}

void PaintFrame(const Shades& shades, int size, int frameIndex, const Color& background,
                std::vector<std::uint32_t>& strip) {
    const double unit = kGrid / size;
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            Color sum;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double x = (column + (sx + 0.5) / kSamples) * unit;
                    const double y = (row + (sy + 0.5) / kSamples) * unit;
                    Color point = background;
                    LampPoint(shades, x, y, point);
                    sum = {sum.r + point.r, sum.g + point.g, sum.b + point.b};
                }
            }
            constexpr double kCount = kSamples * kSamples;
            strip[static_cast<std::size_t>(row) * 2 * size + frameIndex * size + column] =
                ToRgb({sum.r / kCount, sum.g / kCount, sum.b / kCount});
        }
    }
}

}  // namespace

std::vector<std::uint32_t> PaintLampStrip(LampColor color, int size, std::uint32_t background) {
    if (size <= 0) return {};
    std::vector<std::uint32_t> strip(static_cast<std::size_t>(size) * 2 * size);
    const Color back = FromRgb(background);
    PaintFrame(kUnlit, size, 0, back, strip);
    PaintFrame(LitShades(color), size, 1, back, strip);
    return strip;
}
