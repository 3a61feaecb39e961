// nodup_bytes: empties every field from the fourth on that repeats an earlier such field of its row.
// Means: one unlocked getc per byte into a fixed line buffer, each ';' stored as the NUL that ends
// its field as it arrives; fields written with unlocked fwrite and putc; 16384-byte stream buffers.
// Limits: ordinary bytes past position 32765 of a row are dropped, and a separator is stored only while
// the last byte of the buffer is free (it is kept for the NUL that ends the row); at most 63 fields per
// row; text after the last ';' and a last line without line feed are dropped.
// Exit status: 0 done, 1 on a read or write error, -1 when a file cannot be opened.

#include <cstdio>
#include <cstring>

#include "nolock_stdio.h"

namespace {
constexpr int line_buffer_size = 32768;
constexpr int ordinary_byte_limit = line_buffer_size - 2;  // positions 0..32765 take ordinary bytes
constexpr int stream_buffer_size = 16384;
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
    std::setvbuf(stdin, nullptr, _IOFBF, stream_buffer_size);
    std::setvbuf(stdout, nullptr, _IOFBF, stream_buffer_size);

    char line[line_buffer_size];
    char* const ordinary_end = line + ordinary_byte_limit;
    char* const row_end_byte = line + line_buffer_size - 1;
    char* fields[field_slot_count];

    for (;;) {
        char* position = line;
        int count = 0;
        fields[0] = line;

        // Read one row, splitting it as it arrives.
        int byte;
        while ((byte = crt::_getc_nolock(stdin)) != '\n') {
            if (byte == EOF) goto input_ended;  // an unfinished row is not written
            if (byte == ';') {
                if (position == row_end_byte) continue;
                *position++ = '\0';
                if (count < max_fields) fields[++count] = position;
            } else if (position < ordinary_end) {
                *position++ = static_cast<char>(byte);
            }
        }
        *position = '\0';

        // Column rule: a compared field equal to an earlier non-empty compared field is emptied.
        for (int k = first_compared_field; k < count - 1; ++k) {
            if (fields[k][0] == '\0') continue;
            for (int j = k + 1; j < count; ++j) {
                if (same_text(fields[k], fields[j])) fields[j][0] = '\0';
            }
        }

        // Each field is written from where it lies.
        for (int k = 0; k < count; ++k) {
            const std::size_t length = std::strlen(fields[k]);
            if (length != 0) crt::_fwrite_nolock(fields[k], 1, length, stdout);
            crt::_putc_nolock(';', stdout);
        }
        crt::_putc_nolock('\n', stdout);
    }

input_ended:
    const bool read_failed = std::ferror(stdin) != 0;
    const bool write_failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    return read_failed || write_failed ? 1 : 0;
}
