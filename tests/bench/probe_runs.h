#pragma once

#include <string>

// The program's own probe and its plain-WinINet baseline, run inside the benchmark process.

// Points the probe at url, as the settings would.
void AimProbe(const std::string& url);
// One probe through the program's step, polled until its result comes; milliseconds, or -1
// when none came within timeoutMs.
double TimedProbe(int timeoutMs = 60000);
// InternetOpenA + InternetOpenUrlA + two closes on a new worker thread, polled the same way.
double TimedRawRequest(const std::string& url);

struct ProcessCounts {
    unsigned long handles;
    double privateBytes;
    unsigned long threads;
};
// Returns once no more threads than idleThreads run in this process.
void WaitForThreadsToEnd(unsigned long idleThreads);
// This process's handles, private bytes and threads, once no probe runs.
ProcessCounts SampleOwnProcess();
