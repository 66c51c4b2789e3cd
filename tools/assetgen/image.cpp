#include "tools/assetgen/image.h"

#include <cmath>

Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Rgb operator-(Rgb a, Rgb b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
Rgb operator*(Rgb a, double k) { return {a.r * k, a.g * k, a.b * k}; }
Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }

Rgb Mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

double Clamp01(double v)
{
    return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v);
}

double SmoothStep(double edge0, double edge1, double x)
{
    double t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

Image::Image(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height)
{
}

Rgb& Image::Wrapped(int x, int y)
{
    x %= width_;
    y %= height_;
    if (x < 0)
        x += width_;
    if (y < 0)
        y += height_;
    return At(x, y);
}

void Image::ToneMap(double exposure)
{
    for (Rgb& p : pixels_) {
        p.r = 1.0 - std::exp(-p.r * exposure);
        p.g = 1.0 - std::exp(-p.g * exposure);
        p.b = 1.0 - std::exp(-p.b * exposure);
    }
}

std::vector<unsigned char> Image::Bytes() const
{
    std::vector<unsigned char> bytes;
    bytes.reserve(pixels_.size() * 3);
    for (const Rgb& p : pixels_) {
        bytes.push_back(static_cast<unsigned char>(std::lround(Clamp01(p.r) * 255.0)));
        bytes.push_back(static_cast<unsigned char>(std::lround(Clamp01(p.g) * 255.0)));
        bytes.push_back(static_cast<unsigned char>(std::lround(Clamp01(p.b) * 255.0)));
    }
    return bytes;
}

Rgb Ramp(const RampStop* stops, int count, double t)
{
    if (t <= stops[0].at)
        return stops[0].colour;
    for (int i = 1; i < count; ++i) {
        if (t <= stops[i].at) {
            const double span = stops[i].at - stops[i - 1].at;
            return Mix(stops[i - 1].colour, stops[i].colour, (t - stops[i - 1].at) / span);
        }
    }
    return stops[count - 1].colour;
}
