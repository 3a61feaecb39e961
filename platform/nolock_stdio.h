// The C runtime's stream calls that take no stream lock, under their Windows names.
// The programs call crt::_fwrite_nolock and friends; this header is the one place that
// says what stands behind them on each platform.
#pragma once

#include <cstddef>
#include <cstdio>

namespace crt {

#if defined(_WIN32)

using ::_fwrite_nolock;
using ::_getc_nolock;
using ::_putc_nolock;

#else  // glibc names its unlocked calls *_unlocked.

inline std::size_t _fwrite_nolock(const void* data, std::size_t size, std::size_t count, std::FILE* stream) {
    return ::fwrite_unlocked(data, size, count, stream);
}

inline int _getc_nolock(std::FILE* stream) { return getc_unlocked(stream); }

inline int _putc_nolock(int byte, std::FILE* stream) { return putc_unlocked(byte, stream); }

#endif

}  // namespace crt
