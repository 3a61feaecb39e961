// The deduplicators built so far; every shared case table runs against each of them.
#pragma once

#include <string>
#include <vector>

namespace programs {

inline const std::vector<std::string> deduplicators = {"nodup_lines", "nodup_bytes", "nodup_strings",
                                                         "nodup_views", "nodup_views2", "nodup_blocks"};

// The deduplicators and the hosted twin of nodup_blocks, which runs the same block logic on the C
// library so that the sanitizers can watch it.
inline const std::vector<std::string> under_test = [] {
    std::vector<std::string> programs = deduplicators;
    programs.push_back("nodup_blocks_hosted");
    return programs;
}();

}  // namespace programs
