#include "tools/artgen/Raster.h"

namespace artgen {

void FillRoundRect(Canvas& canvas, float x0, float y0, float x1, float y1, float radius, Rgb colour,
                   float alpha) {
  canvas.Fill(
      x0 - 1, y0 - 1, x1 + 1, y1 + 1,
      [&](float px, float py) {
        return alpha * Edge(RoundRectDistance(px, py, x0, y0, x1, y1, radius));
      },
      [&](float, float) { return colour; });
}

void FillRoundRectGradient(Canvas& canvas, float x0, float y0, float x1, float y1, float radius,
                           Rgb top, Rgb bottom, float alpha) {
  const float span = std::max(y1 - y0, 1.0f);
  canvas.Fill(
      x0 - 1, y0 - 1, x1 + 1, y1 + 1,
      [&](float px, float py) {
        return alpha * Edge(RoundRectDistance(px, py, x0, y0, x1, y1, radius));
      },
      [&](float, float py) { return Mix(top, bottom, std::clamp((py - y0) / span, 0.0f, 1.0f)); });
}

void StrokeRoundRect(Canvas& canvas, float x0, float y0, float x1, float y1, float radius,
                     float width, Rgb colour, float alpha) {
  canvas.Fill(
      x0 - 1, y0 - 1, x1 + 1, y1 + 1,
      [&](float px, float py) {
        const float d = RoundRectDistance(px, py, x0, y0, x1, y1, radius);
        return alpha * std::min(Edge(d), Edge(-d - width));
      },
      [&](float, float) { return colour; });
}

void SoftRoundRect(Canvas& canvas, float x0, float y0, float x1, float y1, float radius, float blur,
                   Rgb colour, float alpha) {
  canvas.Fill(
      x0 - blur, y0 - blur, x1 + blur, y1 + blur,
      [&](float px, float py) {
        return alpha * SoftEdge(RoundRectDistance(px, py, x0, y0, x1, y1, radius), blur);
      },
      [&](float, float) { return colour; });
}

void FillCircle(Canvas& canvas, float cx, float cy, float r, Rgb colour, float alpha) {
  canvas.Fill(
      cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1,
      [&](float px, float py) { return alpha * Edge(CircleDistance(px, py, cx, cy, r)); },
      [&](float, float) { return colour; });
}

void StrokeCircle(Canvas& canvas, float cx, float cy, float r, float width, Rgb colour,
                  float alpha) {
  canvas.Fill(
      cx - r - width - 1, cy - r - width - 1, cx + r + width + 1, cy + r + width + 1,
      [&](float px, float py) {
        return alpha * Edge(std::fabs(CircleDistance(px, py, cx, cy, r)) - width * 0.5f);
      },
      [&](float, float) { return colour; });
}

void DrawLine(Canvas& canvas, float ax, float ay, float bx, float by, float width, Rgb colour,
              float alpha) {
  const float r = width * 0.5f;
  canvas.Fill(
      std::min(ax, bx) - r - 1, std::min(ay, by) - r - 1, std::max(ax, bx) + r + 1,
      std::max(ay, by) + r + 1,
      [&](float px, float py) { return alpha * Edge(CapsuleDistance(px, py, ax, ay, bx, by, r)); },
      [&](float, float) { return colour; });
}

}  // namespace artgen
