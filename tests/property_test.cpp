// All deduplicators agree with each other and with an independent model on random conforming files:
// canonical rows of 45 fields, no NUL byte, no byte 26, rows of at most 4096 bytes.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "harness.h"
#include "model.h"
#include "programs.h"

namespace {

constexpr int file_count = 200;
constexpr std::size_t canonical_fields = 45;
constexpr std::size_t row_limit = 4096;

// Few texts, so that repeats are common; spaces, case, high bytes and carriage returns make near misses.
const std::vector<std::string> texts = {"", "", "a", "b", "ab", "ba", " a", "a ", "A", "0", "00", "7", "07",
                                        "\xff", "\x80", "x\ry", "aaaa"};

std::string random_row(std::mt19937& random) {
    std::uniform_int_distribution<std::size_t> pick(0, texts.size() - 1);
    std::uniform_int_distribution<int> long_text(0, 30);
    std::string row;
    for (std::size_t k = 0; k < canonical_fields; ++k) {
        // Now and then a long text, equal to the other long ones.
        const std::string text = long_text(random) == 0 ? std::string(80, 'L') : texts[pick(random)];
        row += text + ";";
    }
    return row.size() < row_limit ? row + "\n" : random_row(random);
}

std::vector<std::string> random_files() {
    std::mt19937 random(20261211);
    std::uniform_int_distribution<int> rows(0, 25);
    std::vector<std::string> files = {""};
    while (files.size() < file_count) {
        std::string file;
        for (int r = rows(random); r > 0; --r) file += random_row(random);
        files.push_back(file);
    }
    return files;
}

class Property : public ::testing::TestWithParam<std::string> {};

// Every program meets the same files, so byte-identical outputs follow from each matching the model.
TEST_P(Property, MatchesTheModelOnRandomConformingFiles) {
    static const std::vector<std::string> files = random_files();
    for (const std::string& file : files) {
        const harness::Outcome outcome = harness::run_on(GetParam(), file, false);
        ASSERT_EQ(outcome.status, 0);
        ASSERT_TRUE(outcome.nodup.has_value());
        ASSERT_EQ(*outcome.nodup, model::dedup_file(file, canonical_fields, true)) << "on\n" << file;
    }
}

INSTANTIATE_TEST_SUITE_P(Deduplicators, Property, ::testing::ValuesIn(programs::under_test),
                         [](const auto& info) { return info.param; });

}  // namespace
