// nodup_bytes at its edges: the 32766-byte limit on ordinary bytes, a full buffer, NUL and 255 bytes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cases.h"

namespace {

using cases::fields_numbered;

const std::vector<cases::RowCase> edge_cases = {
    {"worked example", "a;b;c;x;y;x;;y;z;\n", "a;b;c;x;y;;;;z;\n"},
    {"last line without line feed is dropped", "a;b;c;\na;b;c;d;e;e;", "a;b;c;\n"},
    {"a file with no line feed at all", "a;b;c;", ""},
    {"empty line", "\n", "\n"},
    {"line without separator", "abc\n", "\n"},
    {"text after the last separator is dropped", "a;b;c;d;e;tail\n", "a;b;c;d;e;\n"},
    {"carriage return after the last separator", "a;b;c;d;e;\r\n", "a;b;c;d;e;\n"},
    {"a NUL byte cuts only its own field", std::string("a;b;c\0x;d;e;\n", 13), "a;b;c;d;e;\n"},
    {"byte 255 is kept and compared", "a;b;c;\xff;\xff;x\xff;\n", "a;b;c;\xff;;x\xff;\n"},
    {"four fields are not compared", "a;b;c;d;\n", "a;b;c;d;\n"},
    {"70 fields: the first 63", fields_numbered(70) + "\n", fields_numbered(63) + "\n"},
    {"70 fields, the rule among the first 63", "a;b;c;d;" + fields_numbered(58) + "d;d;x;d;\n",
     "a;b;c;d;" + fields_numbered(58) + ";\n"},
    {"a row of 32766 ordinary bytes is held whole", std::string(32766, 'a') + ";\n", std::string(32766, 'a') + ";\n"},
    {"a field of 40000 bytes keeps its first 32766", std::string(40000, 'a') + ";\n", std::string(32766, 'a') + ";\n"},
    {"separators that find the buffer full are not stored", std::string(32766, 'a') + ";;;\n",
     std::string(32766, 'a') + ";\n"},
    {"bytes past the limit are dropped, the row goes on", std::string(32770, 'x') + ";y;\n",
     std::string(32766, 'x') + ";\n"},
    {"separators only, many thousands", std::string(40000, ';') + "\n", std::string(63, ';') + "\n"},
    {"rows after a long row are whole", std::string(40000, 'z') + ";\na;b;c;d;d;\n",
     std::string(32766, 'z') + ";\na;b;c;d;;\n"},
};

TEST(NodupBytes, EdgeRows) { cases::expect_rows("nodup_bytes", edge_cases); }

}  // namespace
