#include "export/UnpackAhead.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "export/PictureStore.h"
#include "export/StoreFormat.h"
#include "tests/TestPictures.h"

namespace varnel {
namespace {

using testing_pictures::Bytes;
using testing_pictures::MakeBitmap;
using testing_pictures::PackText;

// Four packed bitmaps of different sizes (the last larger than everything the queue holds
// ahead), a fifth of the same size as A with other pixels, and a JPEG, which is never packed.
class UnpackAheadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store_ = PackText(R"(object Sheet: TSheet
  object A: TImage
    Picture = bitmap 64x64 24
  end
  object B: TImage
    Picture = bitmap 32x16 24
  end
  object C: TImage
    Picture = bitmap 64x64 8
  end
  object Big: TImage
    Picture = bitmap 2048x1400 24
  end
  object Twin: TImage
    Picture = bitmap 64x64 24
  end
  object Logo: TImage
    Picture = jpeg 40x30
  end
end
)",
                      {{"A.Picture", MakeBitmap(64, 64, 24, 0, 1)},
                       {"B.Picture", MakeBitmap(32, 16, 24, 0, 2)},
                       {"C.Picture", MakeBitmap(64, 64, 8, 256, 3)},
                       {"Big.Picture", MakeBitmap(2048, 1400, 24, 0, 4)},
                       {"Twin.Picture", MakeBitmap(64, 64, 24, 0, 5)}});
    loaded_.emplace(PictureStore::Load(store_, "TSHEET"));
    for (const char* name : {"A", "B", "C", "Big", "Twin", "Logo"})
      graphics_[name] = loaded_->FindPicture(name, "Picture")->graphic;
    for (const char* name : {"A", "B", "C", "Big", "Twin"})
      ASSERT_TRUE(graphics_[name].Packed()) << name;
  }

  // The stored bytes followed by the unpacked rows: the file an unpacker without a Prepare of
  // its own gives.
  static std::vector<std::uint8_t> File(const forms::TGraphic& graphic) {
    std::vector<std::uint8_t> scratch;
    const auto whole = forms::FileBytes(graphic, scratch);
    return {whole.begin(), whole.end()};
  }
  static std::vector<std::uint8_t> Rows(const forms::TGraphic& graphic) {
    std::vector<std::uint8_t> rows(graphic.rowBytes);
    forms::UnpackRows(graphic, rows);
    return rows;
  }

  std::vector<forms::TGraphic> Order(const std::vector<std::string>& names) {
    std::vector<forms::TGraphic> order;
    for (const std::string& name : names) order.push_back(graphics_.at(name));
    return order;
  }

  Bytes store_;
  std::optional<PictureStore> loaded_;
  std::map<std::string, forms::TGraphic> graphics_;
};

// The writes of a routine in order, pictures written again into further folders among them:
// every take gives exactly the picture's file.
TEST_F(UnpackAheadTest, TakesInOrderGiveEachPicturesRows) {
  const std::vector<std::string> writes = {"A", "B", "A",   "B", "Logo", "C",    "Big", "C",
                                           "A", "A", "Big", "B", "C",    "Logo", "A"};
  UnpackAhead ahead;
  for (int round = 0; round < 3; ++round) {  // a started order replaces the one before
    ahead.Start(Order(writes));
    for (const std::string& name : writes) {
      SCOPED_TRACE(name);
      if (!graphics_[name].Packed()) continue;  // the writer only asks for packed pictures
      const UnpackAhead::Prepared file = ahead.Take(graphics_[name]);
      ASSERT_NE(file, nullptr);
      EXPECT_TRUE(std::ranges::equal(file->Bytes(), File(graphics_[name])));
    }
  }
}

// Two pictures of the same size, byte for byte as long, with other pixels: each take gives the
// picture's own file, whether they were unpacked for it or it was met again a moment later, and
// the one is never given in the other's place.
TEST_F(UnpackAheadTest, PicturesOfTheSameSizeAreToldApart) {
  const forms::TGraphic& a = graphics_["A"];
  const forms::TGraphic& twin = graphics_["Twin"];
  ASSERT_EQ(twin.width, a.width);
  ASSERT_EQ(twin.height, a.height);
  ASSERT_EQ(twin.depth, a.depth);
  ASSERT_EQ(twin.rowBytes, a.rowBytes);
  ASSERT_EQ(twin.FileSize(), a.FileSize());
  ASSERT_NE(Rows(twin), Rows(a));

  const std::vector<std::string> writes = {"A", "Twin", "Twin", "A", "Twin", "A", "A", "Twin"};
  UnpackAhead ahead;
  ahead.Start(Order(writes));
  for (const std::string& name : writes) {
    SCOPED_TRACE(name);
    const UnpackAhead::Prepared file = ahead.Take(graphics_[name]);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(std::ranges::equal(file->Bytes(), File(graphics_[name])));
  }

  ahead.Start(Order({"A", "Twin"}));
  EXPECT_EQ(ahead.Take(twin), nullptr) << "A is next, not its twin";
}

// A writer that would wait for the thread prepares the next picture nobody has begun. The
// thread here stops at its first picture until the writer has prepared two itself: without
// the writer's help the two would wait for each other (the thread gives up after a while, and
// the test fails). Whoever prepared them, the takes give each picture's file, through the
// Prepare given.
namespace helping {
std::mutex mutex;
std::condition_variable changed;
std::thread::id writer;
int byWriter = 0, byThread = 0;
bool threadGaveUp = false;

void Prepare(const forms::TGraphic& graphic, std::span<std::uint8_t> file) {
  {
    std::unique_lock lock(mutex);
    if (std::this_thread::get_id() == writer) {
      ++byWriter;
      changed.notify_all();
    } else if (byThread++ == 0 &&
               !changed.wait_for(lock, std::chrono::seconds(20), [] { return byWriter >= 2; })) {
      threadGaveUp = true;
    }
  }
  std::vector<std::uint8_t> scratch;
  const auto whole = forms::FileBytes(graphic, scratch);
  std::copy(whole.begin(), whole.end(), file.begin());
  file[0] = 'P';  // marks the file as this Prepare's
}
}  // namespace helping

TEST_F(UnpackAheadTest, WriterPreparesRatherThanWaits) {
  helping::writer = std::this_thread::get_id();
  const std::vector<std::string> writes = {"A", "B", "C", "Twin", "B", "A", "C", "Twin"};
  UnpackAhead ahead(&helping::Prepare);
  ahead.Start(Order(writes));
  for (const std::string& name : writes) {
    SCOPED_TRACE(name);
    const UnpackAhead::Prepared file = ahead.Take(graphics_[name]);
    ASSERT_NE(file, nullptr);
    std::vector<std::uint8_t> expected = File(graphics_[name]);
    expected[0] = 'P';
    EXPECT_TRUE(std::ranges::equal(file->Bytes(), expected));
  }
  ahead.Stop();
  std::lock_guard lock(helping::mutex);
  EXPECT_FALSE(helping::threadGaveUp);
  EXPECT_GE(helping::byWriter, 2);
}

// A picture out of the announced order, or after its end, is not given: the writer unpacks it
// itself, and so it does for the rest of the routine.
TEST_F(UnpackAheadTest, OutOfOrderIsNotGuessed) {
  UnpackAhead ahead;
  ahead.Start(Order({"A", "B", "C"}));
  ASSERT_NE(ahead.Take(graphics_["A"]), nullptr);
  EXPECT_EQ(ahead.Take(graphics_["C"]), nullptr);
  EXPECT_EQ(ahead.Take(graphics_["B"]), nullptr) << "nothing more is unpacked ahead";

  ahead.Start(Order({"A"}));
  ASSERT_NE(ahead.Take(graphics_["A"]), nullptr);
  EXPECT_EQ(ahead.Take(graphics_["A"]), nullptr) << "past the end";
}

// A damaged stream is not given, so the writer meets the error where it belongs.
TEST_F(UnpackAheadTest, DamagedPictureIsLeftToTheWriter) {
  forms::TGraphic damaged = graphics_["B"];
  Bytes packed(damaged.packedRows.begin(), damaged.packedRows.end());
  packed[packed.size() / 2] ^= 0x5A;
  damaged.packedRows = packed;
  UnpackAhead ahead;
  ahead.Start({graphics_["A"], damaged, graphics_["C"]});
  ASSERT_NE(ahead.Take(graphics_["A"]), nullptr);
  EXPECT_EQ(ahead.Take(damaged), nullptr);
  EXPECT_EQ(ahead.Take(graphics_["C"]), nullptr);
}

// A routine that ends early (an error) stops the unpacking wherever it is; nothing waits.
TEST_F(UnpackAheadTest, StoppingEarlyEndsTheWork) {
  std::vector<std::string> many;
  for (int i = 0; i < 200; ++i) many.push_back(i % 3 == 0 ? "Big" : (i % 3 == 1 ? "A" : "C"));
  for (int taken : {0, 1, 5}) {
    SCOPED_TRACE(taken);
    UnpackAhead ahead;
    ahead.Start(Order(many));
    for (int i = 0; i < taken; ++i) ASSERT_NE(ahead.Take(graphics_[many[i]]), nullptr);
    ahead.Stop();
    EXPECT_EQ(ahead.Take(graphics_[many[taken]]), nullptr);
  }
  UnpackAhead destroyedWhileWorking;
  destroyedWhileWorking.Start(Order(many));
}

}  // namespace
}  // namespace varnel
