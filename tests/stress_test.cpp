// Hostile input for every deduplicator: bytes that the row format treats specially, rows from empty to
// 100000 bytes, up to 200 separators, no final line feed, files of exactly one and two input blocks.
// Each run must end on its own, report nothing on standard error (the sanitizers would), end with
// status 0, and keep its program's bounds. Set NODUP_STRESS_FILES for a longer run.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "harness.h"
#include "programs.h"

namespace {

constexpr std::size_t block = 262144;

int file_count() {
    const char* wanted = std::getenv("NODUP_STRESS_FILES");
    return wanted ? std::atoi(wanted) : 24;
}

std::string hostile_row(std::mt19937& random) {
    static constexpr std::array<char, 10> specials = {';', ';', '\r', '\0', '\x1a', '\xff', 'a', 'b', ' ', '\n'};
    std::uniform_int_distribution<int> size_class(0, 19);
    std::size_t length = 0;
    switch (size_class(random)) {
        case 0: length = 0; break;
        case 1: length = std::uniform_int_distribution<std::size_t>(30000, 100000)(random); break;
        case 2: case 3: length = std::uniform_int_distribution<std::size_t>(1000, 6000)(random); break;
        default: length = std::uniform_int_distribution<std::size_t>(1, 300)(random); break;
    }
    const int separators = std::uniform_int_distribution<int>(0, 200)(random);
    std::uniform_int_distribution<std::size_t> pick(0, specials.size() - 2);  // no line feed inside a row
    std::uniform_int_distribution<std::size_t> where(0, length);
    std::string row;
    std::uniform_int_distribution<int> special_or_letter(0, 3);
    for (std::size_t i = 0; i < length; ++i) {
        row += special_or_letter(random) == 0 ? specials[pick(random)] : static_cast<char>('a' + i % 3);
    }
    for (int s = 0; s < separators && length > 0; ++s) row[std::min(where(random), length - 1)] = ';';
    return row;
}

std::vector<std::string> hostile_files() {
    std::mt19937 random(7);
    std::vector<std::string> files;
    for (int f = 0; f < file_count(); ++f) {
        std::string file;
        const int rows = std::uniform_int_distribution<int>(0, 40)(random);
        for (int r = 0; r < rows; ++r) file += hostile_row(random) + "\n";
        if (random() % 2) file += hostile_row(random);  // no final line feed
        files.push_back(file);
    }
    // Exactly one and exactly two input blocks of nodup_blocks, ending with and without a line feed.
    for (std::size_t size : {block, 2 * block}) {
        std::string file;
        while (file.size() < size) file += hostile_row(random) + "\n";
        file.resize(size);
        files.push_back(file);
        file.back() = '\n';
        files.push_back(file);
    }
    return files;
}

// The most fields a program writes for one row; nodup_strings always writes exactly 45.
struct Bound {
    std::string program;
    std::size_t max_fields;
    bool exact;
};

const std::vector<Bound> bounds = {
    {"nodup_lines", 63, false},  {"nodup_bytes", 63, false},  {"nodup_strings", 45, true},
    {"nodup_views", 45, false},  {"nodup_views2", 45, false}, {"nodup_blocks", 63, false},
    {"nodup_blocks_hosted", 63, false},
};

void PrintTo(const Bound& bound, std::ostream* out) { *out << bound.program; }

TEST(Stress, EveryProgramHasABound) { EXPECT_EQ(bounds.size(), programs::under_test.size()); }

class Stress : public ::testing::TestWithParam<Bound> {};

TEST_P(Stress, HostileFilesKeepTheProgramsBounds) {
    static const std::vector<std::string> files = hostile_files();
    const Bound& bound = GetParam();
    for (const std::string& file : files) {
        std::array<bool, 256> in_input{};
        for (const char byte : file) in_input[static_cast<unsigned char>(byte)] = true;
        in_input[';'] = in_input['\n'] = true;
        SCOPED_TRACE("a file of " + std::to_string(file.size()) + " bytes");
        const harness::Outcome outcome = harness::run_on(bound.program, file, false);
        ASSERT_EQ(outcome.status, 0);
        ASSERT_TRUE(outcome.nodup.has_value());
        const std::string& out = *outcome.nodup;
        ASSERT_TRUE(out.empty() || out.back() == '\n') << "the last output row is not whole";
        std::size_t fields = 0;
        for (const char byte : out) {
            ASSERT_TRUE(in_input[static_cast<unsigned char>(byte)]) << "a byte that list.txt does not hold";
            if (byte == ';') ++fields;
            if (byte != '\n') continue;
            ASSERT_LE(fields, bound.max_fields);
            if (bound.exact) {
                ASSERT_EQ(fields, bound.max_fields);
            }
            fields = 0;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Deduplicators, Stress, ::testing::ValuesIn(bounds),
                         [](const auto& info) { return info.param.program; });

}  // namespace
