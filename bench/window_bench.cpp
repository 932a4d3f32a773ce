// Time of what a person does with a mebibyte of digits in the Qt window:
// pasting it into a box, and clicking N.Anual on it (an overflow).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

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

void PasteAMebibyteOfDigits(benchmark::State& state) {
  tasa::QtForm1 form;
  QLineEdit* box = Box(form, "Text3");
  QGuiApplication::clipboard()->setText(Mebibyte());
  for (auto _ : state) {
    box->selectAll();
    box->paste();
  }
}
BENCHMARK(PasteAMebibyteOfDigits)
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
