// The language file in any encoding: with or without a byte-order mark, broken UTF-8, UTF-16 of
// odd length. Every text read is valid UTF-8; every key the program asks for is looked up; a
// missing key is added as key=key in the file's own encoding and is found afterwards; and no
// byte of the user's file is changed or lost: the new file is the old one with the entry put
// in at one place. The file is a real file on disk, read and written through the files double.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "settings/language.h"
#include "settings/language_file.h"
#include "tests/doubles/fake_system.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/native/temp_folder.h"

namespace {

// Keys the program asks for, one of each kind: the start-up switch, a tab, a lamp, the
// shortcut's name, a long help text and keys with a hyphen, an underscore and lower case.
const char* const kKeys[] = {"OK",
                             "TabFront",
                             "Led1",
                             "AutostartLink",
                             "IDC_REDIAL",
                             "AUTOSTART-HELP",
                             "about_bt_check_update",
                             "urltitle"};

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool IsUtf8(const std::string& text) {
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t size = lead < 0x80                   ? 1
                                 : lead >= 0xC2 && lead < 0xE0 ? 2
                                 : lead >= 0xE0 && lead < 0xF0 ? 3
                                 : lead >= 0xF0 && lead < 0xF5 ? 4
                                                               : 0;
        if (size == 0 || at + size > text.size()) return false;
        char32_t c = lead & (0x7F >> size);
        for (std::size_t i = 1; i < size; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            if ((next & 0xC0) != 0x80) return false;
            c = (c << 6) | (next & 0x3F);
        }
        if ((size == 3 && (c < 0x800 || (c >= 0xD800 && c < 0xE000))) ||
            (size == 4 && (c < 0x10000 || c > 0x10FFFF)))
            return false;
        at += size;
    }
    return true;
}

// Whether after is before with one run of bytes put in somewhere.
bool IsOneInsertion(const std::string& before, const std::string& after) {
    if (after.size() <= before.size()) return false;
    std::size_t head = 0;
    while (head < before.size() && before[head] == after[head]) ++head;
    const std::size_t added = after.size() - before.size();
    return after.compare(head + added, std::string::npos, before, head) == 0;
}

// What a page shows for a value: the line-break marker's tail, then its head, decoded.
std::string Displayed(std::string value) {
    for (const auto& [pattern, replacement] :
         {std::pair<std::string, std::string>{"AK:>", "\n"}, {"<:BRE", "\r"}})
        for (std::size_t at = value.find(pattern); at != std::string::npos;
             at = value.find(pattern, at + replacement.size()))
            value.replace(at, pattern.size(), replacement);
    return value;
}

// The decoding and the entry added, on the bytes alone.
void CheckDecoding(const std::string& bytes) {
    const LanguageFile file(bytes);
    for (const char* key : kKeys) {
        const std::optional<std::string> value = file.Value(key);
        if (value) {
            Require(IsUtf8(*value), "every text read is UTF-8", key + ::Shown(*value));
            continue;
        }
        const std::string added = file.WithEntry(key, key);
        Require(IsOneInsertion(bytes, added), "adding a key changes no byte of the file", key);
        const LanguageFile after(added);
        Require(after.encoding() == file.encoding(), "the entry is in the file's own encoding");
        Require(after.Value(key) == std::optional<std::string>(key), "an added key is found", key);
        for (const char* other : kKeys)
            Require(after.Value(other) ==
                        (other == key ? std::optional<std::string>(key) : file.Value(other)),
                    "adding a key leaves every other value as it was", other);
    }
}

}  // namespace

// The input is the file "german.lng" beside the program.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TempFolder folder;
    FakeSystem system;
    const std::string original(data, data + size);
    CheckDecoding(original);

    const std::string path = folder.WindowsPath("german.lng");
    std::ofstream(folder.HostPath("german.lng"), std::ios::binary | std::ios::trunc) << original;
    LanguageTexts texts(path);
    const LanguageFile user(original);
    texts.ApplyOffSwitch();
    if (original.empty() || (user.Value("OK") && Displayed(*user.Value("OK")) == "nofile")) {
        for (const char* key : kKeys) {
            Require(texts.Text(key) == "English", "no file in use");
            texts.AddMissing({key});
        }
        Require(ReadFile(folder.HostPath("german.lng")) == original, "a file out of force stays");
        return 0;
    }
    const std::string atStart = ReadFile(folder.HostPath("german.lng"));
    for (std::size_t i = 0; i < std::size(kKeys); ++i) {
        const std::string text = texts.Text(kKeys[i]);
        if (const std::optional<std::string> value = user.Value(kKeys[i]))
            Require(text == Displayed(*value), "a present key gives the user's value", kKeys[i]);
        else
            Require(text == (i == 0 ? "OK" : "y"), "a missing key gives y", kKeys[i]);
    }
    Require(ReadFile(folder.HostPath("german.lng")) == atStart, "reading texts writes nothing");
    for (const char* key : kKeys) texts.AddMissing({key});
    const LanguageFile after(ReadFile(folder.HostPath("german.lng")));
    for (const char* key : kKeys) {
        const std::optional<std::string> value = user.Value(key);
        Require(after.Value(key) == (value ? value : std::optional<std::string>(key)),
                "a user's value is never overwritten; a missing one is there as key=key", key);
    }
    return 0;
}
