// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>

namespace vornick::gui {

// A command button with its picture above its caption.
class CommandButton final : public QPushButton {
  Q_OBJECT

 public:
  CommandButton(const QString& caption, const QIcon& picture, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace vornick::gui
