// parallel.h: spreading independent pieces of work over the machine's cores.
//
// Work is split into numbered items; each worker takes runs of items from a
// shared counter until none are left, so a slow run does not hold the
// others up. The calling thread is one of the workers.
#pragma once

#include <atomic>
#include <functional>

namespace cbst {

// How many workers the machine runs at once: one per core, at least one.
int CoreCount();

// Hands out the items [0, count) in runs of `run_length`.
class WorkCounter {
 public:
  WorkCounter(int count, int run_length);
  // The next run [begin, end); false when every item has been handed out.
  bool Take(int& begin, int& end);

 private:
  std::atomic<int> next_{0};
  const int count_;
  const int run_length_;
};

// Calls work(worker) once for each worker 0 .. workers - 1, worker 0 on the
// calling thread and the others on threads of their own, and returns when
// all have returned. One worker (or fewer) runs on the calling thread only.
void RunWorkers(int workers, const std::function<void(int worker)>& work);

// Calls body(begin, end) over runs of [0, count) on up to `workers`
// workers (0: one per core).
void ParallelRuns(int count, int run_length, int workers,
                  const std::function<void(int begin, int end)>& body);

}  // namespace cbst
