#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// A language file's bytes as lines of UTF-8 text, and what the program reads from and adds to
// its "[SETTINGS]" section. A file without a byte-order mark is in the system's ANSI code page;
// one with the mark of UTF-8 or UTF-16 (either byte order) is in that encoding. Whatever it
// adds goes in the file's own encoding, and every other byte stays as it was.
class LanguageFile {
  public:
    enum class Encoding { kAnsi, kUtf8, kUtf16Le, kUtf16Be };

    explicit LanguageFile(std::string bytes);

    Encoding encoding() const { return m_encoding; }

    // The value of key in the section: the first such line counts; names compare without case
    // of their ASCII letters, blanks around names and values are dropped, and a value in a
    // pair of quotes loses them. Nothing when the section or the key is missing.
    std::optional<std::string> Value(const std::string& key) const;

    // The file's bytes with the line key=value added at the end of the section, which is added
    // at the end of the file when missing. key and value are ASCII (the program's own keys).
    std::string WithEntry(const std::string& key, const std::string& value) const;

  private:
    struct Line {
        std::string text;  // UTF-8, without its line break
        std::size_t end;   // the offset in the file's bytes just after its line break
        bool broken;       // whether it ends in a line break
    };

    // The line's section name when it opens a section.
    static std::optional<std::string> SectionName(const std::string& line);
    // The index just after the last non-blank line of the section, or nothing without one.
    std::optional<std::size_t> SectionEnd() const;
    std::string Encoded(const std::string& ascii) const;

    std::string m_bytes;
    Encoding m_encoding = Encoding::kAnsi;
    std::vector<Line> m_lines;
};
