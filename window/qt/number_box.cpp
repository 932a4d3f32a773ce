#include "window/qt/number_box.h"

#include <QEvent>
#include <QFocusEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>
#include <algorithm>
#include <limits>

#include "window/box_display.h"
#include "window/line_breaks.h"

namespace tasa {
namespace {

// Of what is pasted or dropped into a box, the box keeps what comes before
// the first line break, as the platform's single-line edit controls do, and
// leaves the text around it alone. The box never holds a line break, so the
// first one lies in the text just inserted, which ends at the caret.
class FirstLineOfInsert final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& position) const override {
    const auto line_break =
        std::find_if(input.cbegin(), input.cend(),
                     [](QChar c) { return IsLineBreak(c.unicode()); });
    if (line_break != input.cend()) {
      const auto cut = static_cast<int>(line_break - input.cbegin());
      const auto end =
          position > cut ? position : static_cast<int>(input.size());
      input.remove(cut, end - cut);
      position = std::min(position, cut);
    }
    return Acceptable;
  }
};

}  // namespace

NumberBox::NumberBox(const QString& text, QWidget* parent)
    : QLineEdit(text, parent), twin_(new QLineEdit(this)) {
  setMaxLength(std::numeric_limits<int>::max());  // no length limit
  setValidator(new FirstLineOfInsert(this));
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
  setToolTip(Fits(text())
                 ? QString()
                 : QString::fromStdString(TooltipOf(text().toStdString())));
  if (hasFocus()) {
    shortened_ = QString();
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
  shortened_ = QString::fromStdString(shown);
  if (shortened_ == whole) shortened_ = QString();
  update();
}

void NumberBox::paintEvent(QPaintEvent* event) {
  if (hasFocus() || shortened_.isNull()) {
    QLineEdit::paintEvent(event);
    return;
  }
  twin_->resize(size());
  twin_->setText(shortened_);
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
