#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/doubles/fake_registry.h"

// A fuzz input written as readable lines, so seeds can be read and edited by hand:
//   [HKCU\Software\Some\Key]      the key the following values go to
//   Name=dword:0x80000000         a 4-byte REG_DWORD
//   Name=sz:some text             a REG_SZ with its terminator
//   Name=raw(7):text              the text's bytes exactly, no terminator, with the given type
//   Name=hex(3):01 00 ff          any bytes with the given type ("hex:" alone is REG_BINARY)
//   @=sz:text                     the key's default value
//   !word the rest of the line    a step or setting of the target
// Anything else is ignored, so any mutation still parses.
struct ScriptLine {
    bool isValue = false;
    std::string word;  // a step: the word after "!"
    std::string rest;  // a step: the text after the word and one blank
    std::string path;  // a value: its key
    std::string name;  // a value: "" for the default value
    FakeRegistry::Value value;
};

std::vector<ScriptLine> ParseScript(const std::uint8_t* data, std::size_t size,
                                    const std::string& firstKey);

// The lines of data, split at line feeds, each without a carriage return at its end.
std::vector<std::string> SplitLines(const std::string& text);

// Puts one value line into the registry.
void PutValue(FakeRegistry& registry, const ScriptLine& line);
