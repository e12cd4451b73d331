#include "thread_priority.h"

namespace kavir {

// Real-time scheduling needs privileges a desktop user rarely has, and a
// failed attempt helps nobody; the blocking waits keep the timing anyway.
void SetCurrentThreadPriority(ThreadPriority) {}

}  // namespace kavir
