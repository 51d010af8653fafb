#pragma once

#include <cstddef>
#include <string>

// Lengths of UTF-8 text in the system's characters (UTF-16 units), the measure of an edit
// field's limit and of a text the registry holds.

std::size_t Utf16Length(const std::string& utf8);

// The longest start of utf8 that is at most `units` long, never cut inside a character.
std::string CutToUtf16Length(const std::string& utf8, std::size_t units);
