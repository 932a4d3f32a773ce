#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tasa::testing {

// One click to check: N.Anual on a rate per period and periods, or
// N.Mensual on an annual rate and periods, as the texts a person types.
struct RateInput {
  char action;  // 'A' for N.Anual, 'M' for N.Mensual
  std::string rate;
  std::string periods;
  std::string_view family = "typical";  // which of the kinds drawn below
};

// `count` inputs drawn from a fixed seed, the same on every platform: rates
// with up to 6 decimals from -99,99 to 1000; periods from the usual counts
// or reals in [0,1; 1000]; numbers of up to 17 significant digits with
// exponents; the inputs next to the errors (zero periods, bases at and
// below zero, values at the edges of the double range); clicks on or next
// to ties and range ends; bases next to 0 by thousands of digits; and
// powers next to where a Quad or a double ends.
std::vector<RateInput> GenerateRateInputs(std::size_t count,
                                          std::uint64_t seed);

// What the calculator shows for the click: the text written into the
// output box, or "error N".
std::string Answer(const RateInput& input);

}  // namespace tasa::testing
