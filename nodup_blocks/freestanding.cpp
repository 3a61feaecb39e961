// The routines behind freestanding.h. Built with -mavx2 -mbmi and never with a sanitizer: the
// length and compare routines read whole aligned blocks around their strings.

#include "freestanding.h"

#include <immintrin.h>

namespace {
constexpr std::uintptr_t page_size = 4096;
constexpr std::uintptr_t vector_size = 32;
constexpr std::uintptr_t word_size = 8;
constexpr std::uint64_t low_bits = 0x0101010101010101;
constexpr std::uint64_t high_bits = 0x8080808080808080;

std::uintptr_t address_of(const void* pointer) { return reinterpret_cast<std::uintptr_t>(pointer); }
}  // namespace

// Copies upward with rep movsb; the ABI guarantees the direction flag is clear on entry.
// Correct for overlap only when the destination lies below the source.
char* mem_copy(char* destination, const char* source, std::uint64_t length) {
    char* to = destination;
    asm volatile("rep movsb" : "+D"(to), "+S"(source), "+c"(length) : : "memory");
    return destination;
}

// One unsigned comparison decides the direction: destination - source wraps to a huge value when
// the destination lies below the source, and is below the length only when an upward copy would
// overwrite source bytes before reading them. That case copies downward from the last byte.
char* mem_move(char* destination, const char* source, std::uint64_t length) {
    char* to = destination;
    if (address_of(destination) - address_of(source) < length) {
        to += length - 1;
        source += length - 1;
        asm volatile("std\n\trep movsb\n\tcld" : "+D"(to), "+S"(source), "+c"(length) : : "memory", "cc");
    } else {
        asm volatile("rep movsb" : "+D"(to), "+S"(source), "+c"(length) : : "memory");
    }
    return destination;
}

// Aligned 32-byte loads never cross a 4096-byte page, and every block read holds at least one byte
// of the string, so reading before the start or past the NUL cannot fault.
std::uint64_t string_length(const char* text) {
    const std::uintptr_t start = address_of(text);
    const std::uintptr_t misalignment = start & (vector_size - 1);
    const auto* block = reinterpret_cast<const __m256i*>(start - misalignment);
    const __m256i zero = _mm256_setzero_si256();

    auto zero_mask = [&zero](const __m256i* at) {
        return static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(_mm256_load_si256(at), zero)));
    };
    // Zero bytes before the start do not count.
    std::uint32_t mask = (zero_mask(block) >> misalignment) << misalignment;
    while (mask == 0) mask = zero_mask(++block);
    return address_of(block) + static_cast<std::uintptr_t>(__builtin_ctz(mask)) - start;
}

// The left string is read in aligned 8-byte words, which never cross a page; a word of the right
// string is read only when it ends within the right string's current page. Any other bytes go one by
// one. The result is that of the plain byte loop: the first differing bytes as unsigned values.
int string_compare(const char* left, const char* right) {
    const auto* at = reinterpret_cast<const unsigned char*>(left);
    const std::ptrdiff_t distance = right - left;  // one running pointer addresses both strings
    std::uintptr_t bytes_one_by_one = (word_size - (address_of(at) & (word_size - 1))) & (word_size - 1);

    for (;;) {
        for (; bytes_one_by_one != 0; --bytes_one_by_one, ++at) {
            const int left_byte = at[0];
            const int right_byte = at[distance];
            if (left_byte != right_byte || left_byte == 0) return left_byte - right_byte;
        }

        // Above 0 when the right word would reach into the next page.
        auto room = static_cast<std::intptr_t>((address_of(at) + static_cast<std::uintptr_t>(distance)) & (page_size - 1)) -
                    static_cast<std::intptr_t>(page_size - word_size);
        for (; room <= 0; room += word_size, at += word_size) {
            std::uint64_t left_word;
            std::uint64_t right_word;
            __builtin_memcpy(&left_word, at, word_size);
            __builtin_memcpy(&right_word, at + distance, word_size);
            if (left_word != right_word) break;  // the byte loop finds the difference or a shared NUL
            if ((_andn_u64(left_word, left_word - low_bits) & high_bits) != 0) return 0;
        }
        bytes_one_by_one = word_size;
    }
}
