#include "runtime/exact/big_integer.h"

#include <algorithm>

namespace tasa {

BigInt RootFloor(const BigInt& n, std::int64_t k) {
  if (n < 2 || k == 1) return n;
  const std::int64_t bits = BitLength(n);
  if (k >= bits) return 1;
  // Newton's method, from above, comes down to the root's whole part.
  const auto power = static_cast<unsigned>(k - 1);
  BigInt root = BigInt(1) << static_cast<unsigned>((bits + k - 1) / k);
  for (;;) {
    const BigInt next =
        ((k - 1) * root + n / boost::multiprecision::pow(root, power)) / k;
    if (next >= root) return root;
    root = next;
  }
}

std::string DigitsOf(BigInt x) {
  // Eighteen digits at a time, last first. (Boost's own str() draws a
  // false -Wrestrict from GCC 12.)
  constexpr std::uint64_t kChunk = 1'000'000'000'000'000'000;
  std::string digits;
  do {
    auto chunk = static_cast<std::uint64_t>(x % kChunk);
    x /= kChunk;
    for (int i = 0; i < 18 && (x != 0 || chunk != 0); ++i, chunk /= 10) {
      digits.push_back(static_cast<char>('0' + chunk % 10));
    }
  } while (x != 0);
  if (digits.empty()) digits.push_back('0');
  std::reverse(digits.begin(), digits.end());
  return digits;
}

}  // namespace tasa
