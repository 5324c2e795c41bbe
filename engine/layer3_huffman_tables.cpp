// The code tables in lookup form, generated at build time from huffman.txt.
#include "engine/layer3_huffman.h"

namespace orvana::engine {
#include "engine/layer3_huffman_tables.inc"
}  // namespace orvana::engine
