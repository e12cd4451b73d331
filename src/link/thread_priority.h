#pragma once
// Raising the calling thread for the duration of a transfer. Where the
// platform offers nothing suitable this does nothing: the waits block on the
// line, so the transfer does not depend on it.
namespace kavir {

enum class ThreadPriority { Normal = 0, TimeCritical = 15 };

void SetCurrentThreadPriority(ThreadPriority priority);

}  // namespace kavir
