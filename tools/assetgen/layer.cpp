#include "tools/assetgen/layer.h"

#include <algorithm>
#include <cmath>

Layer::Layer(int width, int height, bool wrapX, bool wrapY)
    : width_(width), height_(height), wrapX_(wrapX), wrapY_(wrapY),
      values_(static_cast<std::size_t>(width) * height, 0.0)
{
}

void Layer::Stamp(int x, int y, double value)
{
    if (wrapX_)
        x = ((x % width_) + width_) % width_;
    if (wrapY_)
        y = ((y % height_) + height_) % height_;
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    double& v = values_[static_cast<std::size_t>(y) * width_ + x];
    v = std::max(v, value);
}

void Layer::Line(double x0, double y0, double x1, double y1, double width, double strength)
{
    const double half = width * 0.5;
    const int left = static_cast<int>(std::floor(std::min(x0, x1) - half - 2.0));
    const int right = static_cast<int>(std::ceil(std::max(x0, x1) + half + 2.0));
    const int top = static_cast<int>(std::floor(std::min(y0, y1) - half - 2.0));
    const int bottom = static_cast<int>(std::ceil(std::max(y0, y1) + half + 2.0));
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double lengthSq = dx * dx + dy * dy;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const double px = x + 0.5 - x0;
            const double py = y + 0.5 - y0;
            double t = lengthSq > 0.0 ? (px * dx + py * dy) / lengthSq : 0.0;
            t = std::min(1.0, std::max(0.0, t));
            const double ex = px - t * dx;
            const double ey = py - t * dy;
            const double d = std::sqrt(ex * ex + ey * ey);
            const double coverage = Clamp01(half + 0.5 - d);
            if (coverage > 0.0)
                Stamp(x, y, coverage * strength);
        }
    }
}

void Layer::Disc(double cx, double cy, double radius, double strength)
{
    Line(cx, cy, cx, cy, radius * 2.0, strength);
}

void Layer::Ring(double cx, double cy, double radiusX, double radiusY, double width,
                 double strength)
{
    const double rMax = std::max(radiusX, radiusY);
    const int steps = std::max(24, static_cast<int>(rMax * 2.0));
    const double twoPi = 6.283185307179586;
    for (int i = 0; i < steps; ++i) {
        const double a0 = twoPi * i / steps;
        const double a1 = twoPi * (i + 1) / steps;
        Line(cx + std::cos(a0) * radiusX, cy + std::sin(a0) * radiusY,
             cx + std::cos(a1) * radiusX, cy + std::sin(a1) * radiusY, width, strength);
    }
}

Layer Layer::Blurred(double sigma) const
{
    const int radius = std::max(1, static_cast<int>(std::ceil(sigma * 3.0)));
    std::vector<double> kernel(static_cast<std::size_t>(radius) * 2 + 1);
    double sum = 0.0;
    for (int i = -radius; i <= radius; ++i) {
        kernel[static_cast<std::size_t>(i + radius)] = std::exp(-(i * i) / (2.0 * sigma * sigma));
        sum += kernel[static_cast<std::size_t>(i + radius)];
    }
    for (double& k : kernel)
        k /= sum;

    Layer across(width_, height_, wrapX_, wrapY_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            double acc = 0.0;
            for (int i = -radius; i <= radius; ++i) {
                int sx = x + i;
                if (wrapX_)
                    sx = ((sx % width_) + width_) % width_;
                else if (sx < 0 || sx >= width_)
                    continue;
                acc += kernel[static_cast<std::size_t>(i + radius)] * At(sx, y);
            }
            across.values_[static_cast<std::size_t>(y) * width_ + x] = acc;
        }
    }
    Layer result(width_, height_, wrapX_, wrapY_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            double acc = 0.0;
            for (int i = -radius; i <= radius; ++i) {
                int sy = y + i;
                if (wrapY_)
                    sy = ((sy % height_) + height_) % height_;
                else if (sy < 0 || sy >= height_)
                    continue;
                acc += kernel[static_cast<std::size_t>(i + radius)] * across.At(x, sy);
            }
            result.values_[static_cast<std::size_t>(y) * width_ + x] = acc;
        }
    }
    return result;
}

void Layer::AddTo(Image& image, Rgb colour, double gain) const
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            image.Add(x, y, colour * (gain * At(x, y)));
}
