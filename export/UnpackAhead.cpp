#include "export/UnpackAhead.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace varnel {

namespace {

// The same picture: the same stored bytes and packed rows (the store keeps each picture once).
bool Same(const forms::TGraphic& a, const forms::TGraphic& b) {
  return a.packedRows.data() == b.packedRows.data() && a.rowBytes == b.rowBytes &&
         a.bytes.data() == b.bytes.data() && a.bytes.size() == b.bytes.size();
}

}  // namespace

void UnpackAhead::Start(const std::vector<forms::TGraphic>& coming) {
  Stop();
  std::unique_lock lock(mutex_);
  for (const forms::TGraphic& graphic : coming)
    if (graphic.Packed()) coming_.push_back(graphic);
  state_.assign(coming_.size(), State::kOpen);
  files_.assign(coming_.size(), nullptr);
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
  recent_.clear();
  coming_.clear();
  state_.clear();
  files_.clear();
  claimed_ = taken_ = bytesAhead_ = 0;
}

UnpackAhead::Prepared UnpackAhead::PrepareUnlocked(const forms::TGraphic& graphic,
                                                   std::unique_lock<std::mutex>& lock) {
  const auto known = std::find_if(recent_.begin(), recent_.end(),
                                  [&](const auto& entry) { return Same(entry.first, graphic); });
  if (known != recent_.end()) return known->second;
  Prepared file;
  lock.unlock();
  try {
    auto made = std::make_shared<Buffer>(graphic.FileSize());
    if (prepare_ != nullptr) {
      prepare_(graphic, made->Bytes());
    } else {
      std::copy(graphic.bytes.begin(), graphic.bytes.end(), made->Bytes().begin());
      forms::UnpackRows(graphic, made->Bytes().subspan(graphic.bytes.size()));
    }
    file = std::move(made);
  } catch (const std::exception&) {
    // Left null: the writer prepares it again and reports the error where it belongs.
  }
  lock.lock();
  if (file) {
    recent_.emplace_back(graphic, file);
    if (recent_.size() > kRemembered) recent_.pop_front();
  }
  return file;
}

bool UnpackAhead::MayBegin() const {
  if (claimed_ == coming_.size()) return false;
  if (claimed_ == taken_) return true;
  return claimed_ - taken_ < kPicturesAhead &&
         bytesAhead_ + coming_[claimed_].FileSize() <= kBytesAhead;
}

void UnpackAhead::PrepareNext(std::unique_lock<std::mutex>& lock) {
  const std::size_t index = claimed_++;
  state_[index] = State::kBusy;
  bytesAhead_ += coming_[index].FileSize();
  const forms::TGraphic graphic = coming_[index];
  Prepared file = PrepareUnlocked(graphic, lock);
  // A stop meanwhile has cleared everything; only the thread can be here then.
  if (stop_) return;
  files_[index] = std::move(file);
  state_[index] = State::kDone;
}

void UnpackAhead::Work() {
  std::unique_lock lock(mutex_);
  while (true) {
    if (!stop_ && claimed_ < coming_.size() && !MayBegin()) {
      workerWaits_ = true;
      changed_.wait(lock, [this] { return stop_ || claimed_ == coming_.size() || MayBegin(); });
      workerWaits_ = false;
    }
    if (stop_ || claimed_ == coming_.size()) return;
    PrepareNext(lock);
    if (stop_) return;
    if (writerWaits_) changed_.notify_all();
  }
}

UnpackAhead::Prepared UnpackAhead::Take(const forms::TGraphic& graphic) {
  std::unique_lock lock(mutex_);
  if (taken_ >= coming_.size() || !Same(coming_[taken_], graphic)) {
    // Out of the expected order: no guessing, the rest is prepared by the writer.
    StopLocked(lock);
    return nullptr;
  }
  const std::size_t index = taken_;
  while (state_[index] != State::kDone) {
    if (state_[index] == State::kOpen || MayBegin()) {
      // Nobody has begun this one, or the thread is on it: preparing the next one here
      // rather than waiting.
      PrepareNext(lock);
    } else {
      writerWaits_ = true;
      changed_.wait(lock, [&] { return state_[index] == State::kDone || MayBegin(); });
      writerWaits_ = false;
    }
  }
  Prepared file = std::move(files_[index]);
  bytesAhead_ -= coming_[index].FileSize();
  ++taken_;
  // A waiting worker is woken when half the pictures ahead are free, not for every one taken.
  if (workerWaits_ && claimed_ - taken_ <= kPicturesAhead / 2) changed_.notify_all();
  if (!file) StopLocked(lock);
  return file;
}

}  // namespace varnel
