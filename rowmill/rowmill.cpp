// rowmill: writes the test row file "list.txt" into the current directory.
// Row i holds the 45 values (i * j) mod 2^32 for j = 0..44, printed as signed 32-bit integers,
// each followed by ';' and a space (a line feed after the last). One formatted print per field.
// Usage: rowmill [<lines>], 100000 rows by default; a count below 1 prints the usage line.
// Exit status: 0 done, 1 usage or a stream error, -1 when "list.txt" cannot be created.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "row_count.h"

namespace {
constexpr std::int32_t default_row_count = 100000;
constexpr int fields_per_row = 45;
}  // namespace

int main(int argc, char** argv) {
    std::int32_t row_count = default_row_count;
    if (argc > 1) {
        row_count = parse_row_count(argv[1]);
        if (row_count < 1) {
            std::printf("rowmill [<lines>]\n");
            std::exit(1);
        }
    }

    if (!std::freopen("list.txt", "wb", stdout)) return -1;

    for (std::int32_t i = 0; i < row_count; ++i) {
        // A running sum instead of a multiplication; it wraps modulo 2^32 like the product.
        std::uint32_t value = 0;
        for (int j = 0; j < fields_per_row; ++j) {
            std::printf("%d;%c", static_cast<std::int32_t>(value), j < fields_per_row - 1 ? ' ' : '\n');
            value += static_cast<std::uint32_t>(i);
        }
    }

    // Flush first, so that an error while writing the last buffered bytes shows in the status too.
    const bool flushed = std::fflush(stdout) == 0;
    return flushed && !std::ferror(stdout) ? 0 : 1;
}
