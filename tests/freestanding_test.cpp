// The freestanding routines against the plain byte-loop meaning, next to pages that cannot be read.

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "freestanding.h"

namespace {

constexpr std::size_t page = 4096;

// Two pages, the second unreadable: a read past the end of the first one faults.
class GuardedPage {
public:
    GuardedPage() {
        void* map = mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (map == MAP_FAILED) throw std::runtime_error("mmap failed");
        base_ = static_cast<char*>(map);
        if (mprotect(base_ + page, page, PROT_NONE) != 0) throw std::runtime_error("mprotect failed");
        std::memset(base_, 'a', page);
    }
    ~GuardedPage() { munmap(base_, 2 * page); }
    char* start() const { return base_; }
    char* end() const { return base_ + page; }

private:
    char* base_ = nullptr;
};

int sign(int value) { return (value > 0) - (value < 0); }

int byte_loop_compare(const char* left, const char* right) {
    const auto* l = reinterpret_cast<const unsigned char*>(left);
    const auto* r = reinterpret_cast<const unsigned char*>(right);
    while (*l == *r && *l != 0) ++l, ++r;
    return *l - *r;
}

bool has_avx2() { return __builtin_cpu_supports("avx2"); }
bool has_bmi1() { return __builtin_cpu_supports("bmi"); }

TEST(MemCopy, CopiesEveryLengthAtEveryMisalignment) {
    std::vector<char> source(300), target(300);
    for (std::size_t i = 0; i < source.size(); ++i) source[i] = static_cast<char>(i * 7 + 1);
    for (std::size_t offset = 0; offset < 16; ++offset) {
        for (std::size_t length = 0; length < 260; ++length) {
            std::fill(target.begin(), target.end(), '#');
            EXPECT_EQ(mem_copy(target.data() + offset, source.data() + 3, length), target.data() + offset);
            ASSERT_EQ(std::memcmp(target.data() + offset, source.data() + 3, length), 0) << offset << " " << length;
            ASSERT_EQ(target[offset + length], '#') << "wrote past the end";
            if (offset > 0) {
                ASSERT_EQ(target[offset - 1], '#') << "wrote before the start";
            }
        }
    }
}

TEST(MemMove, OverlapsInBothDirections) {
    struct Case {
        std::ptrdiff_t shift;  // destination minus source
        std::size_t length;
    };
    const Case cases[] = {{1, 100}, {-1, 100}, {0, 50}, {99, 100}, {-99, 100}, {100, 100}, {3, 1}, {-3, 1},
                          {1, 0}, {40, 4096}, {-40, 4096}};
    for (const Case& c : cases) {
        SCOPED_TRACE("shift " + std::to_string(c.shift) + ", length " + std::to_string(c.length));
        std::vector<char> buffer(10000), expected;
        for (std::size_t i = 0; i < buffer.size(); ++i) buffer[i] = static_cast<char>(i % 251);
        expected = buffer;
        char* source = buffer.data() + 2000;
        char* destination = source + c.shift;
        std::memmove(expected.data() + 2000 + c.shift, expected.data() + 2000, c.length);
        EXPECT_EQ(mem_move(destination, source, c.length), destination);
        EXPECT_EQ(buffer, expected);
    }
}

TEST(MemMove, LeavesTheDirectionFlagClear) {
    char text[] = "abcdef";
    mem_move(text + 1, text, 4);
    EXPECT_STREQ(text, "aabcdf");
    // A forward copy after it still runs upward.
    char copy[8] = {};
    mem_copy(copy, "xyz", 4);
    EXPECT_STREQ(copy, "xyz");
}

TEST(StringLength, EveryLengthAtEveryAlignment) {
    if (!has_avx2()) GTEST_SKIP() << "this processor lacks AVX2";
    alignas(64) char buffer[256];
    for (std::size_t start = 0; start < 64; ++start) {
        for (std::size_t length = 0; length < 130; ++length) {
            std::memset(buffer, 0, sizeof buffer);  // zero bytes before the start must not count
            std::memset(buffer + start, 'x', length);
            ASSERT_EQ(string_length(buffer + start), length) << "start " << start;
        }
    }
}

TEST(StringLength, EndsOnTheLastByteBeforeAnUnreadablePage) {
    if (!has_avx2()) GTEST_SKIP() << "this processor lacks AVX2";
    GuardedPage guarded;
    guarded.end()[-1] = '\0';
    for (std::size_t length = 0; length < 200; ++length) {
        ASSERT_EQ(string_length(guarded.end() - 1 - length), length);
    }
}

TEST(StringCompare, SignFollowsUnsignedBytes) {
    if (!has_bmi1()) GTEST_SKIP() << "this processor lacks BMI1";
    struct Case {
        const char* left;
        const char* right;
        int expected;
    };
    const Case cases[] = {
        {"", "", 0},           {"abc", "abc", 0},        {"abc", "abd", 'c' - 'd'},  {"abc", "ab", 'c'},
        {"ab", "abc", -'c'},   {"\x80", "\x7f", 1},      {"\xff", "a", 0xff - 'a'},  {"a", "\xff", 'a' - 0xff},
        {"", "\xff", -255},    {"\xff", "", 255},        {"abcdefgh1", "abcdefgh2", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(string_compare(c.left, c.right), c.expected) << c.left << " / " << c.right;
    }
}

TEST(StringCompare, BytesAfterACommonNulInOneWordDoNotCount) {
    if (!has_bmi1()) GTEST_SKIP() << "this processor lacks BMI1";
    alignas(8) char left[16] = "abc\0xyz";
    alignas(8) char right[16] = "abc\0qrs";
    EXPECT_EQ(string_compare(left, right), 0);
}

TEST(StringCompare, AgreesWithTheByteLoopAtEveryAlignment) {
    if (!has_bmi1()) GTEST_SKIP() << "this processor lacks BMI1";
    alignas(16) char left[96];
    alignas(16) char right[96];
    for (std::size_t left_start = 0; left_start < 16; ++left_start) {
        for (std::size_t right_start = 0; right_start < 16; ++right_start) {
            for (std::size_t length = 0; length < 40; length += 3) {
                std::memset(left, 'q', sizeof left);
                std::memset(right, 'q', sizeof right);
                left[left_start + length] = '\0';
                right[right_start + length] = '\0';
                ASSERT_EQ(string_compare(left + left_start, right + right_start), 0);
                if (length > 0) {
                    right[right_start + length / 2] = '\x90';
                    ASSERT_EQ(sign(string_compare(left + left_start, right + right_start)),
                              sign(byte_loop_compare(left + left_start, right + right_start)));
                    ASSERT_LT(string_compare(left + left_start, right + right_start), 0);
                }
            }
        }
    }
}

// Either string may end on the last byte before an unreadable page, at every position of the page.
TEST(StringCompare, StringsThatEndAtAnUnreadablePage) {
    if (!has_bmi1()) GTEST_SKIP() << "this processor lacks BMI1";
    GuardedPage guarded;
    alignas(8) char other[64];
    for (std::size_t length = 0; length < 40; ++length) {
        char* at_edge = guarded.end() - 1 - length;
        guarded.end()[-1] = '\0';
        std::memset(other, 'a', sizeof other);
        other[length] = '\0';
        for (std::size_t shift = 0; shift < 8; ++shift) {
            std::memmove(other + shift, other, length + 1);
            ASSERT_EQ(string_compare(at_edge, other + shift), 0) << length;
            ASSERT_EQ(string_compare(other + shift, at_edge), 0) << length;
            std::memmove(other, other + shift, length + 1);
        }
        other[length] = 'a';
        other[length + 1] = '\0';
        ASSERT_EQ(string_compare(at_edge, other), -'a');
        ASSERT_EQ(string_compare(other, at_edge), 'a');
    }
}

// The right string at each of the 4096 positions of a page, its first word crossing the end at 4089..4095.
TEST(StringCompare, RightStringAtEveryPositionOfAPage) {
    if (!has_bmi1()) GTEST_SKIP() << "this processor lacks BMI1";
    GuardedPage guarded;
    alignas(8) char left[24] = "abcdefg";
    for (std::size_t position = 0; position < page; ++position) {
        char* right = guarded.start() + position;
        const std::size_t room = page - position;
        const std::size_t length = room < 8 ? room : 8;
        std::memcpy(right, left, length - 1);
        right[length - 1] = '\0';
        std::memcpy(left, right, length);
        ASSERT_EQ(string_compare(left, right), 0) << position;
        left[length - 1] = 'z';
        left[length] = '\0';
        ASSERT_EQ(string_compare(left, right), 'z') << position;
        std::memcpy(left, "abcdefg", 8);
        std::memset(right, 'a', length);
    }
}

}  // namespace
