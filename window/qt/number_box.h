#pragma once

#include <QLineEdit>
#include <QString>

namespace tasa {

// An entry box that, while it has no focus, shows a number too long for it
// shortened to fit (box_display.h); its text stays whole. With the focus it
// shows and edits the whole text, and from the keyboard it comes in with
// its text selected and its beginning in view. Where the text does not fit,
// the tooltip holds it, cut after kLongestTooltip characters.
class NumberBox final : public QLineEdit {
 public:
  NumberBox(const QString& text, QWidget* parent);

  // What the box shows while it has no focus.
  QString shownWithoutFocus() const {
    return shown_.isNull() ? text() : shown_;
  }
  // Selects the whole text with its beginning in view.
  void selectFromStart();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  bool Fits(const QString& text) const;
  void TextChanged();
  void Shorten();

  QString shown_;  // null while the box shows its own text
  // A box never shown that holds `shown_`: the box paints what it paints,
  // so a shortened number looks exactly as a box holding it would.
  QLineEdit* twin_;
};

}  // namespace tasa
