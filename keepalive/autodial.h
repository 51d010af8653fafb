#pragma once

#include <mutex>
#include <optional>
#include <set>
#include <vector>

#include "keepalive/registry_value.h"

struct AutodialValues;

// Switches the system's autodial off around a probe and puts the user's values back after it.
// Any thread; a worker may still hold it when the program ends, so workers share its ownership.
class AutodialSwitch {
  public:
    // Switches autodial off for the probe `owner`, after keeping the user's values in memory
    // and in the program's own key; when autodial is off already, `owner` holds it off too and
    // the values kept stay the user's. False once the program is ending: the user's values are
    // back for good, so no request may go out.
    bool SwitchOff(unsigned owner);
    // `owner` has closed its handles; the user's values go back once no probe holds autodial
    // off any more, so a dropped probe still closing keeps it off for its last moments.
    void SwitchBack(unsigned owner);

    // Puts the user's values back when the program ends while a probe has autodial switched
    // off; afterwards the switch does nothing, so a worker still running cannot write again.
    void RestoreAtExit();
    // The session end that RestoreAtExit answered was cancelled: the run goes on, and its
    // probes switch autodial again.
    void Reopen();
    // At start-up: puts back the user's values that an earlier run switched off and could not
    // restore (killed, crashed, the session ended), from the record in the program's own key.
    void Repair();

    // True on the NT family; *major receives the major version. Asks the system once.
    bool IsWinNT(int* major);

  private:
    const AutodialValues* ValuesOfThisSystem();
    bool IsWinNTLocked(int* major);
    void SwitchOffLocked(const AutodialValues& values, unsigned owner);
    void WriteBack(const AutodialValues& values);

    struct SystemVersion {
        bool nt;
        int major;
    };

    std::mutex m_lock;  // guards everything below
    // The probes holding autodial off; while there is one, the user's values are out of the
    // registry.
    std::set<unsigned> m_holders;
    std::vector<RegistryValue> m_userValues;  // exactly as the switch-off found them
    bool m_closing = false;  // the program is ending: the switch is not touched any more
    std::optional<SystemVersion> m_version;  // once asked
};
