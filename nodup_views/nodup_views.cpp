// nodup_views, nodup_views2: empty every field from the fourth on that repeats an earlier such field.
// Means: the stream library without copies of field text: each line read into one string, every field
// named by a view (address, length with its ';'), an emptied field pointed at a constant ";", and the
// row written view by view. Limits: 45 view slots; slots past a row's own fields are reset to the
// empty view, text after the 45th ';' is dropped, and a last line without line feed counts.
// The two programs differ in where stdio sync is turned off and in whether an empty reference slot
// is compared (nodup_views2 turns the empty slots after it into bare separators).
// Exit status: 0 done, 1 on a read or write error, -1 when a file cannot be opened.

#include <cstdint>
#include <cstring>
#include <fstream>
#include <ios>
#include <string>

namespace {

#if defined(NODUP_VIEWS2)
constexpr bool unsync_before_opening = true;
constexpr bool compare_empty_references = true;
#else
constexpr bool unsync_before_opening = false;
constexpr bool compare_empty_references = false;
#endif

struct field_view {
    const char* data;
    std::uint64_t length;
};

constexpr int table_size = 45;
constexpr int first_compared_field = 3;
constexpr char separator_text[] = ";";
constexpr field_view separator_view{separator_text, 1};
constexpr field_view empty_view{nullptr, 0};

field_view field_views[table_size];

}  // namespace

int main() {
    if constexpr (unsync_before_opening) std::ios_base::sync_with_stdio(false);
    std::ifstream input("list.txt", std::ios_base::in);
    std::ofstream output("nodup.txt", std::ios_base::out);
    if constexpr (!unsync_before_opening) std::ios_base::sync_with_stdio(false);
    if (!input.is_open() || !output.is_open()) return -1;

    std::string line;
    while (std::getline(input, line)) {
        // Split: a view per ';', up to the table's 45 slots; the rest get the empty view, so no
        // slot ever points into an earlier row.
        const char* const start = line.data();
        const std::size_t length = line.size();
        std::size_t position = 0;
        int slot = 0;
        while (slot < table_size && position < length) {
            const void* found = std::memchr(start + position, ';', length - position);
            if (!found) break;
            const std::size_t separator = static_cast<std::size_t>(static_cast<const char*>(found) - start);
            field_views[slot++] = {start + position, separator - position + 1};
            position = separator + 1;
        }
        for (; slot < table_size; ++slot) field_views[slot] = empty_view;

        for (int r = first_compared_field; r < table_size - 1; ++r) {
            const field_view reference = field_views[r];
            if (!compare_empty_references && reference.length == 0) continue;
            for (int s = r + 1; s < table_size; ++s) {
                if (field_views[s].length == reference.length &&
                    (reference.length == 0 || std::memcmp(field_views[s].data, reference.data, reference.length) == 0)) {
                    field_views[s] = separator_view;
                }
            }
        }

        for (const field_view& view : field_views) output.write(view.data, static_cast<std::streamsize>(view.length));
        output.put('\n');
    }

    // libstdc++ turns a failed read into badbit; the end of the file sets only eofbit and failbit.
    const bool read_failed = input.bad();
    output.close();
    const bool write_failed = output.fail();
    return read_failed || write_failed ? 1 : 0;
}
