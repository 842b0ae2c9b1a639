// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

#include "platform/window.h"

namespace vornick::gui {

// Form1 measures in twips; the widgets in device-independent pixels.
inline constexpr platform::Twips kTwipsPerPixel = 15.0f;

inline int ToPixels(platform::Twips twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
inline platform::Twips ToTwips(int pixels) {
  return static_cast<platform::Twips>(pixels) * kTwipsPerPixel;
}

}  // namespace vornick::gui
