#include "window/qt/number_box.h"

#include <QEvent>
#include <QFocusEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionFrame>
#include <limits>

#include "window/box_display.h"

namespace tasa {

NumberBox::NumberBox(const QString& text, QWidget* parent)
    : QLineEdit(text, parent), twin_(new QLineEdit(this)) {
  setMaxLength(std::numeric_limits<int>::max());  // no length limit
  twin_->hide();
  twin_->setFocusPolicy(Qt::NoFocus);
  connect(this, &QLineEdit::textChanged, this, &NumberBox::TextChanged);
}

void NumberBox::selectFromStart() {
  setSelection(static_cast<int>(text().size()),
               -static_cast<int>(text().size()));
}

// Whether the text shows whole within the box's frame and margins.
bool NumberBox::Fits(const QString& text) const {
  if (text.size() > static_cast<qsizetype>(kLongestMeasured)) return false;
  constexpr int kTextMargin = 2;  // QLineEdit's own, each side
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect contents =
      style()
          ->subElementRect(QStyle::SE_LineEditContents, &option, this)
          .marginsRemoved(textMargins());
  return fontMetrics().horizontalAdvance(text) <=
         contents.width() - 2 * kTextMargin;
}

// The tooltip follows every change; the shortened number is worked out
// when the box has no focus, for it shows only then.
void NumberBox::TextChanged() {
  QString tip;
  if (!Fits(text())) {
    tip = text();
    if (tip.size() > static_cast<qsizetype>(kLongestTooltip)) {
      qsizetype kept = kLongestTooltip - 1;
      if (tip.at(kept - 1).isHighSurrogate()) --kept;
      tip = tip.left(kept) + u'…';
    }
  }
  setToolTip(tip);
  if (hasFocus()) {
    shown_ = QString();
  } else {
    Shorten();
  }
}

void NumberBox::Shorten() {
  const QString whole = text();
  const std::string shown = ShownWithoutFocus(
      whole.toStdString(), [this](std::string_view candidate) {
        return Fits(QString::fromUtf8(
            candidate.data(), static_cast<qsizetype>(candidate.size())));
      });
  shown_ = QString::fromStdString(shown);
  if (shown_ == whole) shown_ = QString();
  update();
}

void NumberBox::paintEvent(QPaintEvent* event) {
  if (hasFocus() || shown_.isNull()) {
    QLineEdit::paintEvent(event);
    return;
  }
  twin_->resize(size());
  twin_->setText(shown_);
  twin_->setCursorPosition(0);
  // Through a pixmap: a hidden widget does not paint straight onto the
  // painter of a widget being painted.
  QPixmap pixmap(size() * devicePixelRatioF());
  pixmap.setDevicePixelRatio(devicePixelRatioF());
  pixmap.fill(Qt::transparent);
  twin_->render(&pixmap);
  QPainter(this).drawPixmap(0, 0, pixmap);
}

void NumberBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (event->reason() == Qt::TabFocusReason ||
      event->reason() == Qt::BacktabFocusReason) {
    selectFromStart();
  }
  update();
}

void NumberBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Under its own context menu the box goes on showing what it edits.
  if (event->reason() != Qt::PopupFocusReason) Shorten();
}

void NumberBox::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  if (!hasFocus()) Shorten();
}

void NumberBox::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange && !hasFocus()) Shorten();
}

}  // namespace tasa
