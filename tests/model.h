// An independent model of the column rule, written from its outcome: within a row, among the
// fields from index 3 on, the first occurrence of each non-empty text stays and every later equal one
// is emptied. It knows nothing of the programs' buffers or pairwise loops.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace model {

inline constexpr std::size_t first_compared_field = 3;

// One row without its line feed; fields past max_fields and text after the last ';' are dropped.
inline std::string dedup_row(std::string_view row, std::size_t max_fields) {
    std::vector<std::string_view> fields;
    for (std::size_t separator; fields.size() < max_fields && (separator = row.find(';')) != row.npos;) {
        fields.push_back(row.substr(0, separator));
        row.remove_prefix(separator + 1);
    }
    std::set<std::string_view> seen;
    std::string out;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const bool repeat = k >= first_compared_field && !fields[k].empty() && !seen.insert(fields[k]).second;
        if (!repeat) out += fields[k];
        out += ';';
    }
    return out + "\n";
}

// A whole file; a last line without line feed is dropped unless written_unterminated.
inline std::string dedup_file(std::string_view file, std::size_t max_fields, bool written_unterminated) {
    std::string out;
    while (!file.empty()) {
        const std::size_t end = file.find('\n');
        if (end == file.npos && !written_unterminated) break;
        out += dedup_row(file.substr(0, end), max_fields);
        file.remove_prefix(end == file.npos ? file.size() : end + 1);
    }
    return out;
}

}  // namespace model
