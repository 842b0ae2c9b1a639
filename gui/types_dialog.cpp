// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/types_dialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "files/file_types.h"
#include "files/file_types_setting.h"
#include "platform/settings/qt_settings_store.h"

namespace vornick::gui {
namespace {

constexpr int kBoxColumns = 3;
// Settings written by hand may hold many types; past this height they scroll.
constexpr int kMostTypesHeight = 320;
// What Load Folder takes while the settings select nothing.
constexpr const char* kDefaultType = "mp3";

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

}  // namespace

TypesDialog::TypesDialog(platform::SettingsStore& settings, Writer write, QWidget* parent)
    : QDialog(parent), write_(std::move(write)) {
  setWindowTitle(QCoreApplication::translate("TypesDialog", "File Types"));
  setAccessibleName(windowTitle());

  auto* intro =
      new QLabel(QCoreApplication::translate(
                     "TypesDialog",
                     "Load Folder, and a folder dropped on the list, take the files of the "
                     "types checked here."),
                 this);
  intro->setWordWrap(true);

  allFiles_ = new QCheckBox(QCoreApplication::translate("TypesDialog", "&All Files"), this);
  allFiles_->setAccessibleName(QCoreApplication::translate("TypesDialog", "All Files"));
  const QString allTip = QCoreApplication::translate(
      "TypesDialog", "Every file, whatever its type; the types checked below are kept for later");
  allFiles_->setToolTip(allTip);
  allFiles_->setAccessibleDescription(allTip);

  auto* group = new QGroupBox(QCoreApplication::translate("TypesDialog", "Types"), this);
  group->setAccessibleName(QCoreApplication::translate("TypesDialog", "Types of files"));
  typesPane_ = new QWidget;
  auto* grid = new QGridLayout(typesPane_);
  grid->setContentsMargins(0, 0, 0, 0);
  auto* scroll = new QScrollArea(group);
  scroll->setWidget(typesPane_);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Tab goes from box to box; a box that takes the focus is scrolled into sight.
  scroll->setFocusPolicy(Qt::NoFocus);
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(scroll);
  for (const char* type : files::kMusicTypes) AddBox(type);

  note_ = new QLabel(this);
  note_->setWordWrap(true);
  note_->setTextFormat(Qt::PlainText);  // the reason may name a file, never markup
  auto* when = new QLabel(QCoreApplication::translate(
                              "TypesDialog", "The types are used from the next Load Folder on."),
                          this);
  when->setWordWrap(true);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &TypesDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TypesDialog::reject);
  // The types are kept while All Files is checked, only not used.
  connect(allFiles_, &QCheckBox::toggled, group, [group](bool all) { group->setEnabled(!all); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addWidget(note_);
  layout->addWidget(allFiles_);
  layout->addWidget(group, 1);
  layout->addWidget(when);
  layout->addWidget(buttons);

  std::vector<std::string> current;
  const auto unreadable = [this](const char* why) {
    note_->setText(QCoreApplication::translate("TypesDialog",
                                               "The file types in the settings cannot be read "
                                               "(%1). Check the types to use from now on.")
                       .arg(QString::fromUtf8(why)));
  };
  try {
    current = files::GetFileTypes(settings);
    if (current.empty()) typeBoxes_.at(IndexOf(kDefaultType))->setChecked(true);
  } catch (const files::FileTypesError& error) {
    unreadable(error.what());
  } catch (const platform::SettingsReadError& error) {
    unreadable(error.what());
  }
  note_->setVisible(!note_->text().isEmpty());
  for (std::size_t i = 0; i < current.size(); ++i) {
    if (i == 0 && current[i] == files::kAllFiles) {
      allFiles_->setChecked(true);
      continue;
    }
    const std::size_t index = IndexOf(current[i]);
    typeBoxes_.at(index)->setChecked(true);
    types_.at(index) = current[i];  // written back as the settings spell it
  }

  // Tab follows the boxes as they stand, the types the settings added too, then the buttons.
  QWidget* previous = allFiles_;
  for (QCheckBox* box : typeBoxes_) {
    QWidget::setTabOrder(previous, box);
    previous = box;
  }

  // As many rows as fit without scrolling, up to a height.
  scroll->setMinimumHeight(std::min(typesPane_->sizeHint().height(), kMostTypesHeight));
  scroll->setMinimumWidth(typesPane_->sizeHint().width() +
                          scroll->verticalScrollBar()->sizeHint().width());
}

bool TypesDialog::Choose(QWidget* parent) {
  platform::QtSettingsStore settings;
  TypesDialog dialog(
      settings,
      [](const std::vector<std::string>& types) {
        files::SetFileTypes(types, &platform::QtSettingsStore::SetLists);
      },
      parent);
  return dialog.exec() == QDialog::Accepted;
}

std::vector<std::string> TypesDialog::Chosen() const {
  std::vector<std::string> chosen;
  if (allFiles_->isChecked()) chosen.emplace_back(files::kAllFiles);
  for (std::size_t i = 0; i < typeBoxes_.size(); ++i) {
    if (typeBoxes_[i]->isChecked()) chosen.push_back(types_[i]);
  }
  return chosen;
}

std::size_t TypesDialog::IndexOf(const std::string& type) {
  for (std::size_t i = 0; i < types_.size(); ++i) {
    if (SameIgnoringCase(types_[i], type)) return i;
  }
  AddBox(type);
  return types_.size() - 1;
}

void TypesDialog::AddBox(const std::string& type) {
  const QString name = FromUtf8(type);
  const QString label = QStringLiteral("%1 (.%2)").arg(name.toUpper(), name);
  auto* box = new QCheckBox(QString(label).replace(QLatin1Char('&'), QStringLiteral("&&")));
  box->setAccessibleName(label);
  const QString tip =
      QCoreApplication::translate("TypesDialog", "Files whose names end in .%1").arg(name);
  box->setToolTip(tip);
  box->setAccessibleDescription(tip);
  const int place = static_cast<int>(typeBoxes_.size());
  static_cast<QGridLayout*>(typesPane_->layout())
      ->addWidget(box, place / kBoxColumns, place % kBoxColumns);
  typeBoxes_.push_back(box);
  types_.push_back(type);
}

void TypesDialog::Refuse(const QString& text) {
  QMessageBox box(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);  // a type or a file name is never markup
  box.exec();
}

void TypesDialog::accept() {
  const std::vector<std::string> chosen = Chosen();
  if (chosen.empty()) {
    Refuse(QCoreApplication::translate("TypesDialog", "Check at least one type, or All Files."));
    return;
  }
  for (const std::string& type : chosen) {
    if (files::RefusedFileType(type).empty()) continue;
    Refuse(QCoreApplication::translate(
               "TypesDialog",
               "The type \"%1\" cannot be kept: a type has no spaces around it, no comma and no "
               "dot in front. Uncheck it to go on.")
               .arg(FromUtf8(type)));
    return;
  }
  try {
    write_(chosen);
  } catch (const platform::SettingsWriteError& error) {
    Refuse(QCoreApplication::translate("TypesDialog",
                                       "The file types were not saved, and the settings are as "
                                       "they were.\n%1")
               .arg(QString::fromUtf8(error.what())));
    return;
  }
  QDialog::accept();
}

}  // namespace vornick::gui
