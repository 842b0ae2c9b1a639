// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "platform/settings_store.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace vornick::gui {

// Which types of files Load Folder (and a dropped folder) lists: a check box for each usual music
// type, one for each other type the settings hold, and All Files. It holds no rule of its own: it
// reads the types through the settings and writes them through what it is given.
class TypesDialog final : public QDialog {
  Q_OBJECT

 public:
  // Writes the types chosen, in their order; throws platform::SettingsWriteError when they are not
  // written.
  using Writer = std::function<void(const std::vector<std::string>& types)>;
  TypesDialog(platform::SettingsStore& settings, Writer write, QWidget* parent);

  // Opens the dialog, modal over `parent`, on the user's settings; true when the types chosen were
  // written.
  static bool Choose(QWidget* parent);

  // The types as OK writes them: "All Files" first when it is checked, then the types checked, in
  // the order of their boxes.
  std::vector<std::string> Chosen() const;
  QCheckBox& AllFilesBox() const { return *allFiles_; }
  // One box for each type, in their order: the usual music types, then the others.
  const std::vector<QCheckBox*>& TypeBoxes() const { return typeBoxes_; }
  // Why the settings could not be read; empty when they could.
  QLabel& Note() const { return *note_; }
  QPushButton& OkButton() const { return *ok_; }

  // Writes the types chosen and closes; with no type checked, a type that cannot be written, or a
  // write that fails, says why and stays open.
  void accept() override;

 private:
  // The place of the box of `type` (compared without regard to ASCII case), made when there is
  // none.
  std::size_t IndexOf(const std::string& type);
  void AddBox(const std::string& type);
  void Refuse(const QString& text);

  Writer write_;
  QCheckBox* allFiles_;
  std::vector<QCheckBox*> typeBoxes_;
  std::vector<std::string> types_;  // what each box writes, as the settings spell it
  QWidget* typesPane_;
  QLabel* note_;
  QPushButton* ok_;
};

}  // namespace vornick::gui
