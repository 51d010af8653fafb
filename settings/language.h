#pragma once

#include <string>

// User-interface texts from "german.lng" beside the program, when that file is there.
class LanguageTexts {
  public:
    explicit LanguageTexts(std::string filePath);

    // The start-up check of the file's "OK" text: "nofile" makes the file count as absent for
    // the rest of the run, so it is neither read nor filled and no page switches back to it.
    void ReadSwitch();

    // The text for key, or "English" when the file is absent or empty. A key the file lacks
    // gives "y" and is added to the file as key=key.
    std::string Text(const char* key);

    // As Text, for texts where "y" or "English" would do harm: english stands in when the file
    // is not in force or lacks the key (which is added to the file all the same).
    std::string TextOr(const char* key, const std::string& english);

    // Whether the last lookup found the file in force: the German edition, with its texts.
    bool InForce() const { return m_inForce; }

  private:
    std::string LookUp(const char* key, bool* missing);

    std::string m_filePath;
    bool m_inForce = false;
    bool m_switchedOff = false;
};
