// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/qt_dialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

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
  const QString description = QString::fromStdString(options.filterDescription);
  const QString pattern = QString::fromStdString(options.filterPattern);
  if (pattern.isEmpty() || description.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))) {
    return description;
  }
  return description + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

}  // namespace

std::string QtDialogs::BrowseForFolder(const std::string& prompt) {
  const QString folder = QFileDialog::getExistingDirectory(parent_, QString::fromStdString(prompt));
  return folder.isEmpty() ? std::string() : PathBytes(folder);
}

std::vector<std::string> QtDialogs::ShowOpen(const platform::OpenDialogOptions& options) {
  const QString title = QString::fromStdString(options.title);
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

void QtDialogs::ShowMessage(const std::string& title, const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), {}, QMessageBox::Ok, parent_);
  box.setTextFormat(Qt::PlainText);  // file names are never markup
  const QString whole = QString::fromStdString(text);
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
