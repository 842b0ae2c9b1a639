#pragma once

#include <cmath>

namespace vornick::platform::qt {

// Form1 measures in twips; the widgets in device-independent pixels.
inline constexpr float kTwipsPerPixel = 15.0f;

inline int ToPixels(float twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
inline float ToTwips(int pixels) {
  return static_cast<float>(pixels) * kTwipsPerPixel;
}

}  // namespace vornick::platform::qt
