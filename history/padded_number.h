#pragma once

#include <string>

// value in decimal, with leading zeros up to width digits. Written by hand: the C library's
// formatted printing would bring its whole floating-point machinery into the program.
std::string PaddedNumber(int value, std::size_t width);
