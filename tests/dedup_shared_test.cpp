// Cases on which every deduplicator agrees: canonical rows of 45 fields, as rowmill writes them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cases.h"
#include "harness.h"
#include "programs.h"
#include "rows.h"

namespace {

using rows::canonical;

// Field 3 holds the text of the filler that lands in field 44.
const std::string last_field_repeats = canonical({"a", "b", "c", "~44"});

const std::vector<cases::RowCase> canonical_cases = {
    {"empty file", "", ""},
    {"rowmill row 0 keeps field 3 and empties 4 to 44", rows::rowmill_row(0),
     "0; 0; 0; 0;" + std::string(41, ';') + "\n"},
    {"rowmill row 1 has no repeats", rows::rowmill_row(1), rows::rowmill_row(1)},
    {"repeats of two references, an empty field stays",
     canonical({"a", "b", "c", "x", "y", "x", "", "y", "z"}), canonical({"a", "b", "c", "x", "y", "", "", "", "z"})},
    {"fields 0 to 2 are neither compared nor references", canonical({"x", "x", "x", "x", "x"}),
     canonical({"x", "x", "x", "x", ""})},
    {"a compared field equal only to field 0 stays", canonical({"q", "b", "c", "q", "d"}),
     canonical({"q", "b", "c", "q", "d"})},
    {"case and spaces make different texts", canonical({"p", "q", "r", "s", "t", "S", "s ", " s", "s"}),
     canonical({"p", "q", "r", "s", "t", "S", "s ", " s", ""})},
    {"number forms are texts", canonical({"1", "2", "3", "7", "07", "7.0", "7"}),
     canonical({"1", "2", "3", "7", "07", "7.0", ""})},
    {"three equal fields with others between", canonical({"a", "b", "c", "m", "n", "m", "o", "m", "n"}),
     canonical({"a", "b", "c", "m", "n", "", "o", "", ""})},
    {"empty compared fields stay empty and empty nothing", canonical({"a", "b", "c", "", "d", "", "d", ""}),
     canonical({"a", "b", "c", "", "d", "", "", ""})},
    {"prefixes are not repeats", canonical({"a", "b", "c", "ab", "abc", "a", "ab"}),
     canonical({"a", "b", "c", "ab", "abc", "a", ""})},
    {"the last field is compared", last_field_repeats, last_field_repeats.substr(0, last_field_repeats.size() - 5) + ";\n"},
    {"carriage returns and high bytes inside fields are ordinary",
     canonical({"a", "b", "c", "x\ry", "\xff", "x\ry", "\xff", "\x80"}),
     canonical({"a", "b", "c", "x\ry", "\xff", "", "", "\x80"})},
    {"nothing carries from one row to the next", rows::rowmill_row(0) + canonical({"a", "b", "c", "d", "e"}) +
                                                     canonical({"", "", "", "d", "d"}),
     "0; 0; 0; 0;" + std::string(41, ';') + "\n" + canonical({"a", "b", "c", "d", "e"}) +
         canonical({"", "", "", "d", ""})},
    {"a canonical row of 4096 bytes", canonical({std::string(3000, 'w'), "b", "c", std::string(800, 'v'), "d"}),
     canonical({std::string(3000, 'w'), "b", "c", std::string(800, 'v'), "d"})},
};

class SharedCases : public ::testing::TestWithParam<std::string> {};

TEST_P(SharedCases, CanonicalRowsFollowTheColumnRule) { cases::expect_rows(GetParam(), canonical_cases); }

// rowmill's default file comes out with row 0 reduced and every other row unchanged.
TEST_P(SharedCases, DefaultRowmillFile) {
    static const std::string input = rows::rowmill_file(100000);
    ASSERT_EQ(input.size(), 36970275u);
    const harness::Outcome outcome = harness::run_on(GetParam(), input);
    EXPECT_EQ(outcome.status, 0);
    ASSERT_TRUE(outcome.nodup.has_value());
    ASSERT_EQ(outcome.nodup->size(), 36970193u);
    EXPECT_EQ(outcome.nodup->substr(0, 53), "0; 0; 0; 0;" + std::string(41, ';') + "\n");
    EXPECT_TRUE(outcome.nodup->compare(53, std::string::npos, input, 135) == 0) << "rows after row 0 changed";
}

INSTANTIATE_TEST_SUITE_P(Deduplicators, SharedCases, ::testing::ValuesIn(programs::under_test),
                         [](const auto& info) { return info.param; });

}  // namespace
