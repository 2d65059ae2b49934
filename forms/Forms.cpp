#include "forms/Forms.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <utility>

#include "platform/Text.h"

namespace forms {

namespace {

// A stored property's value that the property cannot take.
Exception InvalidValue(std::string_view key, const std::string& value,
                       const std::string& component) {
  return Exception("Invalid value '" + value + "' for property " + std::string(key) + " of " +
                   component);
}

// The value named `text` in `names`, compared without regard to ASCII case; else an error naming
// the property and the component.
template <class E, std::size_t N>
E EnumValue(const std::pair<const char*, E> (&names)[N], std::string_view key,
            const std::string& value, const std::string& component) {
  for (const auto& [text, e] : names)
    if (platform::EqualsIgnoreAsciiCase(value, text)) return e;
  throw InvalidValue(key, value, component);
}

}  // namespace

std::string WithFullStop(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  return message;
}

const std::string* TComponent::FindProperty(std::string_view key) const {
  for (const auto& [name, value] : Properties)
    if (platform::EqualsIgnoreAsciiCase(name, key)) return &value;
  return nullptr;
}

void TComponent::SetProperty(const std::string& key, const std::string& value) {
  ApplyProperty(key, value);
  for (auto& [name, stored] : Properties) {
    if (platform::EqualsIgnoreAsciiCase(name, key)) {
      stored = value;
      return;
    }
  }
  Properties.emplace_back(key, value);
}

int TComponent::IntegerValue(std::string_view key, const std::string& value) const {
  int result = 0;
  const char* end = value.data() + value.size();
  auto [ptr, error] = std::from_chars(value.data(), end, result);
  if (value.empty() || error != std::errc() || ptr != end) throw InvalidValue(key, value, Name);
  return result;
}

bool TComponent::BooleanValue(std::string_view key, const std::string& value) const {
  if (platform::EqualsIgnoreAsciiCase(value, "True")) return true;
  if (platform::EqualsIgnoreAsciiCase(value, "False")) return false;
  throw InvalidValue(key, value, Name);
}

void TControl::ApplyProperty(std::string_view key, const std::string& value) {
  if (platform::EqualsIgnoreAsciiCase(key, "Left"))
    Left = IntegerValue(key, value);
  else if (platform::EqualsIgnoreAsciiCase(key, "Top"))
    Top = IntegerValue(key, value);
  else if (platform::EqualsIgnoreAsciiCase(key, "Width"))
    Width = IntegerValue(key, value);
  else if (platform::EqualsIgnoreAsciiCase(key, "Height"))
    Height = IntegerValue(key, value);
  else if (platform::EqualsIgnoreAsciiCase(key, "Visible"))
    Visible = BooleanValue(key, value);
  else if (platform::EqualsIgnoreAsciiCase(key, "Align")) {
    static constexpr std::pair<const char*, TAlign> kAligns[] = {
        {"alNone", TAlign::alNone}, {"alTop", TAlign::alTop},     {"alBottom", TAlign::alBottom},
        {"alLeft", TAlign::alLeft}, {"alRight", TAlign::alRight}, {"alClient", TAlign::alClient}};
    Align = EnumValue(kAligns, key, value, Name);
  }
}

void TEdit::ApplyProperty(std::string_view key, const std::string& value) {
  if (platform::EqualsIgnoreAsciiCase(key, "Text"))
    Text = value;
  else
    TControl::ApplyProperty(key, value);
}

TForm::~TForm() {
  if (forgetVariable_) forgetVariable_();
}

namespace {

// A set as stored: "[biSystemMenu, biMinimize]".
unsigned BorderIconsValue(std::string_view key, const std::string& value,
                          const std::string& component) {
  static constexpr std::pair<const char*, unsigned> kIcons[] = {{"biSystemMenu", biSystemMenu},
                                                                {"biMinimize", biMinimize},
                                                                {"biMaximize", biMaximize},
                                                                {"biHelp", biHelp}};
  const auto invalid = [&] { return InvalidValue(key, value, component); };
  if (value.size() < 2 || value.front() != '[' || value.back() != ']') throw invalid();
  unsigned icons = 0;
  const std::string_view inside = std::string_view(value).substr(1, value.size() - 2);
  std::size_t start = 0;
  while (start <= inside.size()) {
    const std::size_t comma = std::min(inside.find(',', start), inside.size());
    std::string_view element = inside.substr(start, comma - start);
    while (!element.empty() && element.front() == ' ') element.remove_prefix(1);
    while (!element.empty() && element.back() == ' ') element.remove_suffix(1);
    if (!element.empty()) {
      const auto* found =
          std::find_if(std::begin(kIcons), std::end(kIcons), [element](const auto& icon) {
            return platform::EqualsIgnoreAsciiCase(element, icon.first);
          });
      if (found == std::end(kIcons)) throw invalid();
      icons |= found->second;
    } else if (comma < inside.size() || start > 0) {
      throw invalid();  // an empty element between commas
    }
    start = comma + 1;
  }
  return icons;
}

}  // namespace

void TForm::ApplyProperty(std::string_view key, const std::string& value) {
  static constexpr std::pair<const char*, TFormBorderStyle> kBorderStyles[] = {
      {"bsNone", TFormBorderStyle::bsNone},
      {"bsSingle", TFormBorderStyle::bsSingle},
      {"bsSizeable", TFormBorderStyle::bsSizeable},
      {"bsDialog", TFormBorderStyle::bsDialog},
      {"bsToolWindow", TFormBorderStyle::bsToolWindow},
      {"bsSizeToolWin", TFormBorderStyle::bsSizeToolWin}};
  static constexpr std::pair<const char*, TFormStyle> kFormStyles[] = {
      {"fsNormal", TFormStyle::fsNormal},
      {"fsMDIChild", TFormStyle::fsMDIChild},
      {"fsMDIForm", TFormStyle::fsMDIForm},
      {"fsStayOnTop", TFormStyle::fsStayOnTop}};
  static constexpr std::pair<const char*, TPosition> kPositions[] = {
      {"poDesigned", TPosition::poDesigned},
      {"poDefault", TPosition::poDefault},
      {"poDefaultPosOnly", TPosition::poDefaultPosOnly},
      {"poDefaultSizeOnly", TPosition::poDefaultSizeOnly},
      {"poScreenCenter", TPosition::poScreenCenter},
      {"poDesktopCenter", TPosition::poDesktopCenter},
      {"poMainFormCenter", TPosition::poMainFormCenter},
      {"poOwnerFormCenter", TPosition::poOwnerFormCenter}};
  const auto is = [key](const char* name) { return platform::EqualsIgnoreAsciiCase(key, name); };
  if (is("Caption"))
    Caption = value;
  else if (is("Visible"))
    Visible = BooleanValue(key, value);
  else if (is("Left"))
    Left = IntegerValue(key, value);
  else if (is("Top"))
    Top = IntegerValue(key, value);
  else if (is("Width"))
    Width = IntegerValue(key, value);
  else if (is("Height"))
    Height = IntegerValue(key, value);
  else if (is("ClientWidth"))
    ClientWidth = IntegerValue(key, value);
  else if (is("ClientHeight"))
    ClientHeight = IntegerValue(key, value);
  else if (is("BorderStyle"))
    BorderStyle = EnumValue(kBorderStyles, key, value, Name);
  else if (is("BorderIcons"))
    BorderIcons = BorderIconsValue(key, value, Name);
  else if (is("FormStyle"))
    FormStyle = EnumValue(kFormStyles, key, value, Name);
  else if (is("Position"))
    Position = EnumValue(kPositions, key, value, Name);
}

platform::FormWindowLayout TForm::PlainWindowLayout() const {
  platform::FormWindowLayout layout;
  layout.caption = Caption;
  layout.clientSize = ClientWidth > 0 && ClientHeight > 0;
  layout.width = layout.clientSize ? ClientWidth : Width;
  layout.height = layout.clientSize ? ClientHeight : Height;
  layout.sizeable =
      BorderStyle == TFormBorderStyle::bsSizeable || BorderStyle == TFormBorderStyle::bsSizeToolWin;
  // Dialog and tool-window borders carry the close button alone; without the system menu
  // there are no title-bar buttons at all.
  const bool buttons =
      BorderStyle == TFormBorderStyle::bsSingle || BorderStyle == TFormBorderStyle::bsSizeable;
  layout.systemMenu = (BorderIcons & biSystemMenu) != 0 && BorderStyle != TFormBorderStyle::bsNone;
  layout.minimizeButton = layout.systemMenu && buttons && (BorderIcons & biMinimize) != 0;
  layout.maximizeButton = layout.systemMenu && buttons && (BorderIcons & biMaximize) != 0;
  layout.stayOnTop = FormStyle == TFormStyle::fsStayOnTop;
  switch (Position) {
    case TPosition::poScreenCenter:
      layout.placement = platform::FormWindowLayout::Placement::kScreenCenter;
      break;
    case TPosition::poDesktopCenter:
      layout.placement = platform::FormWindowLayout::Placement::kDesktopCenter;
      break;
    default:
      layout.placement = platform::FormWindowLayout::Placement::kDesigned;
      break;
  }
  layout.left = Left;
  layout.top = Top;
  return layout;
}

void TForm::VisibleChanged() {
  if (!Visible) {
    if (window_) window_->Hide();
    return;
  }
  if (!window_ && application_ != nullptr) {
    window_ = application_->Screen().OpenFormWindow(PlainWindowLayout());
    if (!window_) return;
    // The user's close is carried out between messages, where the form's OnClose may end the
    // process.
    window_->OnCloseRequest = [this] { application_->RequestClose(this); };
  }
  if (window_) window_->Show();
}

void TForm::Show() {
  if (Visible) return;
  Visible = true;
  VisibleChanged();
}

void TForm::Hide() {
  if (!Visible) return;
  Visible = false;
  VisibleChanged();
}

void TForm::Close() {
  TCloseAction action = TCloseAction::caHide;
  // A handler may replace or remove itself while it runs; run a copy.
  if (auto handler = OnClose) handler(action);
  if (action == TCloseAction::caNone) return;
  if (application_ != nullptr && application_->MainForm() == this) {
    application_->Terminate();
  } else if (action == TCloseAction::caHide || action == TCloseAction::caMinimize) {
    Hide();
  } else {
    Release();
  }
}

void TForm::Release() {
  if (application_ != nullptr) application_->ScheduleRelease(this);
}

TComponent* TForm::AddComponent(std::unique_ptr<TComponent> component) {
  TComponent* raw = component.get();
  components_.push_back(std::move(component));
  byName_.emplace(platform::LowerAscii(raw->Name), raw);  // keeps the first of a repeated name
  return raw;
}

TComponent* TForm::FindComponent(const std::string& name) const {
  const auto found = byName_.find(platform::LowerAscii(name));
  return found == byName_.end() ? nullptr : found->second;
}

TApplication::TApplication(platform::Screen& screen, std::function<void(int)> exitProcess)
    : screen_(screen), exitProcess_(std::move(exitProcess)) {}

TApplication::~TApplication() {
  DestroyForms();
}

void TApplication::Adopt(std::unique_ptr<TForm> form) {
  forms_.push_back(std::move(form));
}

void TApplication::RunOnCreate(TForm& form) {
  // The form's layout said whether it is visible; it is shown only once OnCreate is done.
  const bool markedVisible = form.Visible;
  form.Visible = false;
  try {
    if (auto handler = form.OnCreate) handler();
  } catch (const std::exception& error) {
    ShowException(error);
  }
  if (mainForm_ == nullptr) mainForm_ = &form;
  if (markedVisible && Owns(&form)) form.Show();
}

bool TApplication::Owns(const TForm* form) const {
  return std::any_of(forms_.begin(), forms_.end(),
                     [form](const auto& owned) { return owned.get() == form; });
}

void TApplication::ScheduleRelease(TForm* form) {
  if (std::find(pendingRelease_.begin(), pendingRelease_.end(), form) == pendingRelease_.end())
    pendingRelease_.push_back(form);
}

void TApplication::RequestClose(TForm* form) {
  if (std::find(pendingClose_.begin(), pendingClose_.end(), form) == pendingClose_.end())
    pendingClose_.push_back(form);
}

void TApplication::ProcessMessages() {
  screen_.ProcessMessages();
  std::vector<TForm*> closing;
  closing.swap(pendingClose_);
  for (TForm* form : closing)
    if (Owns(form)) form->Close();
  std::vector<TForm*> releasing;
  releasing.swap(pendingRelease_);
  for (TForm* form : releasing) {
    auto it = std::find_if(forms_.begin(), forms_.end(),
                           [form](const auto& owned) { return owned.get() == form; });
    if (it == forms_.end()) continue;
    std::unique_ptr<TForm> doomed = std::move(*it);
    forms_.erase(it);
    if (mainForm_ == form) mainForm_ = nullptr;
  }
}

void TApplication::Run() {
  if (mainForm_ != nullptr) mainForm_->Show();
  screen_.RunMessageLoop([this] {
    ProcessMessages();
    return terminated_;
  });
}

void TApplication::ShowException(const std::exception& error) {
  failed_ = true;
  const std::string text = WithFullStop(error.what());
  const auto* ours = dynamic_cast<const Exception*>(&error);
  const std::string detail = ours != nullptr ? ours->Detail() : std::string();
  if (OnException) OnException(text, detail);
  screen_.ShowError(Title, text);
  if (!detail.empty()) screen_.ShowDetail(detail);
}

void TApplication::Halt(int code) {
  exitProcess_(code);
  // An exit hook that returns would let the caller run on past the end of the process.
  throw ProcessExit{code};
}

void TApplication::DestroyForms() {
  pendingRelease_.clear();
  pendingClose_.clear();
  mainForm_ = nullptr;
  // Newest first, as the forms were created on top of one another.
  while (!forms_.empty()) forms_.pop_back();
}

}  // namespace forms
