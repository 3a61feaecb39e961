// nodup_lines at its edges: pieces of 32767 bytes, the 63-field bound, NUL bytes, trailing text.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cases.h"

namespace {

using cases::fields_numbered;

// 70 fields where field 62 repeats field 3 and field 65 would too: only the first 63 come out.
std::string seventy_fields() {
    std::string row = fields_numbered(70);
    row.replace(row.find("f62;"), 4, "f3;");
    row.replace(row.find("f65;"), 4, "f3;");
    return row + "\n";
}
std::string sixty_three_fields_after_rule() {
    std::string row = fields_numbered(63);
    row.replace(row.find("f62;"), 4, ";");
    return row + "\n";
}

const std::string long_tail(32757, 'x');          // makes the first piece exactly 32767 bytes
const std::string long_line = "p;q;r;s;s;" + long_tail + std::string(7222, 'y') + ";u;v;w;t;t;\n";

const std::vector<cases::RowCase> edge_cases = {
    {"worked example", "a;b;c;x;y;x;;y;z;\n", "a;b;c;x;y;;;;z;\n"},
    {"last line without line feed gets one", "a;b;c;\na;b;c;d;e;e;", "a;b;c;\na;b;c;d;e;;\n"},
    {"empty line", "\n", "\n"},
    {"line without separator", "abc\n", "\n"},
    {"text after the last separator is dropped", "a;b;c;d;e;tail\n", "a;b;c;d;e;\n"},
    {"carriage return after the last separator", "a;b;c;d;e;\r\n", "a;b;c;d;e;\n"},
    {"carriage return after a short row", "a;b\r\n", "a;\n"},
    {"four fields are not compared", "a;b;c;d;\n", "a;b;c;d;\n"},
    {"five fields are", "a;b;c;d;d;\n", "a;b;c;d;;\n"},
    {"a NUL byte ends the search for separators", std::string("a;b;c\0d;e;\n", 11), "a;b;\n"},
    {"70 fields: the first 63, the rule among fields 3 to 62", seventy_fields(), sixty_three_fields_after_rule()},
    {"a line of 32766 bytes is one row", "a;" + std::string(32763, 'b') + ";\n", "a;" + std::string(32763, 'b') + ";\n"},
    {"a line of 32767 bytes is two reads", "a;" + std::string(32764, 'b') + ";\n",
     "a;" + std::string(32764, 'b') + ";\n\n"},
    {"a line of 40000 bytes is two rows, each with its own rule", long_line,
     "p;q;r;s;;\n" + std::string(7222, 'y') + ";u;v;w;t;;\n"},
    {"a piece without separator is an empty line", std::string(32767, 'x') + "\n", "\n\n"},
    {"an unterminated last piece of a full buffer", "a;" + std::string(32765, 'b'), "a;\n"},
    {"separators only", std::string(100, ';') + "\n", std::string(63, ';') + "\n"},
};

TEST(NodupLines, EdgeRows) { cases::expect_rows("nodup_lines", edge_cases); }

}  // namespace
