// nodup_blocks and its hosted twin: block boundaries, the limits of the two-half scheme, and the
// structure of the freestanding binary.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cases.h"
#include "harness.h"
#include "model.h"

namespace {

constexpr std::size_t block = 262144;
constexpr std::size_t max_fields = 63;

const std::vector<std::string> block_programs = {"nodup_blocks", "nodup_blocks_hosted"};

std::string expected_for(const std::string& input) { return model::dedup_file(input, max_fields, false); }

// Short rows with repeats among their compared fields.
std::string some_rows(std::size_t count, std::size_t seed) {
    std::string rows;
    for (std::size_t i = seed; i < seed + count; ++i) {
        rows += "r;" + std::to_string(i) + ";k;" + std::to_string(i % 7) + ";" + std::to_string(i % 5) + ";" +
                std::to_string(i % 3) + ";" + std::to_string(i % 7) + ";x" + std::to_string(i) + ";\n";
    }
    return rows;
}

// Rows that fill the file up to `position`.
std::string rows_up_to(std::size_t position) {
    std::string file;
    for (std::size_t i = 0; file.size() + 300 < position; ++i) file += some_rows(1, i);
    const std::size_t room = position - file.size();  // at least 300
    return file + "f;g;h;" + std::string(room - 8, 'y') + ";\n";
}

// A file whose byte at `position` is `byte` ('\n', ';' or a field byte), with rows after it.
std::string file_with_byte_at(std::size_t position, char byte) {
    std::string file = rows_up_to(position - 200) + "a;b;c;";
    file += std::string(position - file.size(), 'y');
    file += byte;
    file += std::string(40, 'y') + ";" + std::string(200, 'y') + ";yy;\n";
    return file + some_rows(400, 7);
}

std::string fields_of(std::size_t count, std::size_t length) {
    std::string row;
    for (std::size_t k = 0; k < count; ++k) row += std::string(length, static_cast<char>('a' + k % 5)) + ";";
    return row;
}

struct BlockCase {
    std::string name;
    std::string input;
};

std::vector<BlockCase> boundary_cases() {
    std::vector<BlockCase> cases;
    for (std::size_t position : {block - 2, block - 1, block, block + 1, 2 * block - 1, 2 * block}) {
        for (char byte : {'\n', ';', 'y'}) {
            cases.push_back({"byte " + std::string(byte == '\n' ? "line feed" : byte == ';' ? "separator" : "of a field") +
                                 " at " + std::to_string(position),
                             file_with_byte_at(position, byte)});
        }
    }
    cases.push_back({"a 10000-byte field carried across a block end",
                     rows_up_to(block - 5000) + "a;b;c;" + std::string(10000, 'w') + ";w;\n" + some_rows(50, 1)});
    cases.push_back({"rows whose output is far above 4096 bytes", [] {
                         std::string file;
                         for (int i = 0; i < 12; ++i) file += fields_of(60, 1000) + "\n" + some_rows(20, i);
                         return file;
                     }()});
    // Its first field stays complete in the half the first refill leaves; the second refill needs that half.
    cases.push_back({"a row across two refills",
                     rows_up_to(block - 3000) + std::string(1000, 'F') + ";" + fields_of(41, 6600) + "\n" + some_rows(20000, 3)});
    cases.push_back({"a field above the output area, written from where it lies",
                     rows_up_to(block) + "a;" + std::string(263000, 'v') + ";b;\n" + some_rows(30, 2)});
    cases.push_back({"70 fields: the first 63", fields_of(70, 3) + "\n" + fields_of(64, 2) + "tail\n"});
    cases.push_back({"several blocks of rowmill-like rows", [] {
                         std::string file;
                         while (file.size() < 3 * block + 777) file += some_rows(100, file.size());
                         return file;
                     }()});
    return cases;
}

TEST(NodupBlocks, RowsAcrossBlocksComeOutAsInOneBlock) {
    const std::vector<BlockCase> cases = boundary_cases();
    for (const std::string& program : block_programs) {
        for (const BlockCase& block_case : cases) {
            SCOPED_TRACE(program + ": " + block_case.name);
            const harness::Outcome outcome = harness::run_on(program, block_case.input);
            EXPECT_EQ(outcome.status, 0);
            ASSERT_TRUE(outcome.nodup.has_value());
            EXPECT_TRUE(*outcome.nodup == expected_for(block_case.input)) << "output differs from the model";
        }
    }
}

TEST(NodupBlocks, EdgeRows) {
    using namespace std::string_literals;
    const std::vector<cases::RowCase> edge_cases = {
        {"worked example", "a;b;c;x;y;x;;y;z;\n", "a;b;c;x;y;;;;z;\n"},
        {"last row without line feed is not written", "a;b;c;\na;b;c;d;e;e;", "a;b;c;\n"},
        {"empty line and a line without separator", "\nabc\n", "\n\n"},
        {"text after the last separator, a carriage return too", "a;b;c;d;e;tail\na;b;c;d;e;\r\n",
         "a;b;c;d;e;\na;b;c;d;e;\n"},
        {"rows of 1 to 4 fields", "a;\na;a;\na;a;a;\na;a;a;a;tail\n", "a;\na;a;\na;a;a;\na;a;a;a;\n"},
        {"a NUL byte ends its field's text", "a;b;c;x\0y;x\0z;d;\n"s, "a;b;c;x;;d;\n"},
        {"separators only", std::string(100, ';') + "\n", std::string(63, ';') + "\n"},
    };
    for (const std::string& program : block_programs) cases::expect_rows(program, edge_cases);
}

// A field, or a row that reaches across two refills, that no half of the input area can hold: the
// whole rows before it are written, status 1.
TEST(NodupBlocks, OversizedRowEndsTheRunAfterTheWholeRowsBeforeIt) {
    const std::string before = some_rows(100, 0);
    const std::vector<std::string> inputs = {
        before + "a;" + std::string(300000, 'x') + ";b;\n" + some_rows(10, 5),
        before + fields_of(60, 10000) + "\n" + some_rows(10, 5),
    };
    for (const std::string& program : block_programs) {
        for (const std::string& input : inputs) {
            SCOPED_TRACE(program);
            const harness::Outcome outcome = harness::run_on(program, input);
            EXPECT_EQ(outcome.status, 1);
            EXPECT_TRUE(outcome.nodup == expected_for(before)) << "not just the whole rows before it";
        }
    }
}

// Another process holding either file stands in for a file that Windows would not share.
TEST(NodupBlocks, LockedFilesAreNotOpened) {
    for (const std::string& program : block_programs) {
        for (const bool lock_list : {true, false}) {
            SCOPED_TRACE(program + (lock_list ? ": list.txt locked" : ": nodup.txt locked"));
            harness::Scene scene;
            scene.list_bytes = some_rows(10, 0);
            scene.nodup = harness::NodupFile::stale;
            scene.lock_list = lock_list;
            scene.lock_nodup = !lock_list;
            const harness::Outcome outcome = harness::run(program, scene);
            EXPECT_EQ(outcome.status, harness::status_minus_one);
            EXPECT_EQ(outcome.nodup, std::string(harness::stale_content)) << "nodup.txt was touched";
        }
    }
}

std::string command_output(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return "popen failed";
    std::string text;
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe.get())) > 0;) text.append(chunk, n);
    return text;
}

TEST(NodupBlocks, BinaryIsStaticAndImportsNothing) {
    const std::string path = harness::program_path("nodup_blocks");
    const std::string headers = command_output("readelf -h -l -d " + path + " 2>&1");
    EXPECT_NE(headers.find("EXEC (Executable file)"), std::string::npos) << headers;
    EXPECT_EQ(headers.find("INTERP"), std::string::npos) << "has an interpreter";
    EXPECT_EQ(headers.find("DYNAMIC"), std::string::npos) << "has a dynamic segment";
    EXPECT_NE(headers.find("There is no dynamic section"), std::string::npos) << headers;
    EXPECT_EQ(command_output("nm -u " + path + " 2>&1"), "") << "undefined symbols";
    EXPECT_NE(command_output("nm " + path), "") << "nm cannot read the binary";
}

}  // namespace
