// The operating-system calls of nodup_blocks on Linux x86-64, made straight from user space with no
// C runtime. Each stands in for one Windows call:
//   open_input     CreateFileW(GENERIC_READ, share 0, OPEN_EXISTING)   openat + flock
//   create_output  CreateFileW(GENERIC_WRITE, share 0, CREATE_ALWAYS)  openat + flock + ftruncate
//   take_region    VirtualAllocEx(MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)  mmap, anonymous private
//   read_file      ReadFile       read
//   write_file     WriteFile      write, repeated until all is written
//   exit_process   ExitProcess    exit_group
// Share mode 0 becomes an exclusive, non-blocking advisory lock.
//
// System-call convention: number in rax; arguments in rdi, rsi, rdx, r10, r8, r9; the kernel
// clobbers rcx and r11; the result comes back in rax, from -4095 to -1 for an error.
#pragma once

#include <cstdint>

namespace os {

using file = long;
using name_char = char;  // file names as the kernel takes them (UTF-16 for CreateFileW)
inline constexpr file no_file = -1;

namespace linux_abi {
constexpr long sys_read = 0, sys_write = 1, sys_mmap = 9, sys_flock = 73, sys_ftruncate = 77;
constexpr long sys_exit_group = 231, sys_openat = 257;
constexpr long at_fdcwd = -100;
constexpr long o_rdonly = 0, o_wronly = 1, o_creat = 0100, o_cloexec = 02000000;
constexpr long lock_ex = 2, lock_nb = 4;
constexpr long prot_read = 1, prot_write = 2, map_private = 2, map_anonymous = 0x20;
constexpr long new_file_mode = 0666;  // less the umask
constexpr long error_interrupted = -4, error_invalid = -22;

inline long system_call(long number, long a = 0, long b = 0, long c = 0, long d = 0, long e = 0, long f = 0) {
    register long r10 asm("r10") = d;
    register long r8 asm("r8") = e;
    register long r9 asm("r9") = f;
    long result;
    asm volatile("syscall"
                 : "=a"(result)
                 : "a"(number), "D"(a), "S"(b), "d"(c), "r"(r10), "r"(r8), "r"(r9)
                 : "rcx", "r11", "memory");
    return result;
}

inline bool failed(long result) { return result < 0 && result >= -4095; }

inline file open_locked(const name_char* name, long flags) {
    const long descriptor = system_call(sys_openat, at_fdcwd, reinterpret_cast<long>(name), flags, new_file_mode);
    if (failed(descriptor)) return no_file;
    if (failed(system_call(sys_flock, descriptor, lock_ex | lock_nb))) return no_file;
    return descriptor;
}
}  // namespace linux_abi

inline file open_input(const name_char* name) {
    using namespace linux_abi;
    return open_locked(name, o_rdonly | o_cloexec);
}

// Truncated only once its lock is held. A device such as /dev/null cannot be truncated and is
// written as it is.
inline file create_output(const name_char* name) {
    using namespace linux_abi;
    const file descriptor = open_locked(name, o_wronly | o_creat | o_cloexec);
    if (descriptor == no_file) return no_file;
    const long truncated = system_call(sys_ftruncate, descriptor, 0);
    if (failed(truncated) && truncated != error_invalid) return no_file;
    return descriptor;
}

inline char* take_region(std::uint64_t size) {
    using namespace linux_abi;
    const long address = system_call(sys_mmap, 0, static_cast<long>(size), prot_read | prot_write,
                                     map_private | map_anonymous, -1, 0);
    return failed(address) ? nullptr : reinterpret_cast<char*>(address);
}

// The count read, 0 at the end of the file, or -1.
inline long read_file(file input, char* destination, std::uint32_t count) {
    using namespace linux_abi;
    long result;
    do result = system_call(sys_read, input, reinterpret_cast<long>(destination), count);
    while (result == error_interrupted);
    return failed(result) ? -1 : result;
}

// Like a synchronous WriteFile: all of it, or a failure.
inline bool write_file(file output, const char* source, std::uint32_t count) {
    using namespace linux_abi;
    while (count > 0) {
        const long written = system_call(sys_write, output, reinterpret_cast<long>(source), count);
        if (written == error_interrupted) continue;
        if (failed(written) || written == 0) return false;
        source += written;
        count -= static_cast<std::uint32_t>(written);
    }
    return true;
}

[[noreturn]] inline void exit_process(std::uint32_t status) {
    using namespace linux_abi;
    for (;;) system_call(sys_exit_group, static_cast<std::int32_t>(status));
}

}  // namespace os
