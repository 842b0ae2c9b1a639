// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/qt_dialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "files/file_types.h"
#include "gui/report_dialog.h"

namespace vornick::gui {
namespace {

// A message longer than this many lines shows its beginning, and the whole text under "Show
// Details...", so the box still fits on the screen.
constexpr qsizetype kMaxMessageLines = 25;

std::string PathBytes(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

// The file-open dialog's filters.
QString OpenFileFilters(const platform::OpenDialogOptions& options) {
  // Qt's filter form: the description followed by its patterns in parentheses.
  const QString description = Translated(options.filterDescription);
  const QString pattern = QString::fromStdString(options.filterPattern);
  QString own = description;
  if (!pattern.isEmpty() && !description.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))) {
    own += QStringLiteral(" (") + pattern + QLatin1Char(')');
  }
  // After the command's own filter, the other music a library holds, and everything.
  QStringList patterns;
  for (const char* type : files::kMusicTypes)
    patterns << QStringLiteral("*.") + QLatin1String(type);
  const QString music = QCoreApplication::translate("Dialogs", "Music files") +
                        QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  const QString all = QCoreApplication::translate("Dialogs", "All files") + QStringLiteral(" (*)");
  return QStringList{own, music, all}.join(QStringLiteral(";;"));
}

}  // namespace

QString QtDialogs::StartFolder(WindowState::Picker picker) const {
  if (state_ == nullptr) return {};
  return QFile::decodeName(QByteArray::fromStdString(state_->LastFolder(picker)));
}

std::string QtDialogs::BrowseForFolder(const std::string& prompt) {
  const QString folder = QFileDialog::getExistingDirectory(
      parent_, Translated(prompt), StartFolder(WindowState::Picker::kLoadFolder));
  if (folder.isEmpty()) return {};
  std::string path = PathBytes(folder);
  if (state_ != nullptr) state_->SetLastFolder(WindowState::Picker::kLoadFolder, path);
  return path;
}

std::vector<std::string> QtDialogs::ShowOpen(const platform::OpenDialogOptions& options) {
  const QString title = Translated(options.title);
  const QString start = StartFolder(WindowState::Picker::kLoadFiles);
  QStringList picked;
  if (options.allowMultiSelect) {
    picked = QFileDialog::getOpenFileNames(parent_, title, start, OpenFileFilters(options));
  } else if (QString file =
                 QFileDialog::getOpenFileName(parent_, title, start, OpenFileFilters(options));
             !file.isEmpty()) {
    picked.append(file);
  }
  std::vector<std::string> paths;
  paths.reserve(static_cast<std::size_t>(picked.size()));
  for (const QString& path : picked) paths.push_back(PathBytes(path));
  // The files of one pick share their folder.
  if (state_ != nullptr && !picked.isEmpty())
    state_->SetLastFolder(WindowState::Picker::kLoadFiles,
                          PathBytes(QFileInfo(picked.front()).absolutePath()));
  return paths;
}

// How many checked rows were tried is not reported, so the summary counts the failures alone.
void QtDialogs::RenameFailed(window::RenameDirection direction,
                             const std::vector<window::RenameFailure>& failures) {
  ReportDialog(RenameFailedReport(direction, failures), parent_).exec();
}

void QtDialogs::Stopped(window::Command command, const std::string& why, bool typesUnreadable) {
  const MessageText message = StoppedMessage(command, why, typesUnreadable);
  ShowMessage(message.title, message.text);
}

void QtDialogs::PassedOver(window::Command /*command*/,
                           const std::vector<window::PassedOver>& passedOver) {
  ReportDialog(PassedOverReport(passedOver), parent_).exec();
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
