#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/language_file.h"

// User-interface texts from "german.lng" beside the program, when that file is there. The file
// is read at each Refresh and the texts come from that reading; the file learns the keys the
// program uses through AddMissing and Take.
class LanguageTexts {
  public:
    explicit LanguageTexts(std::string filePath);

    // The start-up step: reads whether the file is in use and adds its "OK" key when it lacks
    // it; the text "nofile" there makes the file count as absent for the rest of the run, so it
    // is neither read nor filled and no page switches back to it.
    void ApplyOffSwitch();

    // Reads the file again: it is in use when it is there, not empty, and not switched off.
    void Refresh();

    // Whether the file was in use at the latest Refresh (or the start-up step): the German
    // edition, with its texts.
    bool InUse() const { return m_file.has_value(); }

    // Adds key=key to the file for each of keys it lacks, in their order, so that whoever
    // translates it finds every key the program asked for. A key missing from the latest
    // reading is looked for in the file as it is on disk now: nothing is written when the file
    // is not in use there, and a write that failed (a read-only file) is tried again next time.
    void AddMissing(const std::vector<const char*>& keys);

    // The text for key from the latest reading, or "English" when the file was not in use. A
    // key the file lacks gives "y".
    std::string Text(const char* key) const;

    // As Text, for texts where "y" or "English" would do harm: english stands in when the file
    // is not in use or lacks the key.
    std::string TextOr(const char* key, const std::string& english) const;

    // What a window does when it puts up its texts: with the file in use at the latest reading,
    // reads it again, gives the texts for keys in their order (each "English" when the file has
    // gone since) and adds the keys it lacks, in that order. Nothing when it was not in use.
    std::vector<std::string> Take(const std::vector<const char*>& keys);

  private:
    // The file's bytes while it is in use.
    std::optional<std::string> ReadInUse() const;
    // The text for key; absent when the file is not in use, missing when it lacks key.
    std::string Find(const char* key, const std::string& absent, const std::string& missing) const;
    // Writes key=key into the file on disk when it lacks it. False only when the file is not in
    // use, which ends the adding; a write that fails goes on to the next key.
    bool AddToFile(const char* key);

    std::string m_filePath;
    std::optional<LanguageFile> m_file;  // the latest reading while the file is in use
    bool m_switchedOff = false;
};
