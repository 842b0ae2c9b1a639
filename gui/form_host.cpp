// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/form_host.h"

#include <QMessageBox>
#include <exception>

#include "gui/command_button.h"
#include "gui/history_dialog.h"
#include "gui/main_form.h"
#include "gui/qt_window.h"
#include "gui/rename_view.h"

namespace vornick::gui {

using platform::Button;

FormHost::FormHost(window::Form1& form, QtWindow& window) : form_(form), window_(window) {
  window_.ShowRows(&form_.Operations().List(), &form_.Operations().Checks());
  MainForm& mainForm = window_.Form();
  RenameView& list = mainForm.FileList();

  connect(&mainForm, &MainForm::Resized, this, [this] { Run([this] { form_.OnResize(); }); });
  connect(&mainForm, &MainForm::MouseMoved, this, [this] { Run([this] { form_.OnMouseMove(); }); });
  connect(&mainForm, &MainForm::ButtonMouseMoved, this,
          [this](Button button) { Run([this, button] { form_.OnButtonMouseMove(button); }); });
  for (std::size_t i = 0; i < platform::kButtonCount; ++i) {
    const auto button = static_cast<Button>(i);
    connect(&mainForm.ButtonOf(button), &QAbstractButton::clicked, this,
            [this, button] { Run([this, button] { form_.Press(button); }); });
  }
  connect(&list, &RenameView::RowClicked, this, [this] { Run([this] { form_.OnListClick(); }); });
  connect(&list, &RenameView::MouseMoved, this,
          [this] { Run([this] { form_.OnListMouseMove(); }); });
  connect(&list, &RenameView::PathsDropped, this, [this](const std::vector<std::string>& paths) {
    Run([this, &paths] { form_.OnDrop(paths); });
  });
  connect(&mainForm, &MainForm::HistoryRequested, this, &FormHost::ShowHistory);
  connect(&mainForm, &MainForm::MakeNamesSafeRequested, this,
          [this] { Run([this] { form_.MakeNamesSafe(); }); });
  // Closing the window ends everything, also a command that is still under way.
  connect(&mainForm, &MainForm::CloseRequested, this, [this] {
    if (running_ > 0) window_.End();
  });
}

// Form1 (and its rows) may go before the window: the view must not read them any more.
FormHost::~FormHost() {
  window_.ShowRows(nullptr, nullptr);
}

void FormHost::Load() {
  Run([this] { form_.OnLoad(); });
}

void FormHost::Open(const std::vector<std::string>& paths) {
  Run([this, &paths] { form_.OnOpen(paths); });
}

void FormHost::Started() {
  Run([this] { form_.OnStarted(); });
}

void FormHost::ShowHistory() {
  HistoryDialog dialog(
      [this] { return form_.History(); },
      [this](std::int64_t batch) { Run([this, batch] { form_.TakeBack(batch); }); },
      &window_.Form());
  dialog.exec();
}

template <typename Handler>
void FormHost::Run(Handler&& handler) {
  ++running_;
  try {
    handler();
  } catch (const std::exception& failure) {
    // Form1 contains its own failures; this only keeps one from unwinding through Qt.
    QMessageBox::critical(&window_.Form(), QStringLiteral("Vornick"),
                          QString::fromStdString(failure.what()));
  }
  --running_;
  window_.ShowAppendedRows();
  if (running_ == 0) window_.ShowStatuses();
}

}  // namespace vornick::gui
