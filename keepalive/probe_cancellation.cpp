#include "keepalive/probe_cancellation.h"

ProbeCancellation::ProbeCancellation()
    : m_internet(platform::Internet()), m_signal(m_internet.OpenSignal()) {}

ProbeCancellation::~ProbeCancellation() {
    if (m_signal != 0) m_internet.CloseSignal(m_signal);
}

void ProbeCancellation::Cancel() {
    m_internet.Raise(m_signal);
}

bool ProbeCancellation::Cancelled() const {
    return m_internet.Raised(m_signal);
}
