#pragma once

#include <cstddef>
#include <functional>

namespace trochodraw {

// Runs Body(0) ... Body(Count - 1) on Threads threads (0: one per core), the calling thread
// among them, and returns when all are done. The first exception a body raises stops the
// handing out of further indexes and is raised again here.
void ParallelFor(size_t Count, int Threads, const std::function<void(size_t)>& Body);

}  // namespace trochodraw
