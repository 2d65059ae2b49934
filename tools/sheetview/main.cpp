// sheetview: shows the image components of a stored form or sheet, page by page, with live
// buttons: the pointer over a TImageTri shows its hover look, and "Disable all" disables every
// TImageTri of the form so that the overlays show. For the people who draw and check the art.
//
//   sheetview [--store NAME] [--file STORE-FILE] [--page CAPTION] [--report]
//
// --store picks an embedded store (TFORMPROCEDA, TBOTOES, ...), --file adds a store file made
// by tools/pack (and picks it), --page picks a page by its caption. --report prints, once the
// window is up, where the toggle and each image of the page lie inside the window
// ("toggle X Y W H", "image NAME X Y W H"), for scripts that drive the viewer.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Scroll.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "forms/Forms.h"
#include "forms/Pixels.h"
#include "platform/Resources.h"
#include "platform/Text.h"
#include "tools/sheetview/JpegPixels.h"
#include "tools/sheetview/SheetModel.h"

namespace sheetview {
namespace {

// One image component on screen. A TImageTri hears the pointer and its look and size follow
// the component; a TImage just shows its picture.
class ImageBox : public Fl_Widget {
 public:
  ImageBox(int x, int y, forms::TImage* image)
      : Fl_Widget(x, y, std::max(1, image->Width), std::max(1, image->Height)),
        image_(image),
        button_(dynamic_cast<varnel::TImageTri*>(image)) {}

  forms::TImage* Image() const { return image_; }

  // The component changed: take its size and look again.
  void Refresh() {
    stale_ = true;
    size(std::max(1, image_->Width), std::max(1, image_->Height));
    if (parent() != nullptr) parent()->redraw();
    redraw();
  }

  int handle(int event) override {
    switch (event) {
      case FL_ENTER:
        if (button_ != nullptr) {
          button_->MouseEnter();
          Refresh();
        }
        return 1;
      case FL_LEAVE:
        if (button_ != nullptr) {
          button_->MouseLeave();
          Refresh();
        }
        return 1;
      default:
        return Fl_Widget::handle(event);
    }
  }

  void draw() override {
    if (stale_) Rebuild();
    fl_push_clip(x(), y(), w(), h());
    fl_color(parent() != nullptr ? parent()->color() : FL_BACKGROUND_COLOR);
    fl_rectf(x(), y(), w(), h());
    if (width_ > 0) {
      int left = x(), top = y();
      if (image_->Center) {
        left += (w() - width_) / 2;
        top += (h() - height_) / 2;
      }
      fl_draw_image(rgb_.data(), left, top, width_, height_, 3);
    }
    fl_pop_clip();
  }

 private:
  // Decodes what the component shows; a transparent image leaves its bottom-left pixel's
  // colour to the background.
  void Rebuild() {
    stale_ = false;
    forms::TPixels shown;
    try {
      if (button_ != nullptr)
        shown = button_->DisplayedPixels();
      else if (const forms::TGraphic* g = image_->Picture.Graphic())
        shown = forms::DecodeGraphic(*g);
    } catch (const forms::Exception& error) {
      std::cerr << image_->Name << ": " << error.what() << "\n";
    }
    // A stretched image fills the control (nearest pixel, enough for checking art).
    if (image_->Stretch && !shown.Empty() && (shown.width != w() || shown.height != h())) {
      forms::TPixels scaled(w(), h(), 0);
      for (int y = 0; y < h(); ++y)
        for (int x = 0; x < w(); ++x)
          scaled.At(x, y) = shown.At(x * shown.width / w(), y * shown.height / h());
      shown = std::move(scaled);
    }
    width_ = shown.width;
    height_ = shown.height;
    rgb_.assign(std::size_t(width_) * height_ * 3, 0);
    if (shown.Empty()) return;
    uchar br = 0, bg = 0, bb = 0;
    Fl::get_color(parent() != nullptr ? parent()->color() : FL_BACKGROUND_COLOR, br, bg, bb);
    const forms::TPixel background = forms::Rgb(br, bg, bb);
    const forms::TPixel key = shown.At(0, height_ - 1);
    for (std::size_t i = 0; i < shown.pixels.size(); ++i) {
      forms::TPixel p = shown.pixels[i];
      if (image_->Transparent && p == key) p = background;
      rgb_[3 * i] = static_cast<uchar>(p >> 16);
      rgb_[3 * i + 1] = static_cast<uchar>(p >> 8);
      rgb_[3 * i + 2] = static_cast<uchar>(p);
    }
  }

  forms::TImage* image_;
  varnel::TImageTri* button_;
  bool stale_ = true;
  int width_ = 0, height_ = 0;
  std::vector<uchar> rgb_;
};

// A menu label shown as is: FLTK reads "/" as a submenu and "&" as a shortcut.
std::string MenuText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '/' || c == '\\' || c == '&' || c == '_') out += '\\';
    out += c;
  }
  return out.empty() ? std::string("(no caption)") : out;
}

class Viewer {
 public:
  Viewer(std::optional<std::string> file, bool report) : file_(std::move(file)), report_(report) {
    window_ = new Fl_Double_Window(900, 640, "sheetview");
    stores_ = new Fl_Choice(60, 8, 260, 25, "Store");
    pages_ = new Fl_Choice(380, 8, 260, 25, "Page");
    toggle_ = new Fl_Light_Button(660, 8, 130, 25, "Disable all");
    scroll_ = new Fl_Scroll(0, 41, 900, 577);
    scroll_->box(FL_DOWN_BOX);
    scroll_->color(FL_WHITE);
    scroll_->end();
    status_ = new Fl_Box(0, 618, 900, 22);
    status_->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT | FL_ALIGN_CLIP);
    window_->end();
    window_->resizable(scroll_);

    if (file_) storeNames_.push_back(*file_);
    for (const std::string& name : platform::EmbeddedNames()) storeNames_.push_back(name);
    for (const std::string& name : storeNames_) stores_->add(MenuText(name).c_str());
    stores_->callback([](Fl_Widget*, void* self) { static_cast<Viewer*>(self)->StoreChosen(); },
                      this);
    pages_->callback([](Fl_Widget*, void* self) { static_cast<Viewer*>(self)->ShowPage(); }, this);
    toggle_->callback([](Fl_Widget*, void* self) { static_cast<Viewer*>(self)->ApplyToggle(); },
                      this);
  }

  // Picks a store by its name in the list (ASCII case ignored); false when there is none.
  bool PickStore(const std::string& name) {
    for (std::size_t i = 0; i < storeNames_.size(); ++i)
      if (platform::EqualsIgnoreAsciiCase(storeNames_[i], name)) {
        stores_->value(static_cast<int>(i));
        StoreChosen();
        return true;
      }
    return false;
  }
  bool PickPage(const std::string& caption) {
    if (!model_) return false;
    const auto& pages = model_->Pages();
    for (std::size_t i = 0; i < pages.size(); ++i)
      if (pages[i].caption == caption) {
        pages_->value(static_cast<int>(i));
        ShowPage();
        return true;
      }
    return false;
  }

  void Show() {
    window_->show();
    if (report_)
      Fl::add_timeout(
          0.3, [](void* self) { static_cast<Viewer*>(self)->Report(); }, this);
  }

 private:
  void StoreChosen() {
    const int index = stores_->value();
    boxes_.clear();
    scroll_->clear();
    pages_->clear();
    model_.reset();
    if (index < 0) return;
    const std::string& name = storeNames_[std::size_t(index)];
    try {
      const bool isFile = file_ && index == 0;
      model_ =
          std::make_unique<SheetModel>(isFile ? StoreFile(name, fileBytes_) : EmbeddedStore(name));
      for (const SheetPage& page : model_->Pages()) pages_->add(MenuText(page.caption).c_str());
      pages_->value(0);
      SetStatus(name + ": " + std::to_string(model_->Buttons().size()) + " buttons, " +
                std::to_string(model_->Pages().size()) + " pages");
      ApplyToggle();
      ShowPage();
    } catch (const forms::Exception& error) {
      model_.reset();
      SetStatus(error.what());
      window_->redraw();
    }
  }

  void ShowPage() {
    boxes_.clear();
    scroll_->clear();
    scroll_->scroll_to(0, 0);
    if (!model_ || pages_->value() < 0) return;
    const SheetPage& page = model_->Pages()[std::size_t(pages_->value())];
    // Cells big enough for every look of every image of the page, so a growing button never
    // covers its neighbour.
    int cellW = 140, cellH = 20;
    for (forms::TImage* image : page.images) {
      int w = image->Width, h = image->Height;
      for (const char* slot : {"Picture", "Picture1", "Picture2"})
        if (const forms::TPicture* p = image->PictureSlot(slot)) {
          w = std::max(w, p->Width());
          h = std::max(h, p->Height());
        }
      cellW = std::max(cellW, std::min(w, 600) + 20);
      cellH = std::max(cellH, std::min(h, 600) + 8);
    }
    const int labelH = 18;
    const int columns = std::max(1, (scroll_->w() - 30) / cellW);
    scroll_->begin();
    for (std::size_t i = 0; i < page.images.size(); ++i) {
      forms::TImage* image = page.images[i];
      const int cx = scroll_->x() + 10 + static_cast<int>(i % columns) * cellW;
      const int cy = scroll_->y() + 10 + static_cast<int>(i / columns) * (cellH + labelH + 10);
      auto* box = new ImageBox(cx + 10, cy, image);
      boxes_.push_back(box);
      auto* label = new Fl_Box(cx, cy + cellH, cellW, labelH);
      label->copy_label(image->Visible ? image->Name.c_str() : (image->Name + " (hidden)").c_str());
      label->labelsize(11);
      label->align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT | FL_ALIGN_CLIP);
    }
    scroll_->end();
    scroll_->redraw();
  }

  void ApplyToggle() {
    if (!model_) return;
    const bool enabled = toggle_->value() == 0;
    std::string first;
    int failed = 0;
    for (varnel::TImageTri* button : model_->Buttons()) {
      try {
        button->SetEnabled(enabled);
      } catch (const forms::Exception& error) {
        if (failed++ == 0) first = button->Name + ": " + error.what();
      }
    }
    if (failed > 0) SetStatus(std::to_string(failed) + " buttons failed; " + first);
    for (ImageBox* box : boxes_) box->Refresh();
    scroll_->redraw();
  }

  void SetStatus(const std::string& text) {
    // A label reads "@" as the start of a symbol; doubled it shows as itself.
    std::string shown;
    for (char c : text) shown += c == '@' ? std::string("@@") : std::string(1, c);
    status_->copy_label(shown.c_str());
    status_->redraw();
  }

  void Report() {
    std::printf("toggle %d %d %d %d\n", toggle_->x(), toggle_->y(), toggle_->w(), toggle_->h());
    for (ImageBox* box : boxes_)
      std::printf("image %s %d %d %d %d\n", box->Image()->Name.c_str(), box->x(), box->y(),
                  box->w(), box->h());
    std::printf("ready\n");
    std::fflush(stdout);
  }

  std::optional<std::string> file_;
  bool report_;
  std::vector<std::string> storeNames_;
  std::vector<std::uint8_t> fileBytes_;
  std::unique_ptr<SheetModel> model_;
  std::vector<ImageBox*> boxes_;  // owned by the scroll area
  Fl_Double_Window* window_;
  Fl_Choice* stores_;
  Fl_Choice* pages_;
  Fl_Light_Button* toggle_;
  Fl_Scroll* scroll_;
  Fl_Box* status_;
};

int Usage() {
  std::cerr << "usage: sheetview [--store NAME] [--file STORE-FILE] [--page CAPTION] [--report]\n";
  return 2;
}

int Main(int argc, char** argv) {
  std::optional<std::string> file, store, page;
  bool report = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--report") {
      report = true;
    } else if ((arg == "--store" || arg == "--file" || arg == "--page") && i + 1 < argc) {
      (arg == "--store" ? store : arg == "--file" ? file : page) = argv[++i];
    } else {
      return Usage();
    }
  }
  forms::SetJpegDecoder(DecodeJpeg);
  Fl::visual(FL_RGB);
  Viewer viewer(file, report);
  const std::string first = store ? *store : file ? *file : std::string("TFORMPROCEDA");
  if (!viewer.PickStore(first)) {
    std::cerr << "sheetview: no store " << first << "\n";
    return 1;
  }
  if (page && !viewer.PickPage(*page)) {
    std::cerr << "sheetview: no page " << *page << "\n";
    return 1;
  }
  viewer.Show();
  return Fl::run();
}

}  // namespace
}  // namespace sheetview

int main(int argc, char** argv) {
  return sheetview::Main(argc, argv);
}
