// Time of what a person does with a mebibyte of digits in the Qt window:
// pasting it into a box and leaving it, against a bare QLineEdit, and
// clicking N.Anual on it (an overflow).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <limits>

#include "actions/form1_actions.h"
#include "window/qt/qt_form1.h"

namespace {

const QString& Mebibyte() {
  static const QString digits(1 << 20, u'7');
  return digits;
}

QLineEdit* Box(const tasa::QtForm1& form, const char* name) {
  return form.findChild<QLineEdit*>(QString::fromLatin1(name));
}

// Ctrl+A, Ctrl+V in a box, then Tab to the next one, which shows the
// shortened form; against a bare QLineEdit, what the toolkit spends on it.
void Paste(benchmark::State& state, QLineEdit* box, QLineEdit* next) {
  box->window()->activateWindow();
  while (!box->window()->isActiveWindow()) QCoreApplication::processEvents();
  QGuiApplication::clipboard()->setText(Mebibyte());
  for (auto _ : state) {
    box->setFocus();
    box->selectAll();
    box->paste();
    next->setFocus();
    QCoreApplication::processEvents();
  }
}

void PasteAMebibyteOfDigits(benchmark::State& state) {
  tasa::QtForm1 form;
  form.show();
  Paste(state, Box(form, "Text2"), Box(form, "Text3"));
}
BENCHMARK(PasteAMebibyteOfDigits)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void PasteAMebibyteOfDigitsIntoABareLineEdit(benchmark::State& state) {
  QWidget window;
  auto* box = new QLineEdit(&window);
  auto* next = new QLineEdit(&window);
  box->setMaxLength(std::numeric_limits<int>::max());
  window.show();
  Paste(state, box, next);
}
BENCHMARK(PasteAMebibyteOfDigitsIntoABareLineEdit)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void ClickNAnualOnAMebibyteOfDigits(benchmark::State& state) {
  tasa::QtForm1 form;
  Box(form, "Text3")->setText(Mebibyte());
  Box(form, "Text2")->setText(QStringLiteral("12"));
  for (auto _ : state) {
    try {
      tasa::Command1_Click(form);
    } catch (const tasa::RunTimeError&) {  // the expected overflow
    }
  }
}
BENCHMARK(ClickNAnualOnAMebibyteOfDigits)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
