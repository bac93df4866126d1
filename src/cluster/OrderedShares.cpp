#include "cluster/OrderedShares.h"

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>

namespace ax {
namespace {

// The shares in flight, in a ring of buffers reused from share to share: share s lives in
// buffer s % window, which is free once share s - window has been taken.
class ShareRing {
 public:
  ShareRing(int count, int window)
      : count_(count), window_(window), buffers_(Index(window)), ready_(Index(window), false) {}

  // The next share to make, or -1 when there is none left or the work stopped. Waits while
  // the ring is full.
  int Claim() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stop_ || next_ >= count_ || next_ < taken_ + window_; });
    if (stop_ || next_ >= count_) return -1;
    return next_++;
  }

  ShareBytes& Buffer(int share) { return buffers_[Index(share % window_)]; }

  void Made(int share) {
    const std::lock_guard lock(mutex_);
    ready_[Index(share % window_)] = true;
    changed_.notify_all();
  }

  // Waits for the share; false when the work stopped first.
  bool AwaitMade(int share) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this, share] { return stop_ || ready_[Index(share % window_)]; });
    return !stop_;
  }

  void Taken(int share) {
    const std::lock_guard lock(mutex_);
    ready_[Index(share % window_)] = false;
    ++taken_;
    changed_.notify_all();
  }

  // Stops every thread at its next claim; the first failure is kept for the caller.
  void Stop(std::exception_ptr failure = nullptr) {
    const std::lock_guard lock(mutex_);
    if (failure && !failure_) failure_ = failure;
    stop_ = true;
    changed_.notify_all();
  }

  std::exception_ptr Failure() {
    const std::lock_guard lock(mutex_);
    return failure_;
  }

 private:
  static std::size_t Index(int i) { return static_cast<std::size_t>(i); }

  const int count_;
  const int window_;
  std::vector<ShareBytes> buffers_;
  std::vector<bool> ready_;
  std::mutex mutex_;
  std::condition_variable changed_;
  int next_ = 0;
  int taken_ = 0;
  bool stop_ = false;
  std::exception_ptr failure_;
};

}  // namespace

int JobsOrCores(int jobs) {
  return jobs > 0 ? jobs : static_cast<int>(std::max(std::thread::hardware_concurrency(), 1U));
}

bool RunOrderedShares(int count, int jobs, const std::function<void(int, ShareBytes&)>& make,
                      const std::function<bool(int, ShareBytes&)>& take) {
  jobs = std::clamp(JobsOrCores(jobs), 1, std::max(count, 1));
  ShareRing ring(count, 2 * jobs);
  const auto work = [&ring, &make] {
    for (int share = ring.Claim(); share >= 0; share = ring.Claim()) {
      try {
        ShareBytes& bytes = ring.Buffer(share);
        bytes.clear();
        make(share, bytes);
      } catch (...) {
        ring.Stop(std::current_exception());
        return;
      }
      ring.Made(share);
    }
  };
  bool complete = false;
  {
    std::vector<std::jthread> threads;
    try {
      for (int job = 0; job < jobs; ++job) threads.emplace_back(work);
      int share = 0;
      while (share < count && ring.AwaitMade(share) && take(share, ring.Buffer(share))) {
        ring.Taken(share++);
      }
      complete = share == count;
    } catch (...) {
      ring.Stop(std::current_exception());
    }
    ring.Stop();  // the threads end at their next claim and are joined here
  }
  if (const std::exception_ptr failure = ring.Failure()) std::rethrow_exception(failure);
  return complete;
}

}  // namespace ax
