#include "settings/bounded_copy.h"

#include <cstring>

std::size_t CopyBounded(char* target, std::size_t size, const char* text) {
    const std::size_t length = std::strlen(text);
    const std::size_t kept = length < size ? length : size - 1;
    std::memmove(target, text, kept);
    target[kept] = '\0';
    return length;
}
