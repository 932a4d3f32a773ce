#pragma once

#include "runtime/exact/decimal.h"
#include "runtime/exact/dyadic.h"

namespace tasa {

// The range of a double, decided on exact values. Rounded to nearest, ties
// to even, a number becomes infinity from 2^1024 - 2^970 (halfway between
// the largest double and 2^1024) up, and 0 from 2^-1075 (halfway between 0
// and the smallest double) down, both ends included.
const Decimal& OverflowThreshold();
const Decimal& UnderflowThreshold();
const Dyadic& OverflowThresholdDyadic();
const Dyadic& UnderflowThresholdDyadic();

// |a| against |b|: -1, 0 or 1.
int CompareMagnitudes(const Decimal& a, const Decimal& b);

// What a double makes of a number.
enum class InDouble { kZero, kNumber, kInfinity };
InDouble AsDouble(const Decimal& value);

// Whether 1/n, for n other than 0, lies beyond the range of a double.
bool ReciprocalIsInfinite(const Decimal& n);

// The number a dyadic one is, in decimal: exact, as every dyadic number has
// a finite decimal expansion.
Decimal DecimalOf(const Dyadic& x);

}  // namespace tasa
