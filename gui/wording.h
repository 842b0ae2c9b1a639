// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/history_store.h"
#include "platform/window.h"
#include "window/reports.h"
#include "window/row_checks.h"

namespace vornick::gui {

// A file name or path as text; bytes that are not UTF-8 show as replacement marks.
QString Text(const std::string& bytes);

// The user's words, in the language of the translations installed, for what the controller hands
// over: its fixed texts (captions, headers, dialog titles) and its structured reports.
QString Translated(const std::string& controllerText);
QString ReasonWords(const window::Reason& reason, const QString& target);
QString StatusWords(const window::RowStatus& status, const QString& target);

struct MessageText {
  QString title;
  QString text;
};
MessageText RenameFailedMessage(window::RenameDirection direction,
                                const std::vector<window::RenameFailure>& failures);
MessageText StoppedMessage(window::Command command, const std::string& why, bool typesUnreadable);
MessageText PassedOverMessage(const std::vector<window::PassedOver>& passedOver);
MessageText HistorySetAsideMessage(const std::string& location, const std::string& setAsideAs);

// A report of many files or folders, as the report dialog shows it: a summary above a list of one
// line for each, under `headers`.
struct ReportText {
  QString title;
  QString summary;
  QString listName;         // what screen readers call the list
  QString listDescription;  // and what they say of it
  QStringList headers;
  std::vector<QStringList> rows;  // a cell for each header
};
// The rows Rename or Undo could not do: name, folder and reason of each. `tried` is how many
// checked rows were tried, when it is known; the summary then counts the failures out of it.
ReportText RenameFailedReport(window::RenameDirection direction,
                              const std::vector<window::RenameFailure>& failures,
                              std::optional<std::size_t> tried = std::nullopt);
// The folders and links a load passed over: folder and reason of each.
ReportText PassedOverReport(const std::vector<window::PassedOver>& passedOver);

// A question: `goOn` is the caption of the button that goes on, `stop` of the one that does not.
struct QuestionText {
  QString title;
  QString text;
  QString goOn;
  QString stop;
};
QuestionText GoOnWithoutHistoryQuestion(window::Command command, const std::string& where,
                                        std::error_code error);
QuestionText TakeBackQuestion(const platform::BatchSummary& batch, bool interrupted);

// When a batch began (seconds since 1970, UTC), in local time in the user's short format.
QString WhenWords(std::int64_t started);
// How a batch of the history stands: done, interrupted, taken back, ...
QString BatchStateWords(const platform::BatchSummary& batch);

// A command button's caption (with its mnemonic) and what it does.
QString ButtonCaption(platform::Button button);
QString ButtonToolTip(platform::Button button);

// At most this many rows or folders are listed by name in one message; the rest are counted.
inline constexpr std::size_t kMostListed = 100;

}  // namespace vornick::gui
