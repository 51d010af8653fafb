#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "history/history_file.h"
#include "history/line_period.h"

// A change of the probe's result while switched on, which the user is told of.
struct LineChange {
    bool online;
    std::int64_t downSeconds;  // how long the line was down, when it is back
};

// The record of the line's periods for the user: a period begins at switch-on, at each change of
// the probe's result and at switch-off, and ends at the next of these or at the end of the run.
// Every finished period becomes a row of the history file; the open one is kept in a small record
// so that a killed run's period is written by the next run. Rows a locked file held back wait
// for the next chance; nothing here ever waits on the file.
class LineHistory {
  public:
    // The start of the user's own run: what an earlier run left goes into the file. Nothing
    // counts before this, so a second start that only hands over touches nothing.
    void Begin();
    void SwitchOn();
    // A probe result while switched on; the change the user is told of, when it is one.
    std::optional<LineChange> Result(bool online);
    void SwitchOff();
    // Exit, the end of the Windows session or of the run: the open period is written.
    void End();
    // Rows held back are tried again.
    void Retry();
    // The file with every row so far, made with its head when there is none yet; "" when the
    // system gives no folder for it.
    std::string PreparedFile();
    // "" as for PreparedFile.
    std::string FilePath() { return m_file.Path(); }

    const std::optional<LinePeriod>& Open() const { return m_open; }
    // True once per run, after a write failed for another reason than a lock.
    bool TakeFailure();

  private:
    void Finish(std::int64_t end);
    void Start(LineState state, std::int64_t now, int probes);
    void Flush();
    void KeepRecord();

    HistoryFile m_file;
    std::optional<LinePeriod> m_open;
    std::string m_pending;  // finished rows the file has not taken yet
    std::int64_t m_recordKept = 0;
    bool m_running = false;
    bool m_failed = false;
    bool m_told = false;
};
