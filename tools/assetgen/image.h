#pragma once

#include <cstddef>
#include <vector>

// A colour with channels in 0..1 (or above, before tone mapping, for glowing things).
struct Rgb {
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
};

Rgb operator+(Rgb a, Rgb b);
Rgb operator-(Rgb a, Rgb b);
Rgb operator*(Rgb a, double k);
Rgb operator*(Rgb a, Rgb b);
Rgb Mix(Rgb a, Rgb b, double t);
double Clamp01(double v);
double SmoothStep(double edge0, double edge1, double x);

// A picture as it is seen: row 0 at the top. Texture coordinate t = 0 is the bottom row.
class Image {
public:
    Image(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb& At(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    const Rgb& At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    // Wraps the coordinates around both edges, as a repeating texture does.
    Rgb& Wrapped(int x, int y);
    void Add(int x, int y, Rgb c) { At(x, y) = At(x, y) + c; }

    // Soft-clips glowing sums so that very bright parts fade to white instead of flattening.
    void ToneMap(double exposure);
    // 0..255 bytes with rounding, channels clamped.
    std::vector<unsigned char> Bytes() const;

private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

// A colour ramp: stops at increasing positions; positions between stops blend linearly.
struct RampStop {
    double at;
    Rgb colour;
};
Rgb Ramp(const RampStop* stops, int count, double t);
template <int N>
Rgb Ramp(const RampStop (&stops)[N], double t) { return Ramp(stops, N, t); }
