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
  bool GoOnWithoutHistory(window::Command command, const std::string& where,
                          std::error_code error) override;
  bool OfferTakeBack(const platform::BatchSummary& batch, bool interrupted) override;
  void HistorySetAside(const std::string& location, const std::string& setAsideAs) override;

 private:
  window::Reports& reports_;
  QtWindow& window_;
};

}  // namespace vornick::gui
