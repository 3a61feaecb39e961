// rowmill: the bytes of its file, its count parsing and its exit statuses.

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "harness.h"
#include "row_count.h"
#include "rows.h"

namespace {

using harness::ListFile;

const std::string usage_line = "rowmill [<lines>]\n";

harness::Outcome run_rowmill(std::vector<std::string> args, ListFile list = ListFile::absent) {
    harness::Scene scene;
    scene.list = list;
    scene.list_bytes = std::string(harness::stale_content);
    scene.args = std::move(args);
    return harness::run("rowmill", scene);
}

TEST(Rowmill, DefaultFile) {
    const harness::Outcome outcome = run_rowmill({});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.printed, "");
    ASSERT_TRUE(outcome.list.has_value());
    EXPECT_EQ(outcome.list->size(), 36970275u);
    EXPECT_EQ(*outcome.list, rows::rowmill_file(100000));
    const std::string last_row = rows::rowmill_row(99999);
    EXPECT_EQ(last_row.size(), 388u);
    EXPECT_TRUE(last_row.starts_with("0; 99999; 199998; ") && last_row.ends_with("; 4299957; 4399956;\n"));
    EXPECT_EQ(outcome.list->find('\r'), std::string::npos);
}

TEST(Rowmill, FirstRowsByHand) {
    const harness::Outcome outcome = run_rowmill({"3"});
    std::string row0 = "0;";
    for (int j = 1; j < 45; ++j) row0 += " 0;";
    std::string row1 = "0;";
    std::string row2 = "0;";
    for (int j = 1; j < 45; ++j) row1 += " " + std::to_string(j) + ";";
    for (int j = 1; j < 45; ++j) row2 += " " + std::to_string(2 * j) + ";";
    EXPECT_EQ(outcome.list, row0 + "\n" + row1 + "\n" + row2 + "\n");
    EXPECT_EQ(row0.size() + 1, 135u);
    EXPECT_EQ(row1.size() + 1, 170u);
    EXPECT_EQ(row2.size() + 1, 175u);
}

struct CountCase {
    std::vector<std::string> args;
    int rows;  // 0: the usage line and status 1
};

TEST(Rowmill, CountArgument) {
    const std::vector<CountCase> cases = {
        {{"1"}, 1},         {{"12abc"}, 12},   {{"  12"}, 12},     {{"\t+12"}, 12},  {{"12", "99"}, 12},
        {{"1000"}, 1000},   {{"0"}, 0},        {{"-5"}, 0},        {{"abc"}, 0},     {{""}, 0},
        {{"0x10"}, 0},      {{"-99999999999"}, 0}, {{"+-3"}, 0},
    };
    for (const CountCase& count_case : cases) {
        SCOPED_TRACE("argument '" + count_case.args[0] + "'");
        // A stale list.txt shows that the usage path leaves it alone and a run truncates it.
        const harness::Outcome outcome = run_rowmill(count_case.args, ListFile::bytes);
        if (count_case.rows == 0) {
            EXPECT_EQ(outcome.status, 1);
            EXPECT_EQ(outcome.printed, usage_line);
            EXPECT_EQ(outcome.list, std::string(harness::stale_content));
        } else {
            EXPECT_EQ(outcome.status, 0);
            EXPECT_EQ(outcome.printed, "");
            EXPECT_EQ(outcome.list, rows::rowmill_file(count_case.rows));
        }
    }
}

TEST(Rowmill, CountParsingClampsTo32Bits) {
    EXPECT_EQ(parse_row_count("99999999999"), INT_MAX);
    EXPECT_EQ(parse_row_count("2147483648"), INT_MAX);
    EXPECT_EQ(parse_row_count("2147483647"), INT_MAX);
    EXPECT_EQ(parse_row_count("-99999999999"), INT_MIN);
    EXPECT_EQ(parse_row_count(" 42 rows"), 42);
    EXPECT_EQ(parse_row_count("0x10"), 0);
}

TEST(Rowmill, ListCannotBeCreated) {
    const harness::Outcome outcome = run_rowmill({"5"}, ListFile::directory);
    EXPECT_EQ(outcome.status, harness::status_minus_one);
    EXPECT_EQ(outcome.printed, "");
}

// One row stays in the stream buffer until exit; the error shows only when it is flushed.
TEST(Rowmill, WriteErrorOnTheLastBufferedBytes) {
    EXPECT_EQ(run_rowmill({"1"}, ListFile::dev_full).status, 1);
    EXPECT_EQ(run_rowmill({"2000"}, ListFile::dev_full).status, 1);
}

}  // namespace
