// The four freestanding routines against the C library's memcpy, memmove, strlen and strcmp, over
// sizes from 1 byte to 1 MiB and a few misalignments of the source (and of the right string).

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "freestanding.h"

namespace {

constexpr std::size_t max_size = 1 << 20;
constexpr std::size_t slack = 64;

const std::vector<std::int64_t> sizes = {1, 7, 16, 64, 256, 1024, 4096, 65536, max_size};
const std::vector<std::int64_t> misalignments = {0, 1, 7, 31};

struct Buffers {
    alignas(64) char source[max_size + slack];
    alignas(64) char target[max_size + slack];
};

Buffers& buffers() {
    static Buffers shared = [] {
        Buffers b;
        std::memset(b.source, 'x', sizeof b.source);
        std::memset(b.target, 'y', sizeof b.target);
        return b;
    }();
    return shared;
}

bool unsupported(benchmark::State& state, bool supported) {
    if (!supported) state.SkipWithError("this processor lacks the instructions the routine needs");
    return !supported;
}

template <typename Copy>
void copy_bench(benchmark::State& state, Copy copy) {
    const auto size = static_cast<std::size_t>(state.range(0));
    const auto offset = static_cast<std::size_t>(state.range(1));
    Buffers& b = buffers();
    for (auto _ : state) {
        benchmark::DoNotOptimize(copy(b.target, b.source + offset, size));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// An overlapping move one byte up: the case that takes mem_move's downward path.
template <typename Move>
void move_bench(benchmark::State& state, Move move) {
    const auto size = static_cast<std::size_t>(state.range(0));
    const auto offset = static_cast<std::size_t>(state.range(1));
    char* data = buffers().target + offset;
    for (auto _ : state) {
        benchmark::DoNotOptimize(move(data + 1, data, size));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

template <typename Length>
void length_bench(benchmark::State& state, Length length) {
    const auto size = static_cast<std::size_t>(state.range(0));
    char* text = buffers().source + state.range(1);
    std::memset(text, 'x', size);
    text[size] = '\0';
    for (auto _ : state) benchmark::DoNotOptimize(length(text));
    text[size] = 'x';
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// Equal strings, so that the whole length is compared.
template <typename Compare>
void compare_bench(benchmark::State& state, Compare compare) {
    const auto size = static_cast<std::size_t>(state.range(0));
    Buffers& b = buffers();
    char* left = b.source;
    char* right = b.target + state.range(1);
    std::memset(left, 'z', size);
    std::memset(right, 'z', size);
    left[size] = right[size] = '\0';
    for (auto _ : state) benchmark::DoNotOptimize(compare(left, right));
    left[size] = 'x';
    right[size] = 'y';
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void mem_copy_bench(benchmark::State& s) { copy_bench(s, mem_copy); }
void memcpy_bench(benchmark::State& s) { copy_bench(s, [](char* d, const char* src, std::size_t n) { return std::memcpy(d, src, n); }); }
void mem_move_bench(benchmark::State& s) { move_bench(s, mem_move); }
void memmove_bench(benchmark::State& s) { move_bench(s, [](char* d, const char* src, std::size_t n) { return std::memmove(d, src, n); }); }
void string_length_bench(benchmark::State& s) {
    if (!unsupported(s, __builtin_cpu_supports("avx2"))) length_bench(s, string_length);
}
void strlen_bench(benchmark::State& s) { length_bench(s, [](const char* t) { return std::strlen(t); }); }
void string_compare_bench(benchmark::State& s) {
    if (!unsupported(s, __builtin_cpu_supports("bmi"))) compare_bench(s, string_compare);
}
void strcmp_bench(benchmark::State& s) { compare_bench(s, [](const char* l, const char* r) { return std::strcmp(l, r); }); }

}  // namespace

BENCHMARK(mem_copy_bench)->ArgsProduct({sizes, misalignments});
BENCHMARK(memcpy_bench)->ArgsProduct({sizes, misalignments});
BENCHMARK(mem_move_bench)->ArgsProduct({sizes, misalignments});
BENCHMARK(memmove_bench)->ArgsProduct({sizes, misalignments});
BENCHMARK(string_length_bench)->ArgsProduct({sizes, misalignments});
BENCHMARK(strlen_bench)->ArgsProduct({sizes, misalignments});
BENCHMARK(string_compare_bench)->ArgsProduct({sizes, misalignments});
BENCHMARK(strcmp_bench)->ArgsProduct({sizes, misalignments});

BENCHMARK_MAIN();
