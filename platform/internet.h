#pragma once

#include <cstdint>
#include <string>

#include "platform/service.h"

// The few requests the keep-alive makes on the internet library, said as what they do.
namespace platform {

using HInternet = std::intptr_t;  // a session, connection or request; 0 is none
using HSignal = std::intptr_t;    // a cancel signal; 0 is none

// How a session reaches the server: through a named proxy (none is named, which the system may
// refuse), or as the system's own internet settings say.
enum class InternetRoute { NamedProxy, SystemSettings };

// A handle is used and closed only by the thread that opened it, never while a call on it runs:
// the library allows nothing else, and it hands a closed handle's value out again.
class IInternet {
  public:
    virtual ~IInternet() = default;
    // A session whose requests carry agent as their user agent.
    virtual HInternet OpenSession(const std::string& agent, InternetRoute route) = 0;
    // A connection to host:port in the session; nothing is sent yet.
    virtual HInternet Connect(HInternet session, const std::string& host, std::uint16_t port) = 0;
    // A request for the head of object that goes over the line every time: past every cache,
    // with no redirect followed; over TLS when secure. Connecting, sending and receiving each
    // give up after timeoutMs.
    virtual HInternet OpenHeadRequest(HInternet connection, const std::string& object, bool secure,
                                      std::uint32_t timeoutMs) = 0;
    // Sends the request and waits for the answer's head, at most waitMs and no longer than until
    // cancel is raised: its HTTP status, or 0 when no status line came (no connection, closed
    // without an answer, timed out, or cancelled). The request may still be running when this
    // returns without a status; closing it is then the only thing left to do with it.
    virtual int Send(HInternet request, HSignal cancel, std::uint32_t waitMs) = 0;
    virtual bool Close(HInternet handle) = 0;

    // A signal that starts lowered and stays raised once raised. Any thread may raise or read
    // it; it is closed once nobody can use it any more.
    virtual HSignal OpenSignal() = 0;
    virtual void Raise(HSignal signal) = 0;
    virtual bool Raised(HSignal signal) = 0;
    virtual void CloseSignal(HSignal signal) = 0;
};

inline IInternet& Internet() {
    return Use<IInternet>();
}

}  // namespace platform
