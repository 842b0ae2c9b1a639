#include "platform/qt/form_host.h"

#include <QMessageBox>
#include <array>
#include <exception>

#include "platform/qt/command_button.h"
#include "platform/qt/main_form.h"
#include "platform/qt/qt_window.h"
#include "platform/qt/rename_view.h"

namespace vornick::platform::qt {
namespace {

using window::Form1;

constexpr std::array<Control, 8> kChecks{Control::kCheck1, Control::kCheck2, Control::kCheck3,
                                         Control::kCheck4, Control::kCheck5, Control::kCheck6,
                                         Control::kCheck7, Control::kCheck8};

// Check8 (Clear List) has no hover handler.
constexpr std::array<void (Form1::*)(), 7> kCheckMouseMoves{
    &Form1::Check1_MouseMove, &Form1::Check2_MouseMove, &Form1::Check3_MouseMove,
    &Form1::Check4_MouseMove, &Form1::Check5_MouseMove, &Form1::Check6_MouseMove,
    &Form1::Check7_MouseMove};

}  // namespace

FormHost::FormHost(Form1& form, QtWindow& window) : form_(form), window_(window) {
  window_.ShowRows(&form_.ListView1());
  MainForm& mainForm = window_.Form();
  RenameView& list = mainForm.ListView1();

  connect(&mainForm, &MainForm::Resized, this, [this] { Run([this] { form_.Form_Resize(); }); });
  connect(&mainForm, &MainForm::MouseMoved, this,
          [this] { Run([this] { form_.Form_MouseMove(); }); });
  connect(&mainForm, &MainForm::CheckMouseMoved, this, [this](int number) {
    if (number >= 1 && number <= static_cast<int>(kCheckMouseMoves.size())) {
      Run([this, number] { (form_.*kCheckMouseMoves.at(static_cast<std::size_t>(number - 1)))(); });
    }
  });
  for (std::size_t i = 0; i < kChecks.size(); ++i) {
    // Every change of Value runs the click handler, also the one the handler makes itself.
    connect(&mainForm.Check(static_cast<int>(i) + 1), &QAbstractButton::toggled, this,
            [this, i] { Run([this, i] { form_.CheckClick(kChecks.at(i)); }); });
  }
  connect(&list, &RenameView::RowClicked, this,
          [this] { Run([this] { form_.ListView1_Click(); }); });
  connect(&list, &RenameView::MouseMoved, this,
          [this] { Run([this] { form_.ListView1_MouseMove(); }); });
  connect(&list, &RenameView::PathsDropped, this, [this](const std::vector<std::string>& paths) {
    Run([this, &paths] { form_.ListView1_OLEDragDrop(paths); });
  });
  // Closing the window ends everything, also a command that is still under way.
  connect(&mainForm, &MainForm::CloseRequested, this, [this] {
    if (running_ > 0) window_.End();
  });
}

// Form1 (and its rows) may go before the window: the view must not read them any more.
FormHost::~FormHost() {
  window_.ShowRows(nullptr);
}

void FormHost::Load() {
  Run([this] { form_.Form_Load(); });
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
}

}  // namespace vornick::platform::qt
