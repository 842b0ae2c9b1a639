// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "window/reports.h"

namespace vornick::gui {

class QtWindow;

// The commands' reports, each passed on once the rows the command added are on screen: a message
// box is modal, and the list behind it should hold the rows it speaks of.
class ShownReports final : public window::Reports {
 public:
  ShownReports(window::Reports& reports, QtWindow& window) : reports_(reports), window_(window) {}

  void RenameFailed(window::RenameDirection direction,
                    const std::vector<window::RenameFailure>& failures) override;
  void Stopped(window::Command command, const std::string& why, bool typesUnreadable) override;
  void PassedOver(window::Command command,
                  const std::vector<window::PassedOver>& passedOver) override;

 private:
  window::Reports& reports_;
  QtWindow& window_;
};

}  // namespace vornick::gui
