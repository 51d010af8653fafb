#pragma once

#include <string>

// What a lamp tells a screen reader beyond its caption: whether it is lit, in the user's words.
struct LampFacts {
    bool lit = false;
    std::string litText;
    std::string unlitText;
};
