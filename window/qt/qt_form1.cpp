#include "window/qt/qt_form1.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QValidator>
#include <algorithm>
#include <limits>
#include <vector>

#include "window/form1_events.h"

namespace tasa {
namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect PixelRect(const ControlDescription& control) {
  return {TwipsToPixels(control.left), TwipsToPixels(control.top),
          TwipsToPixels(control.width), TwipsToPixels(control.height)};
}

// The layout was drawn for the classic 8-point dialog font. The desktop's
// default family is usually wider, so the size goes down in half points
// until every caption shows whole.
constexpr double kDialogFontPointSize = 8.0;
constexpr double kSmallestPointSize = 6.0;

bool CaptionFits(const QWidget* widget, const QFontMetrics& metrics) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    return metrics.horizontalAdvance(label->text()) <=
               label->contentsRect().width() &&
           metrics.height() <= label->contentsRect().height();
  }
  if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect contents = button->style()->subElementRect(
        QStyle::SE_PushButtonContents, &option, button);
    return metrics.horizontalAdvance(button->text()) <= contents.width() &&
           metrics.height() <= contents.height();
  }
  return true;
}

// The largest size, from the dialog size down, at which every caption of
// the form's controls shows whole.
QFont FittingDialogFont(const QWidget& form) {
  QFont font = form.font();
  const QList<QWidget*> controls = form.findChildren<QWidget*>();
  for (double size = kDialogFontPointSize; size >= kSmallestPointSize;
       size -= 0.5) {
    font.setPointSizeF(size);
    const QFontMetrics metrics(font, &form);
    if (std::ranges::all_of(controls, [&](const QWidget* control) {
          return CaptionFits(control, metrics);
        })) {
      break;
    }
  }
  return font;
}

// A single-line box keeps only the first line of what is pasted into it, as
// the platform's single-line edit controls do; QLineEdit alone would keep
// the line breaks inside the box.
class FirstLineOnly final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& position) const override {
    const auto line_break =
        std::find_if(input.cbegin(), input.cend(),
                     [](QChar c) { return c == u'\n' || c == u'\r'; });
    if (line_break != input.cend()) {
      const auto kept = static_cast<int>(line_break - input.cbegin());
      input.truncate(kept);
      position = std::min(position, kept);
    }
    return Acceptable;
  }
};

}  // namespace

QtForm1::QtForm1(const FormDescription& description) {
  setObjectName(ToQString(description.name));
  setWindowTitle(ToQString(description.caption));
  QIcon icon;  // decoded only when the window system asks for it
  for (const int size : {16, 32, 48}) {
    icon.addFile(QStringLiteral(":/icons/tasa-efectiva-%1.png").arg(size),
                 QSize(size, size));
  }
  setWindowIcon(icon);
  // Fixed frame: the controls never move, so the window does not resize.
  setFixedSize(TwipsToPixels(description.client_width),
               TwipsToPixels(description.client_height));

  std::vector<std::pair<const ControlDescription*, QWidget*>> built;
  for (const ControlDescription* control : InTabOrder(description)) {
    built.emplace_back(control, AddControl(*control));
  }

  // A label that names a box is its buddy, so screen readers announce the
  // box by the label's caption. The captions have no '&', so no access key.
  for (const auto& [control, widget] : built) {
    if (control->labelled_by.empty()) continue;
    for (const auto& [other, label] : built) {
      if (other->name != control->labelled_by) continue;
      if (auto* buddy_label = qobject_cast<QLabel*>(label))
        buddy_label->setBuddy(widget);
    }
  }

  QWidget* previous = nullptr;
  for (const auto& [control, widget] : built) {
    if (!TakesFocus(control->kind)) continue;
    if (previous == nullptr) {
      widget->setFocus();
    } else {
      setTabOrder(previous, widget);
    }
    previous = widget;
  }

  setFont(FittingDialogFont(*this));
}

QWidget* QtForm1::AddControl(const ControlDescription& control) {
  const QString caption = ToQString(control.caption);
  QWidget* widget = nullptr;
  switch (control.kind) {
    case ControlKind::Label:
      widget = new QLabel(caption, this);
      break;
    case ControlKind::TextBox: {
      auto* edit = new QLineEdit(caption, this);
      edit->setMaxLength(std::numeric_limits<int>::max());  // no length limit
      edit->setValidator(new FirstLineOnly(edit));
      if (const auto name = BoxNamed(control.name)) {
        boxes_[static_cast<int>(*name)].control = edit;
      }
      widget = edit;
      break;
    }
    case ControlKind::PushButton: {
      auto* button = new QPushButton(caption, this);
      // Return and Enter click the focused button, as Space does.
      button->setAutoDefault(true);
      if (const Action action = ClickActionOf(control.name)) {
        connect(button, &QPushButton::clicked, this,
                [this, action] { RunAction(action, *this, report_); });
      }
      widget = button;
      break;
    }
  }
  widget->setObjectName(ToQString(control.name));
  if (control.index) widget->setProperty("index", *control.index);
  widget->setGeometry(PixelRect(control));
  return widget;
}

TextBox& QtForm1::Box(BoxName name) { return boxes_[static_cast<int>(name)]; }

BoxStatus QtForm1::ReadLineEdit(QLineEdit* edit, std::string& text) {
  text = edit->text().toStdString();
  return BoxStatus::Ok;
}

BoxStatus QtForm1::WriteLineEdit(QLineEdit* edit, std::string_view text) {
  edit->setText(ToQString(text));
  return BoxStatus::Ok;
}

}  // namespace tasa
