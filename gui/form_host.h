// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "window/form1.h"

namespace vornick::gui {

class QtWindow;

// Connects the window's events to Form1's handlers. Each handler runs to its end (other handlers
// may run nested at its DoEvents points); when it returns, the rows it appended reach the view.
class FormHost final : public QObject {
  Q_OBJECT

 public:
  FormHost(window::Form1& form, QtWindow& window);
  ~FormHost() override;

  // Runs Form1's OnLoad; the window is shown afterwards, which raises the first resize.
  void Load();
  // Adds the paths named when the program started (see Form1::OnOpen).
  void Open(const std::vector<std::string>& paths);
  // Once the window shows (and the paths are added): see Form1::OnStarted.
  void Started();
  // The history dialog, modal over the window; a batch is taken back there as Form1 takes it.
  void ShowHistory();

 private:
  template <typename Handler>
  void Run(Handler&& handler);
  void ConnectFinder();

  window::Form1& form_;
  QtWindow& window_;
  int running_ = 0;  // handlers under way, nested ones included
};

}  // namespace vornick::gui
