// The stream-library deduplicators at their edges: 45 fields always for nodup_strings, 45 view slots
// for nodup_views and nodup_views2, and the two points where the view programs differ.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cases.h"
#include "harness.h"
#include "rows.h"

namespace {

using namespace std::string_literals;

using cases::fields_numbered;
using cases::separators;

const std::string nul_fields = "a;b;c;x\0y;x\0z;x\0y;"s;
const std::string distinct_row = rows::canonical({"a", "b", "c", "d"});

const std::vector<cases::RowCase> strings_cases = {
    {"a short row is written as 45 fields", "a;b;c;d;e;e;\n", "a;b;c;d;e;" + separators(40) + "\n"},
    {"an empty line is 45 empty fields", "\n", separators(45) + "\n"},
    {"a short row after a full one takes nothing from it", distinct_row + "x;y;\n",
     distinct_row + "x;y;" + separators(43) + "\n"},
    {"text after the 44th separator is field 44", fields_numbered(44) + "tail\n", fields_numbered(44) + "tail;\n"},
    {"text after the 45th separator is dropped", fields_numbered(45) + "tail\n", fields_numbered(45) + "\n"},
    {"a row of 50 fields is cut to 45", fields_numbered(50) + "\n", fields_numbered(45) + "\n"},
    {"the last line without line feed is processed", "a;b;c;d;d;", "a;b;c;d;;" + separators(40) + "\n"},
    {"a line feed at the end adds no row", distinct_row, distinct_row},
    {"NUL bytes are ordinary bytes", nul_fields + "\n", "a;b;c;x\0y;x\0z;;"s + separators(39) + "\n"},
    {"carriage returns and byte 26 are ordinary", "a;b;c;\x1a;\x1a;d\r;\r\n",
     "a;b;c;\x1a;;d\r;\r;" + separators(38) + "\n"},
    {"a row of 100000 bytes, then a short one", std::string(100000, 'w') + ";a;b;d;d;\nq;\n",
     std::string(100000, 'w') + ";a;b;d;;" + separators(40) + "\nq;" + separators(44) + "\n"},
};

TEST(NodupStrings, EdgeRows) { cases::expect_rows("nodup_strings", strings_cases); }

struct ViewsCase {
    const char* name;
    std::string input;
    std::string views;   // what nodup_views writes
    std::string views2;  // what nodup_views2 writes
};

const std::vector<ViewsCase> views_cases = {
    {"rows of 5 separators", "a;b;c;d;d;\nq;r;s;t;u;\n", "a;b;c;d;;\nq;r;s;t;u;\n",
     "a;b;c;d;;" + separators(39) + "\nq;r;s;t;u;" + separators(39) + "\n"},
    {"a row without separator", "abc\n", "\n", separators(41) + "\n"},
    {"an empty first line", "\nx;\n", "\nx;\n", separators(41) + "\nx;" + separators(41) + "\n"},
    {"rows of 2 separators", "a;b;\na;b;\n", "a;b;\na;b;\n",
     "a;b;" + separators(41) + "\na;b;" + separators(41) + "\n"},
    {"rows of 3 separators", "a;b;c;\n", "a;b;c;\n", "a;b;c;" + separators(41) + "\n"},
    {"rows of 44 separators", fields_numbered(44) + "\n", fields_numbered(44) + "\n", fields_numbered(44) + "\n"},
    {"a short row after a full one depends on itself alone", distinct_row + "x;y;z;w;\n",
     distinct_row + "x;y;z;w;\n", distinct_row + "x;y;z;w;" + separators(40) + "\n"},
    {"text after the 45th separator is dropped", fields_numbered(45) + "tail\n", fields_numbered(45) + "\n",
     fields_numbered(45) + "\n"},
    {"a row of 60 separators keeps its first 45 fields", fields_numbered(60) + "\n", fields_numbered(45) + "\n",
     fields_numbered(45) + "\n"},
    {"text after the last separator is dropped", "a;b;c;d;e;tail\n", "a;b;c;d;e;\n",
     "a;b;c;d;e;" + separators(39) + "\n"},
    {"the last line without line feed is processed", "a;b;c;d;d;", "a;b;c;d;;\n", "a;b;c;d;;" + separators(39) + "\n"},
    {"NUL bytes are ordinary bytes", nul_fields + "\n", "a;b;c;x\0y;x\0z;;\n"s,
     "a;b;c;x\0y;x\0z;;"s + separators(38) + "\n"},
    {"a row of 100000 bytes, then short rows", std::string(100000, 'w') + ";a;b;d;d;\nq;\n\n",
     std::string(100000, 'w') + ";a;b;d;;\nq;\n\n",
     std::string(100000, 'w') + ";a;b;d;;" + separators(39) + "\nq;" + separators(41) + "\n" + separators(41) + "\n"},
};

TEST(NodupViews, EdgeRowsOfBothPrograms) {
    for (const ViewsCase& edge : views_cases) {
        SCOPED_TRACE(edge.name);
        const harness::Outcome views = harness::run_on("nodup_views", edge.input);
        EXPECT_EQ(views.status, 0);
        EXPECT_EQ(views.nodup, edge.views) << "nodup_views";
        const harness::Outcome views2 = harness::run_on("nodup_views2", edge.input);
        EXPECT_EQ(views2.status, 0);
        EXPECT_EQ(views2.nodup, edge.views2) << "nodup_views2";
    }
}

}  // namespace
