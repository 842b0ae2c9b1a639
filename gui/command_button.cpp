// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/command_button.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace vornick::gui {
namespace {

constexpr int kPictureSize = 32;
constexpr int kGap = 2;  // between picture and caption

}  // namespace

CommandButton::CommandButton(const QString& caption, const QIcon& picture, QWidget* parent)
    : QPushButton(picture, caption, parent) {
  setIconSize({kPictureSize, kPictureSize});
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
  // Return and Enter press the button that has the focus, as Space does.
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      event->modifiers() == Qt::NoModifier) {
    if (!event->isAutoRepeat()) click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

void CommandButton::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  painter.drawControl(QStyle::CE_PushButtonBevel, option);

  QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  if (option.state & QStyle::State_Sunken) {
    contents.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
  }
  // A caption wider than the face (a wide font, a long translation) is drawn smaller, not cut.
  QFont captionFont = font();
  const QString shown =
      QString(text()).remove(QLatin1Char('&'));  // the mnemonic mark takes no room
  const int room = rect().width() - 2;
  for (int width = QFontMetrics(captionFont).horizontalAdvance(shown);
       width > room && captionFont.pointSizeF() > 6;
       width = QFontMetrics(captionFont).horizontalAdvance(shown)) {
    captionFont.setPointSizeF(captionFont.pointSizeF() - 0.5);
  }
  painter.setFont(captionFont);
  const int textHeight = QFontMetrics(captionFont).height();
  const int top =
      contents.top() + std::max(0, (contents.height() - kPictureSize - kGap - textHeight) / 2);
  const QRect pictureRect(contents.left() + (contents.width() - kPictureSize) / 2, top,
                          kPictureSize, kPictureSize);
  const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
  painter.drawPixmap(pictureRect, icon().pixmap(iconSize(), devicePixelRatio(), mode));

  // The caption may be a little wider than the contents rectangle; it may use the whole face.
  const QRect textRect(rect().left(), pictureRect.bottom() + 1 + kGap, rect().width(), textHeight);
  painter.drawItemText(textRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic, palette(),
                       isEnabled(), text(), QPalette::ButtonText);

  if (option.state & QStyle::State_HasFocus) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

}  // namespace vornick::gui
