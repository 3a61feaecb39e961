// How rowmill reads its row count: strtol in base 10, then clamped to the 32-bit signed range,
// as a runtime with a 32-bit long would clamp it. Where long has 64 bits the clamp is ours.
#pragma once

#include <climits>
#include <cstdint>
#include <cstdlib>

inline std::int32_t parse_row_count(const char* text) {
    const long value = std::strtol(text, nullptr, 10);
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<std::int32_t>(value);
}
