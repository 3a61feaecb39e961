// How each program meets a missing or unreadable "list.txt" and an unwritable "nodup.txt"; for
// rowmill, which writes "list.txt", the same setups of the file it writes.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "harness.h"
#include "rows.h"

namespace {

using harness::ListFile;
using harness::NodupFile;

// What the written file ("nodup.txt", or "list.txt" for rowmill) holds afterwards.
enum class After { not_a_file, untouched, empty, rows };

struct FaultCase {
    const char* program;
    ListFile list;
    NodupFile nodup;
    int status;
    After after;
};

constexpr int minus_one = harness::status_minus_one;

const std::vector<FaultCase> fault_cases = {
    {"rowmill", ListFile::directory, NodupFile::absent, minus_one, After::not_a_file},
    {"rowmill", ListFile::dev_full, NodupFile::absent, 1, After::not_a_file},
    {"rowmill", ListFile::bytes, NodupFile::absent, 0, After::rows},
    {"nodup_lines", ListFile::absent, NodupFile::absent, minus_one, After::not_a_file},
    {"nodup_lines", ListFile::absent, NodupFile::stale, minus_one, After::untouched},
    {"nodup_lines", ListFile::directory, NodupFile::absent, 1, After::empty},
    {"nodup_lines", ListFile::directory, NodupFile::stale, 1, After::empty},
    {"nodup_lines", ListFile::bytes, NodupFile::directory, minus_one, After::not_a_file},
    {"nodup_lines", ListFile::bytes, NodupFile::dev_full, 1, After::not_a_file},
    {"nodup_lines", ListFile::bytes, NodupFile::stale, 0, After::rows},
    {"nodup_bytes", ListFile::absent, NodupFile::absent, minus_one, After::not_a_file},
    {"nodup_bytes", ListFile::absent, NodupFile::stale, minus_one, After::untouched},
    {"nodup_bytes", ListFile::directory, NodupFile::absent, 1, After::empty},
    {"nodup_bytes", ListFile::directory, NodupFile::stale, 1, After::empty},
    {"nodup_bytes", ListFile::bytes, NodupFile::directory, minus_one, After::not_a_file},
    {"nodup_bytes", ListFile::bytes, NodupFile::dev_full, 1, After::not_a_file},
    {"nodup_bytes", ListFile::bytes, NodupFile::stale, 0, After::rows},
    {"nodup_strings", ListFile::absent, NodupFile::absent, minus_one, After::empty},
    {"nodup_strings", ListFile::absent, NodupFile::stale, minus_one, After::empty},
    {"nodup_strings", ListFile::directory, NodupFile::absent, 1, After::empty},
    {"nodup_strings", ListFile::directory, NodupFile::stale, 1, After::empty},
    {"nodup_strings", ListFile::bytes, NodupFile::directory, minus_one, After::not_a_file},
    {"nodup_strings", ListFile::bytes, NodupFile::dev_full, 1, After::not_a_file},
    {"nodup_strings", ListFile::bytes, NodupFile::stale, 0, After::rows},
    {"nodup_views", ListFile::absent, NodupFile::absent, minus_one, After::empty},
    {"nodup_views", ListFile::absent, NodupFile::stale, minus_one, After::empty},
    {"nodup_views", ListFile::directory, NodupFile::absent, 1, After::empty},
    {"nodup_views", ListFile::directory, NodupFile::stale, 1, After::empty},
    {"nodup_views", ListFile::bytes, NodupFile::directory, minus_one, After::not_a_file},
    {"nodup_views", ListFile::bytes, NodupFile::dev_full, 1, After::not_a_file},
    {"nodup_views", ListFile::bytes, NodupFile::stale, 0, After::rows},
    {"nodup_views2", ListFile::absent, NodupFile::absent, minus_one, After::empty},
    {"nodup_views2", ListFile::absent, NodupFile::stale, minus_one, After::empty},
    {"nodup_views2", ListFile::directory, NodupFile::absent, 1, After::empty},
    {"nodup_views2", ListFile::directory, NodupFile::stale, 1, After::empty},
    {"nodup_views2", ListFile::bytes, NodupFile::directory, minus_one, After::not_a_file},
    {"nodup_views2", ListFile::bytes, NodupFile::dev_full, 1, After::not_a_file},
    {"nodup_views2", ListFile::bytes, NodupFile::stale, 0, After::rows},
    {"nodup_blocks", ListFile::absent, NodupFile::absent, minus_one, After::not_a_file},
    {"nodup_blocks", ListFile::absent, NodupFile::stale, minus_one, After::untouched},
    {"nodup_blocks", ListFile::directory, NodupFile::absent, 1, After::empty},
    {"nodup_blocks", ListFile::directory, NodupFile::stale, 1, After::empty},
    {"nodup_blocks", ListFile::bytes, NodupFile::directory, minus_one, After::not_a_file},
    {"nodup_blocks", ListFile::bytes, NodupFile::dev_full, 1, After::not_a_file},
    {"nodup_blocks", ListFile::bytes, NodupFile::stale, 0, After::rows},
    {"nodup_blocks_hosted", ListFile::absent, NodupFile::absent, minus_one, After::not_a_file},
    {"nodup_blocks_hosted", ListFile::absent, NodupFile::stale, minus_one, After::untouched},
    {"nodup_blocks_hosted", ListFile::directory, NodupFile::absent, 1, After::empty},
    {"nodup_blocks_hosted", ListFile::directory, NodupFile::stale, 1, After::empty},
    {"nodup_blocks_hosted", ListFile::bytes, NodupFile::directory, minus_one, After::not_a_file},
    {"nodup_blocks_hosted", ListFile::bytes, NodupFile::dev_full, 1, After::not_a_file},
    {"nodup_blocks_hosted", ListFile::bytes, NodupFile::stale, 0, After::rows},
};

const char* name_of(ListFile list) {
    switch (list) {
        case ListFile::absent: return "list.txt missing";
        case ListFile::bytes: return "list.txt readable";
        case ListFile::directory: return "list.txt a directory";
        case ListFile::dev_full: return "list.txt to /dev/full";
    }
    return "?";
}

const char* name_of(NodupFile nodup) {
    switch (nodup) {
        case NodupFile::absent: return "nodup.txt absent";
        case NodupFile::stale: return "nodup.txt with old content";
        case NodupFile::directory: return "nodup.txt a directory";
        case NodupFile::dev_full: return "nodup.txt to /dev/full";
    }
    return "?";
}

TEST(Faults, StatusAndFilesAfterEachFault) {
    // Rows enough to fill more than one stream buffer, so that a full disk shows before the end.
    std::string input;
    for (int i = 0; i < 300; ++i) input += rows::rowmill_row(i);
    const std::string output = "0; 0; 0; 0;" + std::string(41, ';') + "\n" + input.substr(135);

    for (const FaultCase& fault : fault_cases) {
        SCOPED_TRACE(std::string(fault.program) + ", " + name_of(fault.list) + ", " + name_of(fault.nodup));
        harness::Scene scene;
        scene.list = fault.list;
        scene.list_bytes = input;
        scene.nodup = fault.nodup;
        const bool is_rowmill = std::string(fault.program) == "rowmill";
        if (is_rowmill) {
            scene.args = {"300"};
            scene.list_bytes = std::string(harness::stale_content);
        }
        const harness::Outcome outcome = harness::run(fault.program, scene);
        EXPECT_EQ(outcome.status, fault.status);
        EXPECT_EQ(outcome.printed, "");
        const std::optional<std::string>& written = is_rowmill ? outcome.list : outcome.nodup;
        switch (fault.after) {
            case After::not_a_file: EXPECT_FALSE(written.has_value()); break;
            case After::untouched: EXPECT_EQ(written, std::string(harness::stale_content)); break;
            case After::empty: EXPECT_EQ(written, std::string()); break;
            case After::rows: EXPECT_EQ(written, is_rowmill ? input : output); break;
        }
    }
}

}  // namespace
