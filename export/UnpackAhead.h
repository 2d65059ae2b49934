// Unpacks the packed pixel rows of the pictures a routine is about to write, on a thread of its
// own, a few pictures ahead of the writes. Unpacking costs about as much as writing the files,
// so on two cores the two overlap and a run takes about the time of its writes alone. The files
// are still written one by one, in order, on the calling thread. A routine writes most pictures
// into two or three folders in a row; a picture met again while its rows wait or were just
// taken is not unpacked again.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "forms/Picture.h"

namespace varnel {

class UnpackAhead {
 public:
  UnpackAhead() = default;
  UnpackAhead(const UnpackAhead&) = delete;
  UnpackAhead& operator=(const UnpackAhead&) = delete;
  ~UnpackAhead() { Stop(); }

  // Starts unpacking the packed ones among `coming`, in this order; ends an earlier start.
  void Start(const std::vector<forms::TGraphic>& coming);
  // Ends the unpacking and drops whatever was unpacked and not taken.
  void Stop();

  // Unpacked rows, shared by the writes of one picture into further folders. Not zeroed first:
  // unpacking writes every byte.
  class Buffer {
   public:
    explicit Buffer(std::size_t size) : bytes_(new std::uint8_t[size]), size_(size) {}
    std::span<std::uint8_t> Bytes() { return {bytes_.get(), size_}; }
    std::span<const std::uint8_t> Bytes() const { return {bytes_.get(), size_}; }

   private:
    std::unique_ptr<std::uint8_t[]> bytes_;
    std::size_t size_;
  };
  using Rows = std::shared_ptr<const Buffer>;
  // The unpacked rows of `graphic` when it is the next packed picture of the order, waiting for
  // them if need be. Null when it is not, or when unpacking it failed: then the caller unpacks
  // it itself (and meets the error itself), and nothing more is unpacked ahead.
  Rows Take(const forms::TGraphic& graphic);

 private:
  void Work();
  void StopLocked(std::unique_lock<std::mutex>& lock);

  // At most this many pictures, or this many bytes beyond the first, wait unpacked.
  static constexpr std::size_t kPicturesAhead = 16;
  static constexpr std::size_t kBytesAhead = 8u << 20;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<forms::TGraphic> coming_;  // the packed pictures, in order
  std::size_t unpacked_ = 0;             // how many the worker has begun
  std::size_t taken_ = 0;                // how many the writer has taken
  std::size_t bytesWaiting_ = 0;
  std::deque<Rows> ready_;  // null where unpacking failed
  // The last few pictures unpacked, by their packed bytes, for pictures written again.
  static constexpr std::size_t kRemembered = 4;
  std::deque<std::pair<const std::uint8_t*, Rows>> recent_;
  bool stop_ = false;
  // Who sleeps on `changed_`: each side wakes the other only then, saving a system call a
  // picture.
  bool workerWaits_ = false;
  bool writerWaits_ = false;
  std::thread worker_;
};

}  // namespace varnel
