#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/FormStore.h"
#include "export/PictureCheck.h"
#include "forms/Pixels.h"
#include "tests/PixelBitmaps.h"
#include "tests/TestPictures.h"
#include "widgets/ImageTri.h"

namespace varnel {
namespace {

using forms::Rgb;
using forms::TPixel;
using forms::TPixels;
using testing_pictures::BitmapFromPixels;
using testing_pictures::PixelsOf;
using State = TImageTri::TState;

const TPixel kKey = Rgb(255, 0, 255);  // the overlay's transparent colour

// The small fixture: a 4 x 4 normal look, a 6 x 6 hover look, a 2 x 2 overlay whose
// bottom-left pixel is its transparent colour, and a second 4 x 4 normal look. Every pixel of
// a look has its own colour, so a misplaced pixel shows.
struct Looks {
  TPixels normal = PixelsOf(4, 4, [](int x, int y) { return Rgb(10 + x, 20 + y, 200); });
  TPixels hover = PixelsOf(6, 6, [](int x, int y) { return Rgb(100 + x, 100 + y, 50); });
  TPixels overlay = PixelsOf(2, 2, [](int x, int y) {
    if (x == 0 && y == 1) return kKey;
    return Rgb(static_cast<std::uint8_t>(250 - 10 * x - 10 * y), 0, 0);
  });
  TPixels other = PixelsOf(4, 4, [](int x, int y) { return Rgb(0, 60 + x, 60 + y); });

  std::vector<std::uint8_t> normalBmp = BitmapFromPixels(normal);
  std::vector<std::uint8_t> hoverBmp = BitmapFromPixels(hover);
  std::vector<std::uint8_t> overlayBmp = BitmapFromPixels(overlay);
  std::vector<std::uint8_t> otherBmp = BitmapFromPixels(other);
  const std::vector<std::uint8_t> normalCopy = normalBmp;  // to see Picture1's bytes untouched

  void Fill(TImageTri& button, bool withOverlay = true) const {
    forms::TPicture given;
    given.Assign(GraphicFromBytes(normalBmp, "fixture"));
    button.SetPicture1(given);
    given.Assign(GraphicFromBytes(hoverBmp, "fixture"));
    button.SetPicture2(given);
    if (!withOverlay) return;
    given.Assign(GraphicFromBytes(overlayBmp, "fixture"));
    button.SetPicture3(given);
  }
};

// `base` with the 2 x 2 overlay drawn at (ox, oy): three painted pixels, the transparent one
// leaves the look as it was.
TPixels WithSmallOverlay(const Looks& looks, const TPixels& base, int ox, int oy) {
  TPixels out = base;
  out.At(ox, oy) = looks.overlay.At(0, 0);
  out.At(ox + 1, oy) = looks.overlay.At(1, 0);
  out.At(ox + 1, oy + 1) = looks.overlay.At(1, 1);
  return out;
}

TEST(ImageTri, NewComponent) {
  TImageTri button("b");
  EXPECT_EQ(button.Width, 105);
  EXPECT_EQ(button.Height, 105);
  EXPECT_EQ(button.Picture3Pos, TPicture3Pos::TopLeft);
  EXPECT_EQ(kPicture3PosDefault, TPicture3Pos::BottomRight);
  EXPECT_EQ(static_cast<int>(TPicture3Pos::TopLeft), 0);
  EXPECT_EQ(static_cast<int>(TPicture3Pos::TopRight), 1);
  EXPECT_EQ(static_cast<int>(TPicture3Pos::BottomLeft), 2);
  EXPECT_EQ(static_cast<int>(TPicture3Pos::BottomRight), 3);
  EXPECT_TRUE(button.Enabled());
  EXPECT_EQ(button.State(), State::Normal);
  EXPECT_TRUE(button.Picture.Empty());
  EXPECT_TRUE(button.DisplayedPixels().Empty());
}

// Each setter copies: changing the caller's picture afterwards leaves the component's own.
TEST(ImageTri, SettersCopyThePicture) {
  const Looks looks;
  struct Slot {
    const char* name;
    void (TImageTri::*set)(const forms::TPicture&);
    forms::TPicture TImageTri::*own;
  };
  for (const Slot& slot : {Slot{"Picture1", &TImageTri::SetPicture1, &TImageTri::Picture1},
                           Slot{"Picture2", &TImageTri::SetPicture2, &TImageTri::Picture2},
                           Slot{"Picture3", &TImageTri::SetPicture3, &TImageTri::Picture3}}) {
    SCOPED_TRACE(slot.name);
    TImageTri button("b");
    forms::TPicture given;
    given.Assign(GraphicFromBytes(looks.normalBmp, "fixture"));
    (button.*slot.set)(given);
    given.Assign(GraphicFromBytes(looks.hoverBmp, "fixture"));
    const forms::TPicture& own = button.*slot.own;
    ASSERT_NE(&own, &given);
    ASSERT_FALSE(own.Empty());
    EXPECT_EQ(own.Graphic()->bytes.data(), looks.normalBmp.data());
    EXPECT_EQ(own.Width(), 4);
    given.Clear();
    EXPECT_FALSE(own.Empty());
  }
}

enum class Event { Enter, Leave, Disable, Enable, NewNormal };
enum class Look { Normal, Hover, NormalOverlaid, Other, OtherOverlaid };

struct Transition {
  const char* name;
  std::vector<Event> events;
  State state;
  Look look;
};

// The state table, event by event, on the fixture with an overlay at TopLeft.
TEST(ImageTri, StateTable) {
  const Looks looks;
  const std::vector<Transition> table = {
      {"new", {}, State::Normal, Look::Normal},
      {"enter", {Event::Enter}, State::Hover, Look::Hover},
      {"enter leave", {Event::Enter, Event::Leave}, State::Normal, Look::Normal},
      {"leave without enter", {Event::Leave}, State::Normal, Look::Normal},
      {"enable when enabled", {Event::Enable}, State::Normal, Look::Normal},
      {"disable", {Event::Disable}, State::Disabled, Look::NormalOverlaid},
      {"disable while hovered",
       {Event::Enter, Event::Disable},
       State::Disabled,
       Look::NormalOverlaid},
      {"enter while disabled",
       {Event::Disable, Event::Enter},
       State::Disabled,
       Look::NormalOverlaid},
      {"leave while disabled",
       {Event::Enter, Event::Disable, Event::Leave},
       State::Disabled,
       Look::NormalOverlaid},
      {"enable", {Event::Disable, Event::Enable}, State::Normal, Look::Normal},
      {"enable while hovered",
       {Event::Enter, Event::Disable, Event::Enable},
       State::Normal,
       Look::Normal},
      {"enable while hovered, leave",
       {Event::Enter, Event::Disable, Event::Enable, Event::Leave},
       State::Normal,
       Look::Normal},
      {"enable while hovered, leave, enter",
       {Event::Enter, Event::Disable, Event::Enable, Event::Leave, Event::Enter},
       State::Hover,
       Look::Hover},
      {"disable again",
       {Event::Disable, Event::Enable, Event::Disable},
       State::Disabled,
       Look::NormalOverlaid},
      {"new normal look", {Event::NewNormal}, State::Normal, Look::Other},
      {"new normal look while hovered",
       {Event::Enter, Event::NewNormal},
       State::Hover,
       Look::Other},
      {"leave after new normal look",
       {Event::Enter, Event::NewNormal, Event::Leave},
       State::Normal,
       Look::Other},
      {"new normal look while disabled",
       {Event::Disable, Event::NewNormal},
       State::Disabled,
       Look::Other},
      {"new normal look while disabled, enter",
       {Event::Disable, Event::NewNormal, Event::Enter},
       State::Disabled,
       Look::Other},
      {"new normal look while disabled, enable",
       {Event::Disable, Event::NewNormal, Event::Enable},
       State::Normal,
       Look::Other},
      {"new normal look, disable",
       {Event::NewNormal, Event::Disable},
       State::Disabled,
       Look::OtherOverlaid},
  };
  for (const Transition& row : table) {
    SCOPED_TRACE(row.name);
    TImageTri button("b");
    looks.Fill(button);
    forms::TPicture other;
    other.Assign(GraphicFromBytes(looks.otherBmp, "fixture"));
    for (Event e : row.events) {
      switch (e) {
        case Event::Enter:
          button.MouseEnter();
          break;
        case Event::Leave:
          button.MouseLeave();
          break;
        case Event::Disable:
          button.SetEnabled(false);
          break;
        case Event::Enable:
          button.SetEnabled(true);
          break;
        case Event::NewNormal:
          button.SetPicture1(other);
          break;
      }
    }
    EXPECT_EQ(button.State(), row.state);
    EXPECT_EQ(button.Enabled(), row.state != State::Disabled);
    TPixels expected;
    switch (row.look) {
      case Look::Normal:
        expected = looks.normal;
        break;
      case Look::Hover:
        expected = looks.hover;
        break;
      case Look::NormalOverlaid:
        expected = WithSmallOverlay(looks, looks.normal, 0, 0);
        break;
      case Look::Other:
        expected = looks.other;
        break;
      case Look::OtherOverlaid:
        expected = WithSmallOverlay(looks, looks.other, 0, 0);
        break;
    }
    EXPECT_EQ(button.DisplayedPixels(), expected);
    // A plain look is the stored picture itself; only the overlaid look is drawn.
    const bool overlaid = row.look == Look::NormalOverlaid || row.look == Look::OtherOverlaid;
    EXPECT_EQ(button.DrawnImage() != nullptr, overlaid);
    // The displayed picture has the size of the look it copies.
    EXPECT_EQ(button.Picture.Width(), expected.width);
    // The normal look itself is never drawn on.
    EXPECT_EQ(looks.normalBmp, looks.normalCopy);
    EXPECT_EQ(
        forms::DecodeGraphic(*button.Picture1.Graphic()),
        row.look == Look::Other || row.look == Look::OtherOverlaid ? looks.other : looks.normal);
  }
}

TEST(ImageTri, WithoutOverlayDisabledLooksLikeNormal) {
  const Looks looks;
  TImageTri button("b");
  looks.Fill(button, /*withOverlay=*/false);
  button.SetEnabled(false);
  EXPECT_EQ(button.State(), State::Disabled);
  EXPECT_EQ(button.DisplayedPixels(), looks.normal);
  EXPECT_EQ(button.DrawnImage(), nullptr);
}

// The 2 x 2 overlay in each corner of the 4 x 4 look.
TEST(ImageTri, OverlayCorners) {
  const Looks looks;
  const struct {
    TPicture3Pos pos;
    int x, y;
  } corners[] = {{TPicture3Pos::TopLeft, 0, 0},
                 {TPicture3Pos::TopRight, 2, 0},
                 {TPicture3Pos::BottomLeft, 0, 2},
                 {TPicture3Pos::BottomRight, 2, 2}};
  for (const auto& c : corners) {
    SCOPED_TRACE(static_cast<int>(c.pos));
    TImageTri button("b");
    looks.Fill(button);
    button.Picture3Pos = c.pos;
    button.SetEnabled(false);
    const TPixels shown = button.DisplayedPixels();
    EXPECT_EQ(shown, WithSmallOverlay(looks, looks.normal, c.x, c.y));
    // The transparent pixel keeps the normal look's colour.
    EXPECT_EQ(shown.At(c.x, c.y + 1), looks.normal.At(c.x, c.y + 1));
    EXPECT_EQ(looks.normalBmp, looks.normalCopy);
  }
}

// A 6 x 6 overlay on the 4 x 4 look: TopRight, BottomLeft and BottomRight start at negative
// coordinates; what falls outside is cut off.
TEST(ImageTri, OverlayLargerThanTheLook) {
  const Looks looks;
  const TPixels big = PixelsOf(6, 6, [](int x, int y) {
    if ((x == 0 && y == 5) || (x == 3 && y == 3)) return kKey;  // bottom-left and one inside
    return Rgb(static_cast<std::uint8_t>(40 * x), static_cast<std::uint8_t>(40 * y), 99);
  });
  const auto bigBmp = BitmapFromPixels(big);
  forms::TPicture bigOverlay;
  bigOverlay.Assign(GraphicFromBytes(bigBmp, "fixture"));
  const struct {
    TPicture3Pos pos;
    int x, y;
  } corners[] = {{TPicture3Pos::TopLeft, 0, 0},
                 {TPicture3Pos::TopRight, -2, 0},
                 {TPicture3Pos::BottomLeft, 0, -2},
                 {TPicture3Pos::BottomRight, -2, -2}};
  for (const auto& c : corners) {
    SCOPED_TRACE(static_cast<int>(c.pos));
    TImageTri button("b");
    looks.Fill(button);
    button.SetPicture3(bigOverlay);
    button.Picture3Pos = c.pos;
    button.SetEnabled(false);
    const TPixels shown = button.DisplayedPixels();
    ASSERT_EQ(shown.width, 4);
    ASSERT_EQ(shown.height, 4);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) {
        const TPixel o = big.At(x - c.x, y - c.y);
        EXPECT_EQ(shown.At(x, y), o == kKey ? looks.normal.At(x, y) : o) << x << "," << y;
      }
  }
  // Spot checks of the arithmetic above: at TopRight the look's corner shows overlay (2, 0).
  TImageTri button("b");
  looks.Fill(button);
  button.SetPicture3(bigOverlay);
  button.Picture3Pos = TPicture3Pos::BottomRight;
  button.SetEnabled(false);
  EXPECT_EQ(button.DisplayedPixels().At(0, 0), Rgb(80, 80, 99));
  EXPECT_EQ(button.DisplayedPixels().At(1, 1), looks.normal.At(1, 1));  // overlay (3, 3) is key
}

TEST(ImageTri, JpegNormalLookCannotBeDrawnOn) {
  const Looks looks;
  const auto jpeg = testing_pictures::MakeJpeg(8, 8);
  TImageTri button("b");
  looks.Fill(button, /*withOverlay=*/false);
  forms::TPicture given;
  given.Assign(GraphicFromBytes(jpeg, "fixture"));
  button.SetPicture1(given);
  // Without an overlay nothing is drawn, so nothing fails.
  button.SetEnabled(false);
  button.SetEnabled(true);
  given.Assign(GraphicFromBytes(looks.overlayBmp, "fixture"));
  button.SetPicture3(given);
  try {
    button.SetEnabled(false);
    FAIL() << "no error";
  } catch (const forms::Exception& error) {
    EXPECT_STREQ(error.what(), "Can only modify an image if it contains a bitmap");
  }
  EXPECT_FALSE(button.Enabled());
  EXPECT_EQ(button.DrawnImage(), nullptr);
  EXPECT_EQ(button.Picture.Graphic()->bytes.data(), jpeg.data());
  EXPECT_EQ(button.Picture.Graphic()->encoding, forms::TPictureEncoding::kJpeg);
}

// AutoSize: each new look sizes the control as far as its alignment lets it. The control
// starts at 300 x 200; the normal look is 81 x 75, the hover look 81 x 79.
TEST(ImageTri, AutoSizeFollowsEachLook) {
  const auto normal = BitmapFromPixels(TPixels(81, 75, Rgb(1, 2, 3)));
  const auto hover = BitmapFromPixels(TPixels(81, 79, Rgb(4, 5, 6)));
  const auto overlay = BitmapFromPixels(TPixels(10, 10, Rgb(7, 8, 9)));
  using forms::TAlign;
  const struct {
    const char* name;
    bool autoSize;
    TAlign align;
    int restW, restH, hoverW, hoverH;
  } table[] = {
      {"unaligned", true, TAlign::alNone, 81, 75, 81, 79},
      {"left", true, TAlign::alLeft, 81, 200, 81, 200},
      {"right", true, TAlign::alRight, 81, 200, 81, 200},
      {"top", true, TAlign::alTop, 300, 75, 300, 79},
      {"bottom", true, TAlign::alBottom, 300, 75, 300, 79},
      {"client", true, TAlign::alClient, 300, 200, 300, 200},
      {"no AutoSize", false, TAlign::alNone, 300, 200, 300, 200},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.name);
    TImageTri button("b");
    button.AutoSize = row.autoSize;
    button.Align = row.align;
    button.Width = 300;
    button.Height = 200;
    forms::TPicture p;
    p.Assign(GraphicFromBytes(normal, "n"));
    button.SetPicture1(p);
    p.Assign(GraphicFromBytes(hover, "h"));
    button.SetPicture2(p);
    p.Assign(GraphicFromBytes(overlay, "o"));
    button.SetPicture3(p);
    EXPECT_EQ(button.Width, row.restW);
    EXPECT_EQ(button.Height, row.restH);
    button.MouseEnter();
    EXPECT_EQ(button.Width, row.hoverW);
    EXPECT_EQ(button.Height, row.hoverH);
    button.MouseLeave();
    EXPECT_EQ(button.Width, row.restW);
    EXPECT_EQ(button.Height, row.restH);
    button.MouseEnter();
    button.SetEnabled(false);  // the disabled look has the normal look's size
    EXPECT_EQ(button.Width, row.restW);
    EXPECT_EQ(button.Height, row.restH);
  }
}

// The stored button of the hidden path form behaves the same once loaded.
TEST(ImageTri, StoredButtonGrowsWhileHovered) {
  forms::TForm form("FormProceda");
  LoadStoredLayout(form, "TFORMPROCEDA");
  auto* button = BindComponent<TImageTri>(form, "ClienteBege");
  ASSERT_TRUE(button->AutoSize);
  EXPECT_EQ(button->Picture.Graphic()->bytes.data(), button->Picture1.Graphic()->bytes.data());
  EXPECT_EQ(button->Width, 81);
  EXPECT_EQ(button->Height, 75);
  button->MouseEnter();
  EXPECT_EQ(button->Height, 79);
  EXPECT_EQ(button->DisplayedPixels(), forms::DecodeGraphic(*button->Picture2.Graphic()));
  button->MouseLeave();
  EXPECT_EQ(button->Height, 75);
}

TEST(ImageTri, EnabledReadFromALayout) {
  TImageTri button("b");
  button.SetProperty("Enabled", "False");
  EXPECT_FALSE(button.Enabled());
  EXPECT_EQ(button.State(), State::Disabled);
  EXPECT_THROW(button.SetProperty("Enabled", "maybe"), forms::Exception);
}

}  // namespace
}  // namespace varnel
