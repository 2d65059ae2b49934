// A small floating-point RGB canvas with antialiased shapes. Every shape is described by a
// signed distance (negative inside, in pixels) and its coverage of a pixel is taken from the
// distance at the pixel's centre, so edges blend smoothly onto what lies below.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/artgen/Names.h"

namespace artgen {

inline Rgb Mix(Rgb a, Rgb b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Rgb Lighten(Rgb c, float t) {
  return Mix(c, {1, 1, 1}, t);
}
inline Rgb Darken(Rgb c, float t) {
  return Mix(c, {0, 0, 0}, t);
}
inline float Luma(Rgb c) {
  return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b;
}

class Canvas {
 public:
  Canvas(int width, int height, Rgb fill)
      : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  Rgb& at(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

  // Lays `colour` over pixel (x, y) with opacity `alpha`; outside pixels are ignored.
  void Blend(int x, int y, Rgb colour, float alpha) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || alpha <= 0) return;
    Rgb& p = at(x, y);
    p = alpha >= 1 ? colour : Mix(p, colour, alpha);
  }

  // Paints a shape: for every pixel of the box [x0, x1) x [y0, y1) (clipped to the canvas),
  // coverage(px, py) gives the opacity at the pixel centre and paint(px, py) its colour.
  template <typename Coverage, typename Paint>
  void Fill(float x0, float y0, float x1, float y1, Coverage coverage, Paint paint) {
    const int ix0 = std::max(0, static_cast<int>(std::floor(x0)));
    const int iy0 = std::max(0, static_cast<int>(std::floor(y0)));
    const int ix1 = std::min(width_, static_cast<int>(std::ceil(x1)));
    const int iy1 = std::min(height_, static_cast<int>(std::ceil(y1)));
    for (int y = iy0; y < iy1; ++y) {
      for (int x = ix0; x < ix1; ++x) {
        const float px = static_cast<float>(x) + 0.5f;
        const float py = static_cast<float>(y) + 0.5f;
        const float a = coverage(px, py);
        if (a > 0) Blend(x, y, paint(px, py), std::min(a, 1.0f));
      }
    }
  }

 private:
  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

// Signed distances.
inline float RoundRectDistance(float px, float py, float x0, float y0, float x1, float y1,
                               float radius) {
  const float cx = (x0 + x1) * 0.5f;
  const float cy = (y0 + y1) * 0.5f;
  const float hx = (x1 - x0) * 0.5f - radius;
  const float hy = (y1 - y0) * 0.5f - radius;
  const float qx = std::fabs(px - cx) - hx;
  const float qy = std::fabs(py - cy) - hy;
  const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
  return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}
inline float CircleDistance(float px, float py, float cx, float cy, float r) {
  return std::hypot(px - cx, py - cy) - r;
}
// A line segment of half-thickness r with round ends.
inline float CapsuleDistance(float px, float py, float ax, float ay, float bx, float by, float r) {
  const float dx = bx - ax, dy = by - ay;
  const float len2 = dx * dx + dy * dy;
  float t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0.0f;
  t = std::clamp(t, 0.0f, 1.0f);
  return std::hypot(px - (ax + t * dx), py - (ay + t * dy)) - r;
}

// Opacity of a hard edge at signed distance d, and of a soft one blurred over `blur` pixels.
inline float Edge(float d) {
  return std::clamp(0.5f - d, 0.0f, 1.0f);
}
inline float SoftEdge(float d, float blur) {
  const float t = std::clamp(0.5f - d / blur, 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

// Common fills, in terms of the above.
void FillRoundRect(Canvas& canvas, float x0, float y0, float x1, float y1, float radius, Rgb colour,
                   float alpha = 1);
// Vertical gradient from `top` at y0 to `bottom` at y1.
void FillRoundRectGradient(Canvas& canvas, float x0, float y0, float x1, float y1, float radius,
                           Rgb top, Rgb bottom, float alpha = 1);
// An outline of the given width lying just inside the rounded rectangle.
void StrokeRoundRect(Canvas& canvas, float x0, float y0, float x1, float y1, float radius,
                     float width, Rgb colour, float alpha = 1);
// A blurred rounded rectangle: shadows and glows.
void SoftRoundRect(Canvas& canvas, float x0, float y0, float x1, float y1, float radius, float blur,
                   Rgb colour, float alpha);
void FillCircle(Canvas& canvas, float cx, float cy, float r, Rgb colour, float alpha = 1);
void StrokeCircle(Canvas& canvas, float cx, float cy, float r, float width, Rgb colour,
                  float alpha = 1);
void DrawLine(Canvas& canvas, float ax, float ay, float bx, float by, float width, Rgb colour,
              float alpha = 1);

}  // namespace artgen
