#include "export/UnpackAhead.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace varnel {

void UnpackAhead::Start(const std::vector<forms::TGraphic>& coming) {
  Stop();
  std::unique_lock lock(mutex_);
  for (const forms::TGraphic& graphic : coming)
    if (graphic.Packed()) coming_.push_back(graphic);
  stop_ = false;
  if (!coming_.empty()) worker_ = std::thread([this] { Work(); });
}

void UnpackAhead::Stop() {
  std::unique_lock lock(mutex_);
  StopLocked(lock);
}

void UnpackAhead::StopLocked(std::unique_lock<std::mutex>& lock) {
  stop_ = true;
  changed_.notify_all();
  if (worker_.joinable()) {
    lock.unlock();
    worker_.join();
    lock.lock();
  }
  ready_.clear();
  recent_.clear();
  coming_.clear();
  unpacked_ = taken_ = bytesWaiting_ = 0;
}

void UnpackAhead::Work() {
  std::unique_lock lock(mutex_);
  while (true) {
    const auto mayGoOn = [this] {
      if (stop_ || unpacked_ == coming_.size()) return true;
      const std::size_t next = coming_[unpacked_].rowBytes;
      return ready_.empty() ||
             (ready_.size() < kPicturesAhead && bytesWaiting_ + next <= kBytesAhead);
    };
    if (!mayGoOn()) {
      workerWaits_ = true;
      changed_.wait(lock, mayGoOn);
      workerWaits_ = false;
    }
    if (stop_ || unpacked_ == coming_.size()) return;
    const forms::TGraphic graphic = coming_[unpacked_++];
    bytesWaiting_ += graphic.rowBytes;
    const std::uint8_t* key = graphic.packedRows.data();
    const auto known = std::find_if(recent_.begin(), recent_.end(),
                                    [key](const auto& entry) { return entry.first == key; });
    Rows rows;
    if (known != recent_.end()) {
      rows = known->second;
    } else {
      lock.unlock();
      try {
        auto unpacked = std::make_shared<Buffer>(graphic.rowBytes);
        forms::UnpackRows(graphic, unpacked->Bytes());
        rows = std::move(unpacked);
      } catch (const std::exception&) {
        // Left null: the writer unpacks it again and reports the error where it belongs.
      }
      lock.lock();
      if (rows) {
        recent_.emplace_back(key, rows);
        if (recent_.size() > kRemembered) recent_.pop_front();
      }
    }
    ready_.push_back(std::move(rows));
    if (writerWaits_) changed_.notify_all();
  }
}

UnpackAhead::Rows UnpackAhead::Take(const forms::TGraphic& graphic) {
  std::unique_lock lock(mutex_);
  if (taken_ >= coming_.size() || coming_[taken_].packedRows.data() != graphic.packedRows.data() ||
      coming_[taken_].rowBytes != graphic.rowBytes) {
    // Out of the expected order: no guessing, the rest is unpacked by the writer.
    StopLocked(lock);
    return nullptr;
  }
  if (ready_.empty()) {
    writerWaits_ = true;
    changed_.wait(lock, [this] { return !ready_.empty() || stop_; });
    writerWaits_ = false;
  }
  if (ready_.empty()) return nullptr;
  Rows rows = std::move(ready_.front());
  ready_.pop_front();
  bytesWaiting_ -= coming_[taken_].rowBytes;
  ++taken_;
  // A waiting worker is woken when half the queue is free, not for every picture taken.
  if (workerWaits_ && ready_.size() <= kPicturesAhead / 2) changed_.notify_all();
  if (!rows) StopLocked(lock);
  return rows;
}

}  // namespace varnel
