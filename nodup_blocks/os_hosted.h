// The operating-system calls of nodup_blocks mapped onto the C library, for the variant that runs
// under the sanitizers: the same opening rules, locks and exit statuses as os_linux.h, with the region
// taken from the allocator so that the sanitizer knows its bounds.
#pragma once

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>

namespace os {

using file = int;
using name_char = char;
inline constexpr file no_file = -1;

inline file open_input(const name_char* name) {
    const int descriptor = ::open(name, O_RDONLY | O_CLOEXEC);
    if (descriptor < 0 || ::flock(descriptor, LOCK_EX | LOCK_NB) != 0) return no_file;
    return descriptor;
}

inline file create_output(const name_char* name) {
    const int descriptor = ::open(name, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0 || ::flock(descriptor, LOCK_EX | LOCK_NB) != 0) return no_file;
    if (::ftruncate(descriptor, 0) != 0 && errno != EINVAL) return no_file;
    return descriptor;
}

inline char* take_region(std::uint64_t size) { return static_cast<char*>(std::malloc(size)); }

inline long read_file(file input, char* destination, std::uint32_t count) {
    long result;
    do result = ::read(input, destination, count);
    while (result < 0 && errno == EINTR);
    return result < 0 ? -1 : result;
}

inline bool write_file(file output, const char* source, std::uint32_t count) {
    while (count > 0) {
        const long written = ::write(output, source, count);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        source += written;
        count -= static_cast<std::uint32_t>(written);
    }
    return true;
}

[[noreturn]] inline void exit_process(std::uint32_t status) { ::_exit(static_cast<int>(status)); }

}  // namespace os
