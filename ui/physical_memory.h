#pragma once
// The machine's physical memory as the about window reports it.
#include <QString>
#include <cstdint>

namespace orvana::ui {

// Total physical memory in kilobytes; 0 when the system does not tell.
std::uint64_t PhysicalMemoryKilobytes();

// The number with a comma every three digits, as the pattern "#,###" writes
// it: "16,384,000", and nothing at all for 0.
QString ThousandsSeparated(std::uint64_t number);

// "Physical Memory Aviailable to Linux: 16,384,000 KB" (the misspelling is
// the window's historic text).
QString PhysicalMemoryText(std::uint64_t kilobytes);

}  // namespace orvana::ui
