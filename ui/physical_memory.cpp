#include "ui/physical_memory.h"

#include <unistd.h>

namespace orvana::ui {

std::uint64_t PhysicalMemoryKilobytes() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return 0;
  return std::uint64_t(pages) * std::uint64_t(pageSize) / 1024;
}

QString ThousandsSeparated(std::uint64_t number) {
  if (number == 0) return {};
  const QString digits = QString::number(number);
  QString text;
  for (qsizetype i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += u',';
    text += digits[i];
  }
  return text;
}

QString PhysicalMemoryText(std::uint64_t kilobytes) {
  return QStringLiteral("Physical Memory Aviailable to Linux: ") + ThousandsSeparated(kilobytes) +
         QStringLiteral(" KB");
}

}  // namespace orvana::ui
