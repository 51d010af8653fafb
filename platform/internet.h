#pragma once

#include <cstdint>
#include <string>

#include "platform/service.h"

// The few requests the keep-alive makes on the internet library, said as what they do.
namespace platform {

using HInternet = std::intptr_t;  // a session, connection or request; 0 is none

// How a session reaches the server: through a named proxy (none is named, which the system may
// refuse), or as the system's own internet settings say.
enum class InternetRoute { NamedProxy, SystemSettings };

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
    // Sends the request and waits for the answer's head: its HTTP status, or 0 when no status
    // line came (no connection, closed without an answer, timed out, or the handle was closed).
    virtual int Send(HInternet request) = 0;
    // Any thread. On Windows this ends a Send blocked on the handle at once.
    virtual bool Close(HInternet handle) = 0;
};

inline IInternet& Internet() {
    return Use<IInternet>();
}

}  // namespace platform
