#pragma once

#include <windows.h>

#include <string>

// A program the benchmark starts and watches from outside; ended when this object goes.
class ChildProgram {
  public:
    ChildProgram(const std::string& exe, const std::string& arguments);
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;
    ~ChildProgram();

    bool Started() const { return m_process.hProcess != nullptr; }
    // Waits for the program's first visible top-level window; false after timeoutMs.
    bool WaitForVisibleWindow(int timeoutMs);
    HWND Window() const { return m_window; }
    // From the start call to the window's first being seen.
    double ShownAfterMs() const { return m_shownAfterMs; }
    // User and kernel time the program has used so far.
    double CpuSeconds() const;
    double ResidentMegabytes() const;

  private:
    PROCESS_INFORMATION m_process{};
    LARGE_INTEGER m_startedAt{};
    HWND m_window = nullptr;
    double m_shownAfterMs = 0;
};

// Milliseconds since an earlier QueryPerformanceCounter reading.
double MillisecondsSince(LARGE_INTEGER start);
