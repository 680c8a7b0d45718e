// TEMPORARY: stands in for the input core until it is merged; delete then.
// Keeps the window messages in a small ring that the tests can read back.
#include <time.h>

#include <mutex>

#include "w32inp.h"

const struct _GR_inputHost *_GrInputHost = nullptr;

namespace {
std::mutex ring_lock;
W32Event ring[64];
unsigned ring_read = 0, ring_write = 0;
}  // namespace

void EnqueueW32Event(int msg, uint64_t wparam, int64_t lparam, int key_state)
{
    std::lock_guard<std::mutex> g(ring_lock);
    ring[ring_write++ % 64] = W32Event{msg, wparam, lparam, key_state};
    if (ring_write - ring_read > 64)
        ring_read = ring_write - 64;
}

// TEMPORARY test hook: the oldest message; 0 when there is none
extern "C" int _GrStubTakeW32Event(W32Event *out)
{
    std::lock_guard<std::mutex> g(ring_lock);
    if (ring_read == ring_write)
        return 0;
    *out = ring[ring_read++ % 64];
    return 1;
}

void _GrSleepMs(int ms)
{
    timespec ts{ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&ts, nullptr);
}

int64_t _GrClockMs(void)
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}
