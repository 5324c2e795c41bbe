#pragma once
// The kinds of number a TDragEdit holds and the ways a float is written.

namespace orvana::ui {

enum class TValueType { Int, Float };

// General: the shorter of fixed and scientific; Exponent: d.ddddE+dd;
// Fixed: ddd.dd; Number: d,ddd.dd; Currency: Number behind a currency symbol.
enum class TFloatFormat { General, Exponent, Fixed, Number, Currency };

}  // namespace orvana::ui
