#pragma once

#include <string>

#include "platform/registry.h"

// A value store over a registry key or a profile file's section "SETTINGS".

inline constexpr int kStoreOk = 0;
inline constexpr int kStoreWriteFailed = -1;
inline constexpr int kStoreOneCharacter = -2;
inline constexpr int kStoreEmpty = -3;

// A profile read fills at most this many bytes, terminator included. A registry read takes a
// text of up to kUrlMaxLength characters, the whole buffer.
inline constexpr unsigned kStoreReadSize = 299;

// buffer holds at least 300 bytes. Returns one of the kStore codes; registry mode is always 0.
// A registry read gives defaultText for a value that is not REG_SZ or does not fit.
int StoreString(platform::Key key, bool profileMode, const char* profilePath, const char* valueName,
                char* buffer, const char* defaultText, int direction);

// A registry read gives defaultValue for a value that is not a REG_DWORD of four bytes.
int StoreDword(platform::Key key, bool profileMode, const char* profilePath, const char* valueName,
               int& value, int defaultValue, int direction);

// Replaces every occurrence of pattern, left to right, without overlaps.
void ReplaceAll(std::string& text, const std::string& pattern, const std::string& replacement);
