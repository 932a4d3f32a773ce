// The main window, driven as a person would: keys and mouse clicks.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

#include "support/form1_layout.h"
#include "window/qt/application.h"
#include "window/qt/number_box.h"
#include "window/qt/qt_form1.h"

namespace {

// The window as the tests expect it, and the class of each kind of control.
const Form1Layout kLayout = ReadForm1Layout(std::ifstream(TASA_FORM1_LAYOUT));
const std::map<std::string, const char*> kClassOf = {
    {"label", "QLabel"}, {"box", "QLineEdit"}, {"button", "QPushButton"}};

QRect Pixels(const LaidOut& laid_out) {  // at 96 dpi
  return {tasa::TwipsToPixels(laid_out.left), tasa::TwipsToPixels(laid_out.top),
          tasa::TwipsToPixels(laid_out.width),
          tasa::TwipsToPixels(laid_out.height)};
}

QString Caption(const QWidget* widget) {
  if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text();
  if (auto* button = qobject_cast<const QPushButton*>(widget))
    return button->text();
  return {};
}

// Whether a label's or button's caption shows whole in `font`.
bool Fits(const QWidget* widget, const QFont& font) {
  QRect room = widget->contentsRect();
  if (auto* button = qobject_cast<const QPushButton*>(widget)) {
    QStyleOptionButton option;
    option.initFrom(button);
    room = button->style()->subElementRect(QStyle::SE_PushButtonContents,
                                           &option, button);
  }
  const QFontMetrics metrics(font, widget);
  return metrics.horizontalAdvance(Caption(widget)) <= room.width() &&
         metrics.height() <= room.height();
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<tasa::QtForm1> form_;

  QWidget* Control(const char* name,
                   std::optional<int> index = std::nullopt) const {
    for (QWidget* widget :
         form_->findChildren<QWidget*>(QString::fromLatin1(name))) {
      if (!index || widget->property("index").toInt() == *index) return widget;
    }
    return nullptr;
  }
  QWidget* Control(const LaidOut& laid_out) const {
    return Control(laid_out.name.c_str(), laid_out.index);
  }
  QLineEdit* Box(const char* name) const {
    return qobject_cast<QLineEdit*>(Control(name));
  }
  QPushButton* Button(const char* name) const {
    return qobject_cast<QPushButton*>(Control(name));
  }
  QStringList Texts() const {
    return {Box("Text1")->text(), Box("Text2")->text(), Box("Text3")->text()};
  }
  void Type(const char* box, const QString& text) {
    QLineEdit* edit = Box(box);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
  }

  // What a click showed in a message box, if it showed one.
  struct SeenBox {
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
  };

  // Clicks `button` with the mouse. A message box that the click opens is
  // read and closed with its first button.
  std::optional<SeenBox> Click(QPushButton* button) {
    std::optional<SeenBox> seen;
    QTimer::singleShot(0, this, [&seen] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      seen.emplace();
      seen->text = box->text();
      seen->icon = box->icon();
      for (QAbstractButton* b : box->buttons()) seen->buttons << b->text();
      QTest::mouseClick(box->buttons().front(), Qt::LeftButton);
    });
    QTest::mouseClick(button, Qt::LeftButton);
    QCoreApplication::processEvents();  // no box: let the timer find none
    return seen;
  }

  void Paste(const char* box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QLineEdit* edit = Box(box);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  }

 private slots:
  void init() {
    tasa::DescribeApplication();
    form_ = std::make_unique<tasa::QtForm1>();
    form_->show();
    form_->activateWindow();
    form_->activateWindow();  // as the desktop does once the report is gone
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }
  void cleanup() { form_.reset(); }

  void windowIsFixedAndCaptioned() {
    QCOMPARE(form_->objectName(), QString::fromStdString(kLayout.window.name));
    QCOMPARE(form_->size(), Pixels(kLayout.window).size());
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    QCOMPARE(form_->windowTitle(),
             QString::fromStdString(kLayout.window.caption));
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
      QCOMPARE(form_->devicePixelRatio(),
               qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    }
  }

  void controlsStandWhereTheLayoutPutsThem() {
    // Beside the controls, only the announcer, which takes no room.
    const auto children =
        form_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QCOMPARE(std::count_if(children.begin(), children.end(),
                           [](QWidget* w) { return !w->size().isEmpty(); }),
             std::ssize(kLayout.controls));
    for (const LaidOut& expected : kLayout.controls) {
      const QWidget* widget = Control(expected);
      QVERIFY2(widget != nullptr, expected.name.c_str());
      QCOMPARE(widget->metaObject()->className(), kClassOf.at(expected.kind));
      QCOMPARE(Caption(widget), QString::fromStdString(expected.caption));
      QCOMPARE(widget->geometry(), Pixels(expected));
      QVERIFY(!Caption(widget).contains(u'&'));
    }
  }

  void resizingMovesNothing() {
    form_->resize(600, 500);
    QCOMPARE(form_->size(), Pixels(kLayout.window).size());
    for (const LaidOut& expected : kLayout.controls) {
      QCOMPARE(Control(expected)->geometry(), Pixels(expected));
    }
  }

  void everyCaptionShowsWhole() {
    for (const LaidOut& expected : kLayout.controls) {
      const QWidget* widget = Control(expected);
      if (qobject_cast<const QLineEdit*>(widget)) continue;
      QVERIFY(widget->font().pointSizeF() <= 8.0);
      QVERIFY2(Fits(widget, widget->font()), expected.name.c_str());
    }
  }

  // Controls of one kind that stand together share one size: the largest,
  // up to 8 points, at which every one of their captions shows whole.
  void captionsThatStandTogetherShareOneSize() {
    std::map<tasa::CaptionGroup, std::vector<const QWidget*>> groups;
    for (std::size_t i = 0; i < kLayout.controls.size(); ++i) {
      groups[tasa::Form1Description().controls[i].group].push_back(
          Control(kLayout.controls[i]));
    }
    groups.erase(tasa::CaptionGroup::None);
    QCOMPARE(groups.size(), std::size_t{3});
    for (const auto& [group, members] : groups) {
      const double size = members.front()->font().pointSizeF();
      QFont larger = members.front()->font();
      larger.setPointSizeF(size + 0.5);
      bool all_fit_larger = true;
      for (const QWidget* member : members) {
        QCOMPARE(member->font().pointSizeF(), size);
        all_fit_larger = all_fit_larger && Fits(member, larger);
      }
      QVERIFY(size == 8.0 || !all_fit_larger);
    }
  }

  void boxesAreSingleLineWithoutLimit() {
    for (const char* name : {"Text1", "Text2", "Text3"}) {
      QCOMPARE(Box(name)->maxLength(), std::numeric_limits<int>::max());
    }
  }

  // A screen reader names each box by its label, says its unit, and names
  // the window, as a window, by its caption.
  void boxesAreNamedByTheirLabels() {
    const std::tuple<const char*, const char*, const char*> names[] = {
        {"Text1", "Tasa Norvanta Anual", "por ciento"},
        {"Text2", "Periodos Capitalizacion", ""},
        {"Text3", "Tasa Norvanta Mensual", "por ciento"}};
    for (const auto& [box, label, unit] : names) {
      QAccessibleInterface* accessible =
          QAccessible::queryAccessibleInterface(Box(box));
      QVERIFY(accessible != nullptr);
      QCOMPARE(accessible->text(QAccessible::Name), QString::fromLatin1(label));
      QCOMPARE(accessible->text(QAccessible::Description), QString(unit));
    }
    QAccessibleInterface* window =
        QAccessible::queryAccessibleInterface(form_.get());
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), form_->windowTitle());
  }

  void focusStartsOnNAnualAndTabCyclesThroughButtonsThenBoxes() {
    QCOMPARE(QApplication::focusWidget(), Button("Command1"));
    const char* order[] = {"Command2", "Command4", "Text1",
                           "Text2",    "Text3",    "Command1"};
    for (const char* next : order) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(),
               QString::fromLatin1(next));
    }
    const char* reverse[] = {"Text3",    "Text2",    "Text1",
                             "Command4", "Command2", "Command1"};
    for (const char* next : reverse) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                      Qt::ShiftModifier);
      QCOMPARE(QApplication::focusWidget()->objectName(),
               QString::fromLatin1(next));
    }
    for (QLabel* label : form_->findChildren<QLabel*>()) {
      QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }
  }

  void keysOnTheFocusedButtonClickIt_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter")
        << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
  }
  void keysOnTheFocusedButtonClickIt() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    // The boxes start with a space, which reads as 0: N.Anual gives 0.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                    Qt::KeyboardModifiers(modifiers));
    QCOMPARE(Texts(), (QStringList{"0", " ", " "}));
  }

  void buttonsRunTheirActions() {
    Type("Text3", "1");
    Type("Text2", "12");
    QTest::mouseClick(Button("Command1"), Qt::LeftButton);
    QCOMPARE(Texts(), (QStringList{"12,682503013197", "12", "1"}));

    Type("Text1", "12");
    QTest::mouseClick(Button("Command2"), Qt::LeftButton);
    QCOMPARE(Texts(), (QStringList{"12", "12", "0,948879293458297"}));

    QTest::mouseClick(Button("Command4"), Qt::LeftButton);
    QCOMPARE(Texts(), (QStringList{"", "", ""}));
  }

  void anErrorIsReportedAndTheWindowCarriesOn() {
    Type("Text1", "12");
    Type("Text2", "0");
    Type("Text3", "5");
    const std::optional<SeenBox> seen = Click(Button("Command2"));
    QVERIFY(seen.has_value());
    QCOMPARE(seen->icon, QMessageBox::Critical);
    QVERIFY2(seen->text.contains(QStringLiteral("11")), qPrintable(seen->text));
    QVERIFY2(seen->text.contains(QStringLiteral("División por cero")),
             qPrintable(seen->text));
    QCOMPARE(seen->buttons, QStringList{QStringLiteral("Aceptar")});
    QVERIFY(form_->isVisible());
    QCOMPARE(Texts(), (QStringList{"12", "0", "5"}));

    // Still working after the report.
    Type("Text2", "12");
    QTest::mouseClick(Button("Command2"), Qt::LeftButton);
    QCOMPARE(Box("Text3")->text(), QStringLiteral("0,948879293458297"));
  }

  void textThatIsNotANumberIsReported() {
    Type("Text3", "abc");
    const std::optional<SeenBox> seen = Click(Button("Command1"));
    QVERIFY(seen.has_value());
    QVERIFY2(seen->text.contains(QStringLiteral("13")), qPrintable(seen->text));
    QCOMPARE(Texts(), (QStringList{" ", " ", "abc"}));
    // The person types over the text that could not be read.
    form_->activateWindow();  // as the desktop does once the report is gone
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    QCOMPARE(QApplication::focusWidget(), Box("Text3"));
    QCOMPARE(Box("Text3")->selectedText(), u"abc"_qs);
  }

  void aPasteKeepsItsFirstLineAndTheTextAroundIt_data() {
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<int>("from");  // the selection the paste replaces
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("kept");
    const std::pair<QString, QString> breaks[] = {
        {u"\n"_qs, u"LF"_qs},         {u"\r"_qs, u"CR"_qs},
        {u"\r\n"_qs, u"CR LF"_qs},    {u"\u0085"_qs, u"U+0085"_qs},
        {u"\u2028"_qs, u"U+2028"_qs}, {u"\u2029"_qs, u"U+2029"_qs}};
    for (const auto& [line_break, name] : breaks) {
      const QString pasted = u"5"_qs + line_break + u"6"_qs;
      QTest::newRow(qPrintable(u"at the start, "_qs + name))
          << pasted << 0 << 0 << u"512"_qs;
      QTest::newRow(qPrintable(u"in the middle, "_qs + name))
          << pasted << 1 << 0 << u"152"_qs;
      QTest::newRow(qPrintable(u"over part, "_qs + name))
          << pasted << 1 << 1 << u"15"_qs;
      QTest::newRow(qPrintable(u"over all, "_qs + name))
          << pasted << 0 << 2 << u"5"_qs;
    }
  }
  void aPasteKeepsItsFirstLineAndTheTextAroundIt() {
    QFETCH(QString, pasted);
    QFETCH(int, from);
    QFETCH(int, length);
    QFETCH(QString, kept);
    Type("Text2", "12");
    QLineEdit* box = Box("Text2");
    box->setSelection(from, length);
    if (length == 0) box->setCursorPosition(from);
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text(), kept);
    QCOMPARE(box->cursorPosition(), from + 1);  // after what was kept
  }

  // Without the focus a box shows a number too long for it shortened to
  // fit, exponent kept, painted as a box holding that text paints it; its
  // text stays whole, and so does the tooltip. Which digits fit depends on
  // the machine's font.
  void aLongResultShowsShortenedAndWholeOnHover_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("periods");
    QTest::addColumn<QString>("whole");
    QTest::addColumn<QString>("exponent");  // kept in what is shown
    QTest::addColumn<bool>("fits");
    QTest::newRow("fixed form") << u"Command1"_qs << u"1"_qs << u"12"_qs
                                << u"12,682503013197"_qs << QString() << false;
    QTest::newRow("exponent form")
        << u"Command1"_qs << u"1"_qs << u"10000"_qs << u"1,6358287111889E+45"_qs
        << u"E+45"_qs << false;
    QTest::newRow("0,01 % a year a day")
        << u"Command2"_qs << u"0,01"_qs << u"365"_qs
        << u"2,73958942549507E-05"_qs << u"E-05"_qs << false;
    QTest::newRow("short") << u"Command1"_qs << u"5"_qs << u"1"_qs << u"5"_qs
                           << QString() << true;
  }
  void aLongResultShowsShortenedAndWholeOnHover() {
    QFETCH(QString, button);
    QFETCH(QString, rate);
    QFETCH(QString, periods);
    QFETCH(QString, whole);
    QFETCH(QString, exponent);
    QFETCH(bool, fits);
    const bool annual = button == u"Command1"_qs;
    Type(annual ? "Text3" : "Text1", rate);
    Type("Text2", periods);
    QTest::mouseClick(Button(qPrintable(button)), Qt::LeftButton);
    auto* box = static_cast<tasa::NumberBox*>(Box(annual ? "Text1" : "Text3"));
    const QString shown = box->shownWithoutFocus();
    QCOMPARE(box->text(), whole);
    QCOMPARE(box->toolTip(), fits ? QString() : whole);
    QVERIFY2((shown == whole) == fits && shown.endsWith(exponent),
             qPrintable(shown));
    const double read = QString(shown).replace(u',', u'.').toDouble();
    QVERIFY2(std::abs(read / QString(whole).replace(u',', u'.').toDouble() -
                      1) < 0.05,
             qPrintable(shown));

    QLineEdit fresh(shown, form_.get());
    fresh.setGeometry(box->geometry());
    fresh.setCursorPosition(0);
    fresh.show();
    QCOMPARE(box->grab().toImage(), fresh.grab().toImage());
  }

  void theBoxesContextMenuIsSpanish() {
    QLineEdit* box = Box("Text1");
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5),
                            box->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(box, &event);  // Shift+F10 or the menu key
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    QStringList seen;
    for (const QAction* action : menu->actions()) {
      if (!action->isSeparator())
        seen << action->text().section(u'\t', 0, 0).remove(u'&');
    }
    menu->close();
    QCOMPARE(seen, (QStringList{u"Deshacer"_qs, u"Rehacer"_qs, u"Cortar"_qs,
                                u"Copiar"_qs, u"Pegar"_qs, u"Eliminar"_qs,
                                u"Seleccionar todo"_qs}));
  }

  // What it costs is timed in bench/window_bench.cpp.
  void aMebibyteOfDigitsIsHandled() {
    const QString digits(1 << 20, u'7');
    Paste("Text3", digits);
    QCOMPARE(Box("Text3")->text().size(), digits.size());  // no length limit
    QCOMPARE(Box("Text3")->toolTip(), digits.left(79) + u'…');
    Type("Text2", "12");
    const std::optional<SeenBox> seen = Click(Button("Command1"));
    QVERIFY(seen.has_value());
    QVERIFY2(seen->text.contains(QStringLiteral("Desbordamiento")),
             qPrintable(seen->text));
    QCOMPARE(Box("Text1")->text(), QStringLiteral(" "));

    // And the window goes on answering.
    Type("Text3", "1");
    QVERIFY(!Click(Button("Command1")).has_value());
    QCOMPARE(Box("Text1")->text(), QStringLiteral("12,682503013197"));
  }

  // Each row: what is pasted into Periodos with 1 in the monthly box, and
  // what N.Anual then shows, or which error it reports.
  void hostileTextGivesItsOwnOutcome_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("annual");  // empty for an error
    QTest::addColumn<int>("error");
    const QString twelve = u"12,682503013197"_qs;
    QTest::newRow("Arabic-Indic digits")
        << u"\u0661\u0662"_qs << QString() << 13;
    QTest::newRow("fullwidth digits") << u"\uFF11\uFF12"_qs << QString() << 13;
    QTest::newRow("letters") << u"doce"_qs << QString() << 13;
    QTest::newRow("accented letters") << u"número"_qs << QString() << 13;
    QTest::newRow("right-to-left mark") << u"\u200F12"_qs << QString() << 13;
    QTest::newRow("embedded NUL")
        << u"1"_qs + QChar(0) + u"2"_qs << QString() << 13;
    QTest::newRow("lone surrogate")
        << QString(QChar(0xD800)) + u"12"_qs << QString() << 13;
    QTest::newRow("no-break space inside") << u"1\u00A02"_qs << QString() << 13;
    QTest::newRow("newlines") << u"12\n34\r\n"_qs << twelve << 0;
    QTest::newRow("line separator") << u"12\u20285"_qs << twelve << 0;
    QTest::newRow("tabs") << u"\t12\t"_qs << twelve << 0;
    QTest::newRow("no-break spaces") << u"\u00A012\u202F"_qs << twelve << 0;
    QTest::newRow("invisible blanks")
        << u"\u200B\u200912\u2060\uFEFF\u3000"_qs << twelve << 0;
    QTest::newRow("zero-width space inside")
        << u"1\u200B2"_qs << QString() << 13;
    QTest::newRow("typeset minus sign")
        << u"\u22121"_qs << u"-0,99009900990099"_qs << 0;
    QTest::newRow("a mark and an exponent") << u"1,2e1"_qs << twelve << 0;
  }
  void hostileTextGivesItsOwnOutcome() {
    QFETCH(QString, text);
    QFETCH(QString, annual);
    QFETCH(int, error);
    Type("Text3", "1");
    Paste("Text2", text);
    const QStringList before = Texts();

    const std::optional<SeenBox> seen = Click(Button("Command1"));
    if (error != 0) {
      QVERIFY(seen.has_value());
      QVERIFY2(seen->text.contains(QString::number(error)),
               qPrintable(seen->text));
      QCOMPARE(Texts(), before);
    } else {
      QVERIFY(!seen.has_value());
      QCOMPARE(Texts(), (QStringList{annual, before[1], before[2]}));
    }
    QVERIFY(form_->isVisible());
  }

  void closingTheWindowEndsTheProgram() {
    QTimer::singleShot(0, form_.get(), &QWidget::close);
    QTimer::singleShot(5000, qApp,
                       [] { QCoreApplication::exit(99); });  // not ended
    QCOMPARE(QApplication::exec(), 0);
  }

  void applicationReportsItsVersion() {
    QCOMPARE(QApplication::applicationVersion(), QStringLiteral("1.0.0.0"));
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
