#pragma once

#include <cstdint>
#include <string>

namespace quorrix::engine {

// 1 part, 2 assembly, 3 drawing by the last six characters of the path ("SLDPRT",
// "SLDASM", "SLDDRW", case ignored); 0 for anything else.
std::int16_t GetDocTypeFromPath(const std::string& path);

} // namespace quorrix::engine
