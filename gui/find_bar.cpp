// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/find_bar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace vornick::gui {

using Kind = RenameModel::RowKind;

FindBar::FindBar(QWidget* parent) : QWidget(parent) {
  setAccessibleName(tr("Find rows"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 2, 0, 2);
  layout->setSpacing(4);

  auto* label = new QLabel(tr("Fin&d:"), this);
  text_ = new QLineEdit(this);
  text_->setPlaceholderText(tr("Text in any column"));
  text_->setClearButtonEnabled(true);
  text_->setMinimumWidth(text_->fontMetrics().averageCharWidth() * 10);
  text_->setAccessibleName(tr("Find text"));
  text_->setAccessibleDescription(tr("Shows only the rows that hold this text in any column"));
  label->setBuddy(text_);

  auto* kindLabel = new QLabel(tr("Ro&ws:"), this);
  kind_ = new QComboBox(this);
  kind_->addItem(tr("All rows"), QVariant::fromValue(static_cast<int>(Kind::kAll)));
  kind_->addItem(tr("Rows that would change"), static_cast<int>(Kind::kWouldChange));
  kind_->addItem(tr("Rows Rename would refuse"), static_cast<int>(Kind::kWouldBeRefused));
  kind_->addItem(tr("Renamed rows"), static_cast<int>(Kind::kRenamed));
  kind_->addItem(tr("Failed rows"), static_cast<int>(Kind::kFailed));
  kind_->setAccessibleName(tr("Kind of rows shown"));
  kind_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  kindLabel->setBuddy(kind_);

  count_ = new QLabel(this);
  count_->setAccessibleDescription(tr("Rows shown"));

  // Tool buttons, narrower than push buttons: the bar has the list's width, also in a language of
  // long words.
  auto* check = new QToolButton(this);
  check->setText(tr("C&heck the Rows Shown"));
  auto* uncheck = new QToolButton(this);
  uncheck->setText(tr("Unchec&k the Rows Shown"));
  check->setToolTip(tr("Check every row the find bar shows"));
  uncheck->setToolTip(tr("Uncheck every row the find bar shows"));
  auto* close = new QToolButton(this);
  close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
  close->setAutoRaise(true);
  close->setAccessibleName(tr("Close the find bar"));
  close->setToolTip(tr("Close the find bar and show every row (Escape)"));

  layout->addWidget(label);
  layout->addWidget(text_, 1);
  layout->addWidget(kindLabel);
  layout->addWidget(kind_);
  layout->addWidget(count_);
  layout->addWidget(check);
  layout->addWidget(uncheck);
  layout->addWidget(close);

  // Keys typed quickly are taken together: the filter runs once the keyboard rests.
  auto* settle = new QTimer(this);
  settle->setSingleShot(true);
  settle->setInterval(0);
  connect(settle, &QTimer::timeout, this, [this] { emit FilterChanged(Text(), Which()); });
  connect(text_, &QLineEdit::textChanged, settle, qOverload<>(&QTimer::start));
  connect(kind_, &QComboBox::currentIndexChanged, settle, qOverload<>(&QTimer::start));
  connect(check, &QToolButton::clicked, this, [this] { emit CheckShown(true); });
  connect(uncheck, &QToolButton::clicked, this, [this] { emit CheckShown(false); });
  connect(close, &QToolButton::clicked, this, &FindBar::Close);
}

void FindBar::Open() {
  const bool wasHidden = isHidden();
  show();
  text_->setFocus(Qt::ShortcutFocusReason);
  text_->selectAll();
  if (wasHidden) emit FilterChanged(Text(), Which());
}

void FindBar::Close() {
  hide();
  emit Closed();
}

void FindBar::ShowCount(int shown, std::size_t total) {
  const QLocale locale;
  count_->setText(
      tr("%1 of %2 rows", nullptr, static_cast<int>(std::min<std::size_t>(total, INT_MAX)))
          .arg(locale.toString(shown), locale.toString(static_cast<qulonglong>(total))));
}

QString FindBar::Text() const {
  return text_->text();
}

Kind FindBar::Which() const {
  return static_cast<RenameModel::RowKind>(kind_->currentData().toInt());
}

void FindBar::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    Close();
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace vornick::gui
