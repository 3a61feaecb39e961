// Case tables of rows: a name, the bytes of "list.txt" and the bytes "nodup.txt" must hold.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "harness.h"

namespace cases {

struct RowCase {
    std::string name;
    std::string input;
    std::string expected;
};

// Runs the program on every case; each must end with status 0 and write exactly the expected bytes.
inline void expect_rows(std::string_view program, const std::vector<RowCase>& table) {
    for (const RowCase& row_case : table) {
        SCOPED_TRACE(std::string(program) + ": " + row_case.name);
        const harness::Outcome outcome = harness::run_on(program, row_case.input);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.printed, "");
        ASSERT_TRUE(outcome.nodup.has_value());
        EXPECT_EQ(*outcome.nodup, row_case.expected);
    }
}

// f0;f1;...;f<count - 1>; with no line feed.
inline std::string fields_numbered(int count) {
    std::string row;
    for (int k = 0; k < count; ++k) row += "f" + std::to_string(k) + ";";
    return row;
}

inline std::string separators(int count) { return std::string(static_cast<std::size_t>(count), ';'); }

}  // namespace cases
