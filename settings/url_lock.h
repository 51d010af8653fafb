#pragma once

#include <mutex>

// g_szURL1, g_strURL and g_strURL2 are changed on the user-interface thread while a probe's
// worker may be copying them. Every change of them, and the worker's copy, holds this lock:
//     const auto urls = LockUrls();
[[nodiscard]] std::unique_lock<std::mutex> LockUrls();
