// A stand-in for the display retrace on platforms where the library's vsync()
// does not wait for one (X11): a simulated 60 Hz display whose retraces fall on
// the 1/60 s boundaries of the monotonic clock. It sleeps, never spins.
#include "zephyrun.h"

#include <time.h>
#include <cerrno>

namespace zephyrun {

void simulated_retrace_wait() {
  constexpr long long nanos_per_second = 1000000000LL;
  constexpr long long retraces_per_second = 60;
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  long long t = now.tv_sec * nanos_per_second + now.tv_nsec;
  long long retrace = t * retraces_per_second / nanos_per_second + 1;
  // Ceiling, so the sleep ends at or just past the boundary, never before it.
  long long next = (retrace * nanos_per_second + retraces_per_second - 1) / retraces_per_second;
  timespec until{static_cast<time_t>(next / nanos_per_second),
                 static_cast<long>(next % nanos_per_second)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
  }
}

}  // namespace zephyrun
