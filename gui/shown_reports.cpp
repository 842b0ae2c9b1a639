// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shown_reports.h"

#include "gui/qt_window.h"

namespace vornick::gui {

void ShownReports::RenameFailed(window::RenameDirection direction,
                                const std::vector<window::RenameFailure>& failures) {
  window_.ShowAppendedRows();
  reports_.RenameFailed(direction, failures);
}

void ShownReports::Stopped(window::Command command, const std::string& why, bool typesUnreadable) {
  window_.ShowAppendedRows();
  reports_.Stopped(command, why, typesUnreadable);
}

void ShownReports::PassedOver(window::Command command,
                              const std::vector<window::PassedOver>& passedOver) {
  window_.ShowAppendedRows();
  reports_.PassedOver(command, passedOver);
}

bool ShownReports::GoOnWithoutHistory(window::Command command, const std::string& where,
                                      std::error_code error) {
  window_.ShowAppendedRows();
  return reports_.GoOnWithoutHistory(command, where, error);
}

bool ShownReports::OfferTakeBack(const platform::BatchSummary& batch, bool interrupted) {
  window_.ShowAppendedRows();
  return reports_.OfferTakeBack(batch, interrupted);
}

void ShownReports::HistorySetAside(const std::string& location, const std::string& setAsideAs) {
  window_.ShowAppendedRows();
  reports_.HistorySetAside(location, setAsideAs);
}

}  // namespace vornick::gui
