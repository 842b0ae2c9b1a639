// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/counts_line.h"

#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QStringList>
#include <QToolButton>
#include <exception>

namespace vornick::gui {
namespace {

// A slice of the count of rows Rename would refuse takes no longer than this, so that the window
// answers between slices.
constexpr qint64 kSliceMs = 15;
// How often the counts are shown while a command runs.
constexpr int kHeldTickMs = 250;

QString Number(std::size_t count) {
  return QLocale().toString(static_cast<qulonglong>(count));
}

int Plural(std::size_t count) {
  return static_cast<int>(std::min<std::size_t>(count, INT_MAX));
}

}  // namespace

CountsLine::CountsLine(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  text_ = new QLabel(this);
  text_->setTextFormat(Qt::PlainText);
  types_ = new QToolButton(this);
  types_->setText(tr("File &Types..."));
  types_->setAutoRaise(true);
  types_->setFocusPolicy(Qt::StrongFocus);
  types_->setToolTip(tr("Choose the types of file that Load Folder takes"));
  layout->addWidget(text_, 1);
  layout->addWidget(types_);
  connect(types_, &QToolButton::clicked, this, &CountsLine::TypesRequested);
  slice_.setInterval(0);
  connect(&slice_, &QTimer::timeout, this, &CountsLine::CountSlice);
  heldTick_.setSingleShot(true);
  heldTick_.setInterval(kHeldTickMs);
  connect(&heldTick_, &QTimer::timeout, this, &CountsLine::Show);
  Show();
}

CountsLine::~CountsLine() {
  if (rows_ != nullptr) rows_->RemoveListener(*this);
}

void CountsLine::SetRows(window::RenameList* rows, window::RowChecks* checks) {
  if (rows_ != nullptr) rows_->RemoveListener(*this);
  rows_ = rows;
  checks_ = checks;
  if (rows_ != nullptr) rows_->AddListener(*this);
  Recount();
}

void CountsLine::SetLoad(const std::optional<window::Form1::LoadSummary>& load) {
  const bool same =
      load.has_value() == load_.has_value() &&
      (!load || (load->added == load_->added && load->otherTypes == load_->otherTypes));
  if (same) return;
  load_ = load;
  Show();
}

void CountsLine::Hold(bool held) {
  if (held == held_) return;
  held_ = held;
  if (held) {
    slice_.stop();
  } else {
    heldTick_.stop();
  }
  Recount();
}

void CountsLine::Recount() noexcept {
  scanned_ = refused_ = 0;
  // During a command the counts follow a few times a second: rows may come ten at a time, and
  // the line would otherwise be made anew for each ten.
  if (held_) {
    if (!heldTick_.isActive()) heldTick_.start();
    return;
  }
  if (!slice_.isActive()) slice_.start();
}

void CountsLine::CountSlice() {
  // The counts kept by the list are shown at once; those Rename would refuse when all are seen.
  if (scanned_ == 0) Show();
  if (rows_ == nullptr || checks_ == nullptr || held_) return slice_.stop();
  QElapsedTimer spent;
  spent.start();
  const std::size_t count = rows_->Count();
  while (scanned_ < count && spent.elapsed() < kSliceMs) {
    // Only a checked row that is not renamed can be refused: the others are passed quickly.
    const window::RenameEntry& row = rows_->Row(scanned_);
    if (row.Checked && !row.IsRenamed()) {
      try {
        if (checks_->Status(scanned_).kind == window::RowStatus::Kind::kWouldBeRefused) ++refused_;
      } catch (const std::exception&) {
        // Not counted: the row's own mark says nothing either.
      }
    }
    ++scanned_;
  }
  if (scanned_ >= count) {
    slice_.stop();
    refusedShown_ = refused_;
    Show();
  }
}

void CountsLine::Show() {
  QStringList parts;
  const std::size_t rows = rows_ == nullptr ? 0 : rows_->Count();
  parts << tr("%Ln row(s)", nullptr, Plural(rows));
  if (rows_ != nullptr && rows != 0) {
    parts << tr("%1 checked").arg(Number(rows_->CheckedCount()));
    if (refusedShown_ && *refusedShown_ != 0)
      parts << tr("%1 would be refused").arg(Number(*refusedShown_));
    if (rows_->RenamedCount() != 0) parts << tr("%1 renamed").arg(Number(rows_->RenamedCount()));
    if (rows_->FailedCount() != 0) parts << tr("%1 failed").arg(Number(rows_->FailedCount()));
  }
  QString words = parts.join(QStringLiteral(", "));
  if (load_) {
    words +=
        QStringLiteral(". ") + tr("Last load added %Ln file(s)", nullptr, Plural(load_->added));
    std::size_t others = 0;
    QStringList types;
    for (const auto& [type, count] : load_->otherTypes) {
      others += count;
      types << QString::fromStdString(type);
    }
    if (others != 0) {
      words += QStringLiteral("; ") +
               tr("%Ln file(s) of other types not taken: %1", nullptr, Plural(others))
                   .arg(types.join(QStringLiteral(", ")));
    }
  }
  words += QLatin1Char('.');
  words_ = words;
  text_->setToolTip(words);
  // Read whole, also where the line is cut short.
  text_->setAccessibleName(words);
  text_->setAccessibleDescription(tr("Counts"));
  text_->setText(text_->fontMetrics().elidedText(words, Qt::ElideRight, text_->width()));
}

void CountsLine::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Show();
}

}  // namespace vornick::gui
