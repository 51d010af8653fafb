#include "tests/fuzz/script.h"

#include <cstdlib>
#include <cstring>

namespace {

bool TakePrefix(std::string& text, const char* prefix) {
    const std::size_t length = std::strlen(prefix);
    if (text.compare(0, length, prefix) != 0) return false;
    text.erase(0, length);
    return true;
}

// "(<number>):" after a kind; the type, or false.
bool TakeType(std::string& text, std::uint32_t* type) {
    if (TakePrefix(text, ":")) return true;
    if (!TakePrefix(text, "(")) return false;
    const std::size_t close = text.find("):");
    if (close == std::string::npos) return false;
    *type = static_cast<std::uint32_t>(std::strtoul(text.substr(0, close).c_str(), nullptr, 0));
    text.erase(0, close + 2);
    return true;
}

std::vector<std::uint8_t> HexBytes(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    int high = -1;
    for (const char c : text) {
        const char* digits = "0123456789abcdef";
        const char* at = std::strchr(digits, c | 0x20);
        if (c == '\0' || !at) continue;
        const int digit = static_cast<int>(at - digits);
        if (high < 0) {
            high = digit;
        } else {
            bytes.push_back(static_cast<std::uint8_t>(high * 16 + digit));
            high = -1;
        }
    }
    return bytes;
}

bool ParseValue(std::string data, FakeRegistry::Value* value) {
    if (TakePrefix(data, "dword:")) {
        const auto number = static_cast<std::uint32_t>(std::strtoul(data.c_str(), nullptr, 0));
        value->type = FakeRegistry::kNumber;
        value->bytes.resize(4);
        std::memcpy(value->bytes.data(), &number, 4);
        return true;
    }
    if (TakePrefix(data, "sz:")) {
        value->type = FakeRegistry::kText;
        value->bytes.assign(data.begin(), data.end());
        value->bytes.push_back(0);
        return true;
    }
    value->type = FakeRegistry::kBinary;
    if (TakePrefix(data, "raw") && TakeType(data, &value->type)) {
        value->bytes.assign(data.begin(), data.end());
        return true;
    }
    if (TakePrefix(data, "hex") && TakeType(data, &value->type)) {
        value->bytes = HexBytes(data);
        return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<ScriptLine> ParseScript(const std::uint8_t* data, std::size_t size,
                                    const std::string& firstKey) {
    std::vector<ScriptLine> script;
    std::string key = firstKey;
    for (const std::string& text : SplitLines(std::string(data, data + size))) {
        ScriptLine line;
        if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
            key = text.substr(1, text.size() - 2);
        } else if (text.size() >= 2 && text.front() == '!') {
            const std::size_t blank = text.find(' ');
            line.word = text.substr(1, blank == std::string::npos ? std::string::npos : blank - 1);
            line.rest = blank == std::string::npos ? "" : text.substr(blank + 1);
            script.push_back(line);
        } else if (const std::size_t equals = text.find('='); equals != std::string::npos) {
            line.isValue = true;
            line.path = key;
            line.name = text.substr(0, equals);
            if (line.name == "@") line.name.clear();
            if (ParseValue(text.substr(equals + 1), &line.value)) script.push_back(line);
        }
    }
    return script;
}

void PutValue(FakeRegistry& registry, const ScriptLine& line) {
    registry.PutRaw(line.path, line.name, line.value.type, line.value.bytes);
}
