// Memory and string routines for a program without a C runtime, with the contracts of memcpy,
// memmove, strlen and strcmp. string_length needs AVX2 and string_compare needs BMI1; both read
// past the end of their strings on purpose, never past the page that holds the terminating NUL.
#pragma once

#include <cstdint>

char* mem_copy(char* destination, const char* source, std::uint64_t length);
char* mem_move(char* destination, const char* source, std::uint64_t length);
std::uint64_t string_length(const char* text);
int string_compare(const char* left, const char* right);
