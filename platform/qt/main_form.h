#pragma once

#include <QWidget>
#include <array>

#include "platform/window.h"

class QListWidget;

namespace vornick::platform::qt {

class CommandButton;
class RenameView;

// Form1's window: the list, the hidden work list and the eight command buttons, placed as the
// window's description puts them. It turns the window's own events into signals.
class MainForm final : public QWidget {
  Q_OBJECT

 public:
  explicit MainForm(QWidget* parent = nullptr);

  RenameView& ListView1() const { return *listView1_; }
  // Check1 .. Check8 by number.
  CommandButton& Check(int number) const {
    return *checks_.at(static_cast<std::size_t>(number - 1));
  }
  // The widget behind a control.
  QWidget& ControlWidget(Control control) const;
  static QIcon Picture(int number);

 signals:
  // The outer size changed (also when the frame first appears around the window).
  void Resized();
  // A mouse move over the bare window, not over a control.
  void MouseMoved();
  void CheckMouseMoved(int number);
  void CloseRequested();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ReportOuterSize();

  RenameView* listView1_;
  QListWidget* list4_;
  std::array<CommandButton*, 8> checks_{};
  QSize lastOuterSize_;
};

}  // namespace vornick::platform::qt
