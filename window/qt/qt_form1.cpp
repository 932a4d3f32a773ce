#include "window/qt/qt_form1.h"

#include <QCoreApplication>
#include <QEvent>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QResource>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "window/announcement.h"
#include "window/qt/number_box.h"

namespace tasa {
namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect PixelRect(const ControlDescription& control) {
  return {TwipsToPixels(control.left), TwipsToPixels(control.top),
          TwipsToPixels(control.width), TwipsToPixels(control.height)};
}

// The layout was drawn for the dialog size (kDialogHalfPoints). The
// desktop's default family is usually wider, so a caption that does not
// show whole in it gets a smaller size (FittedCaptionSizes).
constexpr double kDialogPointSize = kDialogHalfPoints / 2.0;

// A label's or button's caption and the room it has; nothing for a box.
std::optional<std::pair<QString, QRect>> CaptionAndRoom(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    return std::pair{label->text(), label->contentsRect()};
  }
  if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return std::pair{button->text(),
                     button->style()->subElementRect(
                         QStyle::SE_PushButtonContents, &option, button)};
  }
  return std::nullopt;
}

// How much wider or taller than its room a control's caption is in
// `metrics`: at most 1 when it shows whole.
double Overflow(const QWidget& control, const QFontMetrics& metrics) {
  const auto caption = CaptionAndRoom(&control);
  if (!caption) return 0;
  const auto& [text, room] = *caption;
  return std::max(double(metrics.horizontalAdvance(text)) / room.width(),
                  double(metrics.height()) / room.height());
}

// Whether a control's caption shows whole at `half_points`. Captions narrow
// about in proportion to the size, so a size larger than that at which the
// dialog size says the caption would fit is taken not to fit without
// measuring it: each size tried costs a font to load.
bool CaptionFits(const QWidget& control, int half_points) {
  QFont font = control.font();  // the dialog size
  const double share = Overflow(control, QFontMetrics(font, &control));
  if (half_points == kDialogHalfPoints || share <= 1) return share <= 1;
  if (half_points > std::ceil(kDialogHalfPoints / share)) return false;
  font.setPointSizeF(half_points / 2.0);
  return Overflow(control, QFontMetrics(font, &control)) <= 1;
}

// Each caption at the largest size at which it, and every caption that
// stands with it, shows whole.
void FitCaptions(const FormDescription& description,
                 const std::map<const ControlDescription*, QWidget*>& built) {
  const std::vector<int> sizes = FittedCaptionSizes(
      description, [&built](const ControlDescription& control, int size) {
        return CaptionFits(*built.at(&control), size);
      });
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    if (sizes[i] == kDialogHalfPoints) continue;
    QWidget* control = built.at(&description.controls[i]);
    QFont font = control->font();
    font.setPointSizeF(sizes[i] / 2.0);
    control->setFont(font);
  }
}

// The program's icon from raw pixels: nothing to decode, so none of the
// toolkit's image plugins is looked for or loaded.
QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48}) {
    const QByteArray argb =
        QResource(QStringLiteral(":/icons/tasa-efectiva-%1.argb").arg(size))
            .uncompressedData();
    if (argb.size() != size * size * 4) continue;
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < size; ++x) {
        line[x] =
            qFromLittleEndian<quint32>(argb.constData() + 4 * (y * size + x));
      }
    }
    icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

}  // namespace

QtForm1::QtForm1(const FormDescription& description)
    : description_(description) {
  InstallAccessibility();
  setObjectName(ToQString(description.name));
  setWindowTitle(ToQString(description.caption));
  // Fixed frame: the controls never move, so the window does not resize.
  setFixedSize(TwipsToPixels(description.client_width),
               TwipsToPixels(description.client_height));
  // The controls start in the dialog size, which the fitting below tries
  // first: no font is loaded in a size the window never uses.
  QFont dialog_font = font();
  dialog_font.setPointSizeF(kDialogPointSize);
  setFont(dialog_font);

  std::map<const ControlDescription*, QWidget*> built;
  for (const ControlDescription& control : description.controls) {
    built[&control] = AddControl(control);
  }

  // A label that names a box is its buddy, so screen readers announce the
  // box by the label's caption. The captions have no '&', so no access key.
  for (const auto& [control, widget] : built) {
    if (const ControlDescription* label = LabelOf(description, *control)) {
      qobject_cast<QLabel*>(built[label])->setBuddy(widget);
    }
  }

  QWidget* previous = nullptr;
  for (const ControlDescription* control : FocusOrder(description)) {
    if (previous == nullptr) {
      built[control]->setFocus();
    } else {
      setTabOrder(previous, built[control]);
    }
    previous = built[control];
  }

  FitCaptions(description, built);
  announcer_ = new Announcer(this);
}

QWidget* QtForm1::AddControl(const ControlDescription& control) {
  const QString caption = ToQString(control.caption);
  QWidget* widget = nullptr;
  switch (control.kind) {
    case ControlKind::Label:
      widget = new QLabel(caption, this);
      break;
    case ControlKind::TextBox: {
      auto* edit = new NumberBox(caption, this);
      edit->installEventFilter(this);
      edit->setAccessibleDescription(
          ToQString(SpokenUnit(description_, control)));
      if (control.box) boxes_[static_cast<int>(*control.box)].control = edit;
      widget = edit;
      break;
    }
    case ControlKind::PushButton: {
      auto* button = new QPushButton(caption, this);
      // Return and Enter click the focused button, as Space does.
      button->setAutoDefault(true);
      if (const Action action = control.click) {
        connect(button, &QPushButton::clicked, this, [this, action] {
          const AnnouncedOutcome click =
              RunAnnounced(description_, action, *this, report_);
          if (!click.announcement.empty()) {
            announcer_->Announce(ToQString(click.announcement));
          }
          // After error 13 the person types over the text that could not
          // be read.
          if (const auto box = click.outcome.not_a_number) {
            NumberBox* edit = boxes_[static_cast<int>(*box)].control;
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectFromStart();
          }
        });
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

BoxStatus QtForm1::ReadLineEdit(NumberBox* edit, std::string& text) {
  text = edit->text().toStdString();
  return BoxStatus::Ok;
}

BoxStatus QtForm1::WriteLineEdit(NumberBox* edit, std::string_view text) {
  edit->setText(ToQString(text));
  edit->setCursorPosition(0);  // show the first digits, not the last
  return BoxStatus::Ok;
}

bool QtForm1::event(QEvent* event) {
  // The icon can wait until the window is first painted: the title bar and
  // the task bar take it a moment later.
  if (event->type() == QEvent::Paint && windowIcon().isNull()) {
    QMetaObject::invokeMethod(
        this, [this] { setWindowIcon(ProgramIcon()); }, Qt::QueuedConnection);
  }
  return QWidget::event(event);
}

bool QtForm1::eventFilter(QObject* watched, QEvent* event) {
  // The boxes' context menu is Qt's own; its words come from the Spanish
  // translation, loaded when the menu is first asked for.
  if (event->type() == QEvent::ContextMenu && translation_ == nullptr) {
    translation_ = std::make_unique<QTranslator>();
    if (translation_->load(QStringLiteral(":/i18n/tasa-efectiva_es.qm"))) {
      QCoreApplication::installTranslator(translation_.get());
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tasa
