// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/form_host.h"

#include <QMessageBox>
#include <exception>

#include "gui/command_button.h"
#include "gui/counts_line.h"
#include "gui/find_bar.h"
#include "gui/history_dialog.h"
#include "gui/main_form.h"
#include "gui/qt_window.h"
#include "gui/rename_model.h"
#include "gui/rename_view.h"
#include "gui/types_dialog.h"

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
  connect(&mainForm, &MainForm::BackToProposalRequested, this,
          [this] { Run([this] { form_.BackToProposal(); }); });
  connect(&mainForm, &MainForm::CheckSelectedRequested, this, [this, &list](bool checked) {
    std::vector<std::size_t> rows;
    for (const QModelIndex& row : list.selectionModel()->selectedRows())
      rows.push_back(window_.Model().ListRow(row.row()));
    Run([this, &rows, checked] { form_.CheckRows(rows, checked); });
  });
  connect(&mainForm, &MainForm::CheckShownRequested, this, [this](bool checked) {
    const std::vector<std::size_t> rows = window_.Model().ShownRows();
    Run([this, &rows, checked] { form_.CheckRows(rows, checked); });
  });
  connect(&mainForm, &MainForm::TypesRequested, this,
          [this] { TypesDialog::Choose(&window_.Form()); });
  ConnectFinder();
  window_.Model().SetEditHook([this](std::size_t row, const std::string& name) {
    QString refused;
    Run([this, row, &name, &refused] {
      if (form_.EditName(row, name) == window::ListOperations::EditRefusal::kRenamed) {
        refused = RenameModel::RenamedWords();
      }
    });
    if (!refused.isEmpty())
      QMessageBox::information(&window_.Form(), tr("Edit Proposed Name"), refused);
    return refused;
  });
  // Closing the window ends everything, also a command that is still under way.
  connect(&mainForm, &MainForm::CloseRequested, this, [this] {
    if (running_ > 0) window_.End();
  });
}

// The find bar filters the view; its count follows the rows shown.
void FormHost::ConnectFinder() {
  RenameModel& model = window_.Model();
  FindBar& finder = window_.Form().Finder();
  const auto count = [&model, &finder] {
    if (finder.isVisible()) finder.ShowCount(model.rowCount(), model.ListCount());
  };
  connect(&finder, &FindBar::FilterChanged, this,
          [&model, count](const QString& text, RenameModel::RowKind kind) {
            model.SetFilter(text, kind);
            count();
          });
  connect(&finder, &FindBar::Closed, this,
          [&model] { model.SetFilter({}, RenameModel::RowKind::kAll); });
  for (const auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
    connect(&model, signal, this, count);
  }
  connect(&model, &QAbstractItemModel::layoutChanged, this, count);
  connect(&model, &QAbstractItemModel::modelReset, this, count);
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
  window_.Form().Counts().SetLoad(form_.LastLoad());
  if (running_ == 0) window_.ShowStatuses();
}

}  // namespace vornick::gui
