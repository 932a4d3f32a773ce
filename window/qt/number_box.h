#pragma once

#include <QLineEdit>
#include <QString>

namespace tasa {

// An entry box that keeps the first line of a paste and, while it has no
// focus, shows a number too long for it shortened to fit (box_display.h);
// its text stays whole. With the focus it shows and edits the whole text,
// and from the keyboard it comes in with its text selected and its
// beginning in view. Where the text does not fit, the tooltip holds it
// (TooltipOf).
class NumberBox final : public QLineEdit {
 public:
  NumberBox(const QString& text, QWidget* parent);

  // What the box shows while it has no focus.
  QString shownWithoutFocus() const {
    return shortened_.isNull() ? text() : shortened_;
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

  // The shortened number the box shows without the focus; null while it
  // shows its own text.
  QString shortened_;
  // A box never shown that holds `shortened_`: the box paints what it paints,
  // so a shortened number looks exactly as a box holding it would.
  QLineEdit* twin_;
};

}  // namespace tasa
