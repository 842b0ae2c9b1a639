// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/qt_dialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace vornick::gui {
namespace {

// A message longer than this many lines shows its beginning, and the whole text under "Show
// Details...", so the box still fits on the screen.
constexpr qsizetype kMaxMessageLines = 25;

std::string PathBytes(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

// Qt's filter form: the description followed by its patterns in parentheses.
QString NameFilter(const platform::OpenDialogOptions& options) {
  const QString description = Translated(options.filterDescription);
  const QString pattern = QString::fromStdString(options.filterPattern);
  if (pattern.isEmpty() || description.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))) {
    return description;
  }
  return description + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

}  // namespace

std::string QtDialogs::BrowseForFolder(const std::string& prompt) {
  const QString folder = QFileDialog::getExistingDirectory(parent_, Translated(prompt));
  return folder.isEmpty() ? std::string() : PathBytes(folder);
}

std::vector<std::string> QtDialogs::ShowOpen(const platform::OpenDialogOptions& options) {
  const QString title = Translated(options.title);
  QStringList picked;
  if (options.allowMultiSelect) {
    picked = QFileDialog::getOpenFileNames(parent_, title, {}, NameFilter(options));
  } else if (QString file = QFileDialog::getOpenFileName(parent_, title, {}, NameFilter(options));
             !file.isEmpty()) {
    picked.append(file);
  }
  std::vector<std::string> paths;
  paths.reserve(static_cast<std::size_t>(picked.size()));
  for (const QString& path : picked) paths.push_back(PathBytes(path));
  return paths;
}

void QtDialogs::RenameFailed(window::RenameDirection direction,
                             const std::vector<window::RenameFailure>& failures) {
  const MessageText message = RenameFailedMessage(direction, failures);
  ShowMessage(message.title, message.text);
}

void QtDialogs::Stopped(window::Command command, const std::string& why, bool typesUnreadable) {
  const MessageText message = StoppedMessage(command, why, typesUnreadable);
  ShowMessage(message.title, message.text);
}

void QtDialogs::PassedOver(window::Command /*command*/,
                           const std::vector<window::PassedOver>& passedOver) {
  const MessageText message = PassedOverMessage(passedOver);
  ShowMessage(message.title, message.text);
}

bool QtDialogs::GoOnWithoutHistory(window::Command command, const std::string& where,
                                   std::error_code error) {
  return Ask(GoOnWithoutHistoryQuestion(command, where, error), QMessageBox::Warning, false);
}

bool QtDialogs::OfferTakeBack(const platform::BatchSummary& batch, bool interrupted) {
  return Ask(TakeBackQuestion(batch, interrupted), QMessageBox::Question, true);
}

void QtDialogs::HistorySetAside(const std::string& location, const std::string& setAsideAs) {
  const MessageText message = HistorySetAsideMessage(location, setAsideAs);
  ShowMessage(message.title, message.text);
}

bool QtDialogs::Ask(const QuestionText& question, QMessageBox::Icon icon, bool goOnIsDefault) {
  QMessageBox box(icon, question.title, question.text, QMessageBox::NoButton, parent_);
  box.setTextFormat(Qt::PlainText);  // file names are never markup
  QPushButton* goOn = box.addButton(question.goOn, QMessageBox::AcceptRole);
  QPushButton* stop = box.addButton(question.stop, QMessageBox::RejectRole);
  box.setDefaultButton(goOnIsDefault ? goOn : stop);
  box.setEscapeButton(stop);
  box.exec();
  return box.clickedButton() == goOn;
}

void QtDialogs::ShowMessage(const QString& title, const QString& whole) {
  QMessageBox box(QMessageBox::NoIcon, title, {}, QMessageBox::Ok, parent_);
  box.setTextFormat(Qt::PlainText);  // file names are never markup
  const QStringList lines = whole.split(QLatin1Char('\n'));
  if (lines.size() > kMaxMessageLines) {
    box.setText(lines.first(kMaxMessageLines).join(QLatin1Char('\n')) + QStringLiteral("\n..."));
    box.setDetailedText(whole);
  } else {
    box.setText(whole);
  }
  box.exec();
}

}  // namespace vornick::gui
