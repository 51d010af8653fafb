#pragma once

#include <cstddef>

// Copies text into a buffer of size bytes (size > 0), cut to fit and always terminated.
// Returns the length of text, so a result of size or more means the copy was cut.
std::size_t CopyBounded(char* target, std::size_t size, const char* text);
