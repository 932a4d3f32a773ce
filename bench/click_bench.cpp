// Time of one click of N.Anual and N.Mensual, as actions_bench measures it,
// without Google Benchmark: for the builds for other processors, run under
// their emulator (node for WebAssembly). Medians of 10 runs of a second's
// clicks or so.
//   click_bench
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "actions/form1_actions.h"
#include "support/fake_form.h"

namespace {

using tasa::testing::FakeForm;

template <class Click>
double MedianNanoseconds(Click click) {
  using Clock = std::chrono::steady_clock;
  std::vector<double> runs;
  for (int run = 0; run < 10; ++run) {
    int clicks = 0;
    const auto start = Clock::now();
    auto now = start;
    for (; now - start < std::chrono::milliseconds(100); now = Clock::now()) {
      for (int i = 0; i < 16; ++i, ++clicks) click();
    }
    runs.push_back(
        std::chrono::duration<double, std::nano>(now - start).count() / clicks);
  }
  std::sort(runs.begin(), runs.end());
  return runs[runs.size() / 2];
}

}  // namespace

int main() {
  FakeForm annual(" ", "12", "1"), monthly("12", "12", " ");
  const double a = MedianNanoseconds([&] {
    tasa::Command1_Click(annual);
    annual.log.clear();
  });
  const double m = MedianNanoseconds([&] {
    tasa::Command2_Click(monthly);
    monthly.log.clear();
  });
  std::printf("N.Anual    %9.0f ns a click (%s)\n", a,
              annual.box1.text.c_str());
  std::printf("N.Mensual  %9.0f ns a click (%s)\n", m,
              monthly.box3.text.c_str());
  return 0;
}
