#pragma once

#include <initializer_list>
#include <optional>
#include <string>

// User-interface texts from "german.lng" beside the program, when that file is there. Reading a
// text changes nothing; the file learns the keys the program uses, and whether it is in force is
// taken anew, only through the calls named for that.
class LanguageTexts {
  public:
    explicit LanguageTexts(std::string filePath);

    // The start-up step: takes whether the file is in force and adds its "OK" key when it lacks
    // it; the text "nofile" there makes the file count as absent for the rest of the run, so it
    // is neither read nor filled and no page switches back to it.
    void ApplyOffSwitch();

    // Takes anew whether the file is in force: there, not empty, and not switched off.
    void Refresh();

    // Whether the file was in force at the latest Refresh (or the start-up step): the German
    // edition, with its texts.
    bool InForce() const { return m_inForce; }

    // Adds key=key to the file for each of keys it lacks, in their order, so that whoever
    // translates it finds every key the program asked for. Nothing when the file is not in
    // force now, whatever InForce says.
    void AddMissing(std::initializer_list<const char*> keys);

    // The text for key, or "English" when the file is not in force now. A key the file lacks
    // gives "y".
    std::string Text(const char* key) const;

    // As Text, for texts where "y" or "English" would do harm: english stands in when the file
    // is not in force or lacks the key.
    std::string TextOr(const char* key, const std::string& english) const;

  private:
    // The file's bytes while it is in force.
    std::optional<std::string> ReadInForce() const;
    // The text for key; absent when the file is not in force now, missing when it lacks key.
    std::string Find(const char* key, const std::string& absent, const std::string& missing) const;

    std::string m_filePath;
    bool m_inForce = false;
    bool m_switchedOff = false;
};
