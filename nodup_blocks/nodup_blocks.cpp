// nodup_blocks: empties every field from the fourth on that repeats an earlier such field of its row.
// Means: no C runtime. "list.txt" is read in 262144-byte blocks straight from the kernel into one
// region, rows are split in place, and output rows gather in the region until a write is due. The
// input area has two halves: when a block runs out inside a row, only the unfinished field moves to the
// start of the other half and the next block is read behind it, so the row's earlier fields stay put.
// Limits: at most 63 fields per row; text after the last ';', text from a NUL byte to its ';' and a
// last row without line feed are dropped. A field that cannot fit a half (266240 bytes) ends the run.
// Exit status: 0 done, 1 on a read or write error or an oversized field, -1 when a file cannot be
// opened or the region cannot be taken.

#include <cstddef>
#include <cstdint>

#include "freestanding.h"

#if defined(NODUP_HOSTED)
#include "os_hosted.h"
#else
#include "os_linux.h"
#endif

namespace {

constexpr std::uint32_t block_size = 262144;
constexpr std::uint32_t carry_room = 4096;
constexpr std::uint32_t half_size = carry_room + block_size;
constexpr std::uint32_t output_area_size = 262144;
constexpr std::uint32_t region_size = 2 * half_size + output_area_size;
constexpr std::uint32_t write_threshold = 258048;
constexpr int field_slot_count = 64;
constexpr int max_fields = field_slot_count - 1;
constexpr int first_compared_field = 3;
constexpr std::uint32_t status_done = 0;
constexpr std::uint32_t status_failed = 1;
constexpr std::uint32_t status_cannot_start = 0xFFFFFFFF;

static_assert(region_size == 794624);

template <std::size_t size>
struct file_name {
    os::name_char text[size];
    consteval file_name(const char (&ascii)[size]) : text{} {
        for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<os::name_char>(ascii[i]);
    }
};
constexpr file_name input_name("list.txt");
constexpr file_name output_name("nodup.txt");

// The count read, 0 at the end of the file, or -1.
std::int32_t read_block(os::file input, char* destination, std::uint32_t count) {
    return static_cast<std::int32_t>(os::read_file(input, destination, count));
}

// 0 when all of it was written, else -1.
std::int32_t write_block(os::file output, const char* source, std::uint32_t count) {
    return os::write_file(output, source, count) ? 0 : -1;
}

bool same_text(const char* left, const char* right) {
    for (; *left == *right; ++left, ++right) {
        if (*left == '\0') return true;
    }
    return false;
}

std::uint32_t text_length(const char* text) {
    const char* end = text;
    while (*end != '\0') ++end;
    return static_cast<std::uint32_t>(end - text);
}

bool lies_in(const char* at, const char* area, std::uint32_t size) { return at >= area && at < area + size; }

}  // namespace

extern "C" [[noreturn]] void nodup_blocks_main() {
    const os::file input = os::open_input(input_name.text);
    if (input == os::no_file) os::exit_process(status_cannot_start);
    const os::file output = os::create_output(output_name.text);
    if (output == os::no_file) os::exit_process(status_cannot_start);
    char* const region = os::take_region(region_size);
    if (!region) os::exit_process(status_cannot_start);

    char* const halves[2] = {region, region + half_size};
    char* const output_start = region + 2 * half_size;
    char* const output_end = output_start + output_area_size;

    int half = 0;  // the half that holds the data being scanned
    char* scan = halves[0];
    char* data_end = scan;
    char* fields[field_slot_count];
    int count = 0;
    fields[0] = scan;
    char* out = output_start;
    std::uint32_t status = status_done;

    for (;;) {
        if (scan == data_end) {
            // Refill into the other half. The unfinished field moves to its start; once 63 fields
            // are taken the rest of the row is dropped and nothing need move.
            char* const target = halves[1 - half];
            char* const unfinished = count < max_fields ? fields[count] : data_end;
            const auto unfinished_length = static_cast<std::uint32_t>(data_end - unfinished);
            char* carried_end = target;
            if (count > 0 && lies_in(fields[0], target, half_size)) {
                // The row began before the last refill, in the half about to be read into: move its
                // complete fields to the start of that half too. Each moves to or below where it
                // lies, in row order, so none is overwritten before it is moved.
                for (int k = 0; k < count; ++k) {
                    const std::uint32_t length = text_length(fields[k]) + 1;
                    if (static_cast<std::uint32_t>(carried_end - target) + length >= half_size) {
                        status = status_failed;  // a field that no half can hold
                        goto finish;
                    }
                    fields[k] = mem_move(carried_end, fields[k], length);
                    carried_end += length;
                }
            }
            if (static_cast<std::uint32_t>(carried_end - target) + unfinished_length >= half_size) {
                status = status_failed;
                goto finish;
            }
            fields[count] = mem_copy(carried_end, unfinished, unfinished_length);
            carried_end += unfinished_length;

            const std::uint32_t room = half_size - static_cast<std::uint32_t>(carried_end - target);
            const std::int32_t got = read_block(input, carried_end, room < block_size ? room : block_size);
            if (got < 0) status = status_failed;
            if (got <= 0) goto finish;  // at the end of the input an unfinished last row is dropped
            half = 1 - half;
            scan = carried_end;
            data_end = carried_end + got;
        }

        const char byte = *scan;
        if (byte == '\n') {
            // Text after the last separator belongs to no field. Compare every pair of compared
            // fields, an empty reference included: it can only match a field that is empty already.
            for (int k = first_compared_field; k < count - 1; ++k) {
                for (int j = k + 1; j < count; ++j) {
                    if (same_text(fields[k], fields[j])) fields[j][0] = '\0';
                }
            }
            for (int k = 0; k < count; ++k) {
                const std::uint32_t length = text_length(fields[k]);
                // Room for the text, its ';' and the line feed; rows far above the usual size write
                // early, and a field larger than the whole area goes out from where it lies.
                if (length + 2 > static_cast<std::uint32_t>(output_end - out)) {
                    if (write_block(output, output_start, static_cast<std::uint32_t>(out - output_start)) != 0) {
                        status = status_failed;
                    }
                    out = output_start;
                    if (length + 2 > output_area_size) {
                        if (write_block(output, fields[k], length) != 0) status = status_failed;
                        *out++ = ';';
                        continue;
                    }
                }
                mem_copy(out, fields[k], length);
                out += length;
                *out++ = ';';
            }
            *out++ = '\n';
            if (static_cast<std::uint32_t>(out - output_start) > write_threshold) {
                if (write_block(output, output_start, static_cast<std::uint32_t>(out - output_start)) != 0) {
                    status = status_failed;
                }
                out = output_start;
            }
            fields[0] = scan + 1;
            count = 0;
        } else if (byte == ';' && count < max_fields) {
            *scan = '\0';
            fields[++count] = scan + 1;
        }
        ++scan;
    }

finish:
    if (write_block(output, output_start, static_cast<std::uint32_t>(out - output_start)) != 0) status = status_failed;
    os::exit_process(status);
}

#if defined(NODUP_HOSTED)
int main() { nodup_blocks_main(); }
#else
// The kernel enters here with the stack holding argc; there is no caller to return to.
asm(R"(
    .text
    .globl _start
    .type _start, @function
_start:
    xor %ebp, %ebp          # the outermost frame
    and $-16, %rsp          # the ABI wants a 16-byte aligned stack at every call
    call nodup_blocks_main
    ud2
)");
#endif
