// Row-file text for tests: canonical rows and an independent model of rowmill's file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rows {

inline constexpr int canonical_field_count = 45;

// Each field followed by ';', then a line feed.
inline std::string join(const std::vector<std::string>& fields) {
    std::string row;
    for (const std::string& field : fields) row += field + ";";
    return row + "\n";
}

// A canonical row: the given leading fields, then fillers up to 45 fields that differ from each
// other and from any text the cases use, so that only the leading fields take part in the rule.
inline std::string canonical(std::vector<std::string> fields) {
    for (int k = static_cast<int>(fields.size()); k < canonical_field_count; ++k) {
        fields.push_back("~" + std::to_string(k));
    }
    return join(fields);
}

// Row i of rowmill's file: field j is (i * j) mod 2^32 as a signed 32-bit integer.
inline std::string rowmill_row(std::int32_t i) {
    std::string row;
    for (std::int64_t j = 0; j < canonical_field_count; ++j) {
        const auto value = static_cast<std::uint32_t>(static_cast<std::uint64_t>(i) * static_cast<std::uint64_t>(j));
        row += std::to_string(static_cast<std::int32_t>(value));
        row += j + 1 < canonical_field_count ? "; " : ";\n";
    }
    return row;
}

inline std::string rowmill_file(std::int32_t count) {
    std::string file;
    for (std::int32_t i = 0; i < count; ++i) file += rowmill_row(i);
    return file;
}

}  // namespace rows
