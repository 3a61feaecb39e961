// nodup_strings: empties every field from the fourth on that repeats an earlier such field of its row.
// Means: the stream library with owned strings: each line read into a string, copied into a string
// stream of its own, cut at ';' into 45 program-wide field strings, written with the inserters.
// Limits: every row is read, compared and written as exactly 45 fields; places a short row does not
// fill are written empty, text after the 45th ';' is dropped, and a last line without line feed counts.
// Exit status: 0 done, 1 on a read or write error, -1 when a file cannot be opened.

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {
constexpr int first_compared_field = 3;

int field_count = 45;
std::string fields[45];
}  // namespace

int main() {
    std::ifstream input("list.txt", std::ios_base::in);
    std::ofstream output("nodup.txt", std::ios_base::out | std::ios_base::binary);
    if (!input.is_open() || !output.is_open()) return -1;

    std::string line;
    while (std::getline(input, line)) {
        std::stringstream row(line);
        for (int p = 0; p < field_count; ++p) {
            // A read past the end of the row fails and would leave the previous row's text in place.
            if (!std::getline(row, fields[p], ';')) fields[p].clear();
        }

        for (int r = first_compared_field; r < field_count - 1; ++r) {
            const std::string& reference = fields[r];
            if (reference.empty()) continue;
            for (int i = r + 1; i < field_count; ++i) {
                if (fields[i].size() == reference.size() &&
                    std::memcmp(fields[i].data(), reference.data(), reference.size()) == 0) {
                    fields[i].clear();
                }
            }
        }

        for (int p = 0; p < field_count; ++p) output << fields[p] << ";";
        output << "\n";
    }

    // libstdc++ turns a failed read into badbit; the end of the file sets only eofbit and failbit.
    const bool read_failed = input.bad();
    output.close();
    const bool write_failed = output.fail();
    return read_failed || write_failed ? 1 : 0;
}
