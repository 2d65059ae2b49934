// Prepares the files of the pictures a routine is about to write (their packed pixel rows
// unpacked, put together with their headers into the file's bytes) on a thread of its own, a
// few pictures ahead of the writes. Unpacking costs about as much as writing the files, so on
// two cores the two overlap and a run takes about the time of its writes alone. The files are
// still written one by one, in order, on the calling thread. A writer that would wait helps
// instead: it prepares the next picture nobody has begun, which is the one it needs when the
// thread fell behind or the system gave it no processor. A routine writes most pictures into
// two or three folders in a row; a picture met again while its file waits or was just taken is
// not prepared again.
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
  // Fills `file`, graphic.FileSize() bytes, with the file of a packed picture; raises when the
  // picture is damaged. Without one, the stored bytes followed by the unpacked rows.
  using Prepare = void (*)(const forms::TGraphic& graphic, std::span<std::uint8_t> file);

  explicit UnpackAhead(Prepare prepare = nullptr) : prepare_(prepare) {}
  UnpackAhead(const UnpackAhead&) = delete;
  UnpackAhead& operator=(const UnpackAhead&) = delete;
  ~UnpackAhead() { Stop(); }

  // Starts preparing the packed ones among `coming`, in this order; ends an earlier start.
  void Start(const std::vector<forms::TGraphic>& coming);
  // Ends the preparing and drops whatever was prepared and not taken.
  void Stop();

  // A prepared file, shared by the writes of one picture into further folders. Not zeroed
  // first: preparing writes every byte.
  class Buffer {
   public:
    explicit Buffer(std::size_t size) : bytes_(new std::uint8_t[size]), size_(size) {}
    std::span<std::uint8_t> Bytes() { return {bytes_.get(), size_}; }
    std::span<const std::uint8_t> Bytes() const { return {bytes_.get(), size_}; }

   private:
    std::unique_ptr<std::uint8_t[]> bytes_;
    std::size_t size_;
  };
  using Prepared = std::shared_ptr<const Buffer>;
  // The prepared file of `graphic` when it is the next packed picture of the order: ready, or
  // waited for while the thread prepares it, or prepared here when the thread has not begun
  // it. Null when it is not the next one, or when preparing it failed: then the caller
  // prepares it itself (and meets the error itself), and nothing more is prepared ahead.
  Prepared Take(const forms::TGraphic& graphic);

 private:
  void Work();
  void StopLocked(std::unique_lock<std::mutex>& lock);
  // Whether one more picture may be begun ahead of the writer.
  bool MayBegin() const;
  // Begins picture `claimed_`, prepares it with the lock let go meanwhile, and keeps its file.
  void PrepareNext(std::unique_lock<std::mutex>& lock);
  // The file of `graphic`, from the pictures just prepared or prepared now with the lock let
  // go meanwhile; null when preparing failed.
  Prepared PrepareUnlocked(const forms::TGraphic& graphic, std::unique_lock<std::mutex>& lock);

  // At most this many pictures, or this many bytes beyond the first, are begun ahead of the
  // writer.
  static constexpr std::size_t kPicturesAhead = 16;
  static constexpr std::size_t kBytesAhead = 8u << 20;

  const Prepare prepare_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<forms::TGraphic> coming_;  // the packed pictures, in order
  // Each picture's file once prepared (null where preparing failed), until the writer takes it.
  enum class State : std::uint8_t { kOpen, kBusy, kDone };
  std::vector<State> state_;
  std::vector<Prepared> files_;
  std::size_t claimed_ = 0;     // the pictures before it are begun, by the thread or the writer
  std::size_t taken_ = 0;       // how many the writer has taken
  std::size_t bytesAhead_ = 0;  // the file bytes of the pictures begun and not taken
  // The last few pictures prepared, for pictures written again.
  static constexpr std::size_t kRemembered = 4;
  std::deque<std::pair<forms::TGraphic, Prepared>> recent_;
  bool stop_ = false;
  // Who sleeps on `changed_`: each side wakes the other only then, saving a system call a
  // picture.
  bool workerWaits_ = false;
  bool writerWaits_ = false;
  std::thread worker_;
};

}  // namespace varnel
