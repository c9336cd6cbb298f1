// parallel.cpp: workers over a shared counter of items.
#include "base/parallel.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace cbst {

int CoreCount() {
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

WorkCounter::WorkCounter(int count, int run_length)
    : count_(std::max(count, 0)), run_length_(std::max(run_length, 1)) {}

bool WorkCounter::Take(int& begin, int& end) {
  begin = next_.fetch_add(run_length_, std::memory_order_relaxed);
  if (begin >= count_) return false;
  end = std::min(begin + run_length_, count_);
  return true;
}

void RunWorkers(int workers, const std::function<void(int worker)>& work) {
  std::vector<std::jthread> threads;
  threads.reserve(static_cast<std::size_t>(std::max(workers - 1, 0)));
  for (int worker = 1; worker < workers; ++worker)
    threads.emplace_back([&work, worker] { work(worker); });
  work(0);
}

void ParallelRuns(int count, int run_length, int workers,
                  const std::function<void(int begin, int end)>& body) {
  if (workers <= 0) workers = CoreCount();
  const int runs = (count + std::max(run_length, 1) - 1) / std::max(run_length, 1);
  WorkCounter counter(count, run_length);
  RunWorkers(std::min(workers, runs), [&](int) {
    int begin = 0, end = 0;
    while (counter.Take(begin, end))
      body(begin, end);
  });
}

}  // namespace cbst
