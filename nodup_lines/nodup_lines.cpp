// nodup_lines: empties every field from the fourth on that repeats an earlier such field of its row.
// Means: fgets of whole lines into one fixed buffer, split and compacted in place, one unlocked
// fwrite per row. Limits: a line longer than 32766 bytes is handled in pieces of 32767 bytes, each
// a row of its own; at most 63 fields per row; text after the last ';' and from a NUL byte on is dropped.
// Exit status: 0 done, 1 on a read or write error, -1 when a file cannot be opened.

#include <cstdio>
#include <cstring>

#include "nolock_stdio.h"

namespace {
constexpr int line_buffer_size = 32768;
constexpr int field_slot_count = 64;
constexpr int max_fields = field_slot_count - 1;
constexpr int first_compared_field = 3;

// Byte by byte up to the terminating NUL; an inline loop beats a library call on fields this short.
bool same_text(const char* left, const char* right) {
    for (; *left == *right; ++left, ++right) {
        if (*left == '\0') return true;
    }
    return false;
}
}  // namespace

int main() {
    if (!std::freopen("list.txt", "rb", stdin)) return -1;
    if (!std::freopen("nodup.txt", "wb", stdout)) return -1;

    char line[line_buffer_size];
    char* fields[field_slot_count];

    while (std::fgets(line, line_buffer_size, stdin)) {
        // Split: each ';' becomes the NUL that ends its field. Separators past the 63rd are left alone.
        int count = 0;
        fields[0] = line;
        for (char* separator = std::strchr(line, ';'); separator && count < max_fields;
             separator = std::strchr(separator + 1, ';')) {
            *separator = '\0';
            fields[++count] = separator + 1;
        }

        // Column rule: a compared field equal to an earlier non-empty compared field is emptied.
        for (int k = first_compared_field; k < count - 1; ++k) {
            if (fields[k][0] == '\0') continue;
            for (int j = k + 1; j < count; ++j) {
                if (same_text(fields[k], fields[j])) fields[j][0] = '\0';
            }
        }

        // Compact in place: every field moves down or stays, so nothing is overwritten before it is read.
        // A field's text ends at the separator before the next slot (the split stopped at any NUL byte),
        // and a field that has not moved needs only its ';' back.
        char* out = line;
        for (int k = 0; k < count; ++k) {
            const char* text = fields[k];
            const std::size_t length = text[0] == '\0' ? 0 : static_cast<std::size_t>(fields[k + 1] - 1 - text);
            if (out != text) std::memmove(out, text, length);
            out += length;
            *out++ = ';';
        }
        *out++ = '\n';
        crt::_fwrite_nolock(line, 1, static_cast<std::size_t>(out - line), stdout);
    }

    const bool read_failed = std::ferror(stdin) != 0;
    const bool write_failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    return read_failed || write_failed ? 1 : 0;
}
