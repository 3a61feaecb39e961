// For the hosted variant only: the copies go through the C library, whose calls the sanitizer checks
// for bounds and overlap (it cannot see into rep movsb). The real routines are tested on their own.

#include <cstring>

#include "freestanding.h"

char* mem_copy(char* destination, const char* source, std::uint64_t length) {
    return static_cast<char*>(std::memcpy(destination, source, length));
}

char* mem_move(char* destination, const char* source, std::uint64_t length) {
    return static_cast<char*>(std::memmove(destination, source, length));
}
