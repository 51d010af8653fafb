#include "history/line_period.h"

const char* StateName(LineState state) {
    switch (state) {
        case LineState::kOnline:
            return "online";
        case LineState::kOffline:
            return "offline";
        case LineState::kOff:
            break;
    }
    return "off";
}
