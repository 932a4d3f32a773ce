// Time of one click of N.Anual and N.Mensual: reading both boxes, converting
// the texts, computing, converting the result and writing it.
#include <benchmark/benchmark.h>

#include "actions/form1_actions.h"
#include "support/fake_form.h"

namespace {

using tasa::testing::FakeForm;

void AnnualAction(benchmark::State& state) {
  FakeForm form(" ", "12", "1");
  for (auto _ : state) {
    tasa::Command1_Click(form);
    benchmark::DoNotOptimize(form.box1.text.data());
    form.log.clear();
  }
}
BENCHMARK(AnnualAction)->Repetitions(10)->ReportAggregatesOnly(true);

void MonthlyAction(benchmark::State& state) {
  FakeForm form("12", "12", " ");
  for (auto _ : state) {
    tasa::Command2_Click(form);
    benchmark::DoNotOptimize(form.box3.text.data());
    form.log.clear();
  }
}
BENCHMARK(MonthlyAction)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
