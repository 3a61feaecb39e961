// The deduplicators built so far; every shared case table runs against each of them.
#pragma once

#include <string>
#include <vector>

namespace programs {

inline const std::vector<std::string> deduplicators = {"nodup_lines", "nodup_bytes", "nodup_strings",
                                                         "nodup_views", "nodup_views2"};

}  // namespace programs
