#include "engine/bit_reader.h"

namespace orvana::engine {

void Layer12BitReader::SkipBits(int n) {
  if (n > available_) {
    const int rest = n - available_;
    const int wholeBytes = rest / 8;
    // Whole bytes are passed over without being read; past the end they
    // count as read zeros.
    if (wholeBytes > end_ - next_) {
      pastEnd_ = true;
      next_ = end_;
    } else {
      next_ += wholeBytes;
    }
    cache_ = LoadByte();
    available_ = 8;
    n = rest % 8;
  }
  available_ -= n;
  cache_ &= (1u << available_) - 1;
}

}  // namespace orvana::engine
