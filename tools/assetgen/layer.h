#pragma once

#include <cstddef>
#include <vector>

#include "tools/assetgen/image.h"

// A grey coverage mask for line art. Strokes combine by maximum, so crossings and joints do
// not brighten; the glow is a blurred copy added on top. Coordinates are in pixels, row 0 at
// the top, pixel centres at +0.5. A wrapping axis repeats the art across that edge.
class Layer {
public:
    Layer(int width, int height, bool wrapX, bool wrapY);

    int Width() const { return width_; }
    int Height() const { return height_; }
    double At(int x, int y) const { return values_[static_cast<std::size_t>(y) * width_ + x]; }

    // A stroke of the given width with round ends, its edge anti-aliased over one pixel.
    void Line(double x0, double y0, double x1, double y1, double width, double strength = 1.0);
    // A filled disc.
    void Disc(double cx, double cy, double radius, double strength = 1.0);
    // A circle outline centred on (cx, cy); the axes may differ to make ellipses.
    void Ring(double cx, double cy, double radiusX, double radiusY, double width,
              double strength = 1.0);

    // Gaussian blur that respects the wrapping of each axis (outside a plain edge is empty).
    Layer Blurred(double sigma) const;
    // image += colour * gain * coverage.
    void AddTo(Image& image, Rgb colour, double gain) const;

private:
    void Stamp(int x, int y, double value);

    int width_;
    int height_;
    bool wrapX_;
    bool wrapY_;
    std::vector<double> values_;
};
