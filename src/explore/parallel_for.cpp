#include "explore/parallel_for.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace trochodraw {

void ParallelFor(size_t Count, int Threads, const std::function<void(size_t)>& Body) {
  if (Threads <= 0) Threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const size_t threads = std::min<size_t>(static_cast<size_t>(Threads), std::max<size_t>(Count, 1));
  std::atomic<size_t> next{0};
  std::exception_ptr failure;
  std::mutex failureLock;
  const auto work = [&] {
    try {
      for (size_t i = next++; i < Count; i = next++) Body(i);
    } catch (...) {
      next = Count;
      const std::lock_guard lock(failureLock);
      if (!failure) failure = std::current_exception();
    }
  };
  {
    std::vector<std::jthread> workers;
    for (size_t i = 1; i < threads; ++i) workers.emplace_back(work);
    work();
  }
  if (failure) std::rethrow_exception(failure);
}

}  // namespace trochodraw
