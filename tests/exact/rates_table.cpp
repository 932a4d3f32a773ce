// Prints what the calculator shows for clicks read from standard input, one
// per line: "A" (N.Anual) or "M" (N.Mensual), the rate and the periods,
// separated by tabs. Each answer is the text written into the output box,
// or "error N". Built for Linux and for Windows, to compare the two.
//   rates_table < clicks.tsv
//   rates_table --generate COUNT SEED    (writes clicks instead)
#include <iostream>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

#include "exact/rate_clicks.h"

int main(int argc, char* argv[]) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);  // "\n", as on Linux
#endif
  std::ios::sync_with_stdio(false);
  if (argc == 4 && std::string(argv[1]) == "--generate") {
    for (const auto& input : tasa::testing::GenerateRateInputs(
             std::stoull(argv[2]), std::stoull(argv[3]))) {
      std::cout << input.action << '\t' << input.rate << '\t' << input.periods
                << '\n';
    }
    return 0;
  }
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto first_tab = line.find('\t');
    const auto second_tab = line.find('\t', first_tab + 1);
    if (line.size() < 2 || first_tab != 1 || second_tab == std::string::npos) {
      std::cerr << "bad line: " << line << '\n';
      return 2;
    }
    std::cout << tasa::testing::Answer({line[0], line.substr(2, second_tab - 2),
                                        line.substr(second_tab + 1)})
              << '\n';
  }
  return 0;
}
