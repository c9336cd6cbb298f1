// synthetic_photo.h: a made-up photograph for codec tests and benchmarks.
//
// Smooth gradients, a round and a square shape with hard edges, a thin line
// and a little fine noise: what a lossy codec and a colour quantiser find in
// a real picture. The same size and seed always give the same pixels, on any
// machine, so pictures can be made afresh instead of being kept in the tree.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>

#include "gfx/dib.h"

namespace cbst::testing {

// A 24-bit Dib, no two corners alike, so that a picture turned or flipped on
// the way through a codec is noticed.
inline Dib SyntheticPhoto(int width, int height, std::uint32_t seed = 1) {
  Dib dib(width, height, 24);
  std::mt19937 random(seed);  // its raw output is the same everywhere
  const double pi = std::acos(-1.0);
  const double circle_x = 0.3 * width;
  const double circle_y = 0.4 * height;
  const double radius = 0.2 * std::min(width, height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* pixel = dib.row(y);
    for (int x = 0; x < width; ++x, pixel += 3) {
      const double across = static_cast<double>(x) / width;
      const double down = static_cast<double>(y) / height;
      double red = 40 + 180 * across;
      double green = 30 + 190 * down;
      double blue = 128 + 90 * std::sin(3 * pi * (across + 0.5 * down));
      const double dx = x - circle_x;
      const double dy = y - circle_y;
      if (dx * dx + dy * dy < radius * radius) {
        red = 235;
        green = 140 + 40 * down;
        blue = 40;
      }
      if (across > 0.6 && across < 0.85 && down > 0.55 && down < 0.8) {
        red = 20;
        green = 45;
        blue = 120 + 60 * across;
      }
      if (std::abs(x - 2 * y) < 1) red = green = blue = 250;  // a thin diagonal line
      const auto noisy = [&](double value) {
        const int noise = static_cast<int>(random() % 13) - 6;
        return static_cast<std::uint8_t>(std::clamp(static_cast<int>(value) + noise, 0, 255));
      };
      pixel[2] = noisy(red);
      pixel[1] = noisy(green);
      pixel[0] = noisy(blue);
    }
  }
  return dib;
}

}  // namespace cbst::testing
