#include "thread_priority.h"

#include <windows.h>

namespace kavir {

void SetCurrentThreadPriority(ThreadPriority priority) {
  ::SetThreadPriority(::GetCurrentThread(), priority == ThreadPriority::TimeCritical ? THREAD_PRIORITY_TIME_CRITICAL
                                                                                     : THREAD_PRIORITY_NORMAL);
}

}  // namespace kavir
