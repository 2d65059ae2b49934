#include "forms/Forms.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "platform/Text.h"

namespace forms {

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
  if (value.empty() || error != std::errc() || ptr != end)
    throw Exception("Invalid value '" + value + "' for property " + std::string(key) + " of " +
                    Name);
  return result;
}

bool TComponent::BooleanValue(std::string_view key, const std::string& value) const {
  if (platform::EqualsIgnoreAsciiCase(value, "True")) return true;
  if (platform::EqualsIgnoreAsciiCase(value, "False")) return false;
  throw Exception("Invalid value '" + value + "' for property " + std::string(key) + " of " + Name);
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
    for (const auto& [text, align] : kAligns) {
      if (platform::EqualsIgnoreAsciiCase(value, text)) {
        Align = align;
        return;
      }
    }
    throw Exception("Invalid value '" + value + "' for property Align of " + Name);
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

void TForm::ApplyProperty(std::string_view key, const std::string& value) {
  if (platform::EqualsIgnoreAsciiCase(key, "Caption"))
    Caption = value;
  else if (platform::EqualsIgnoreAsciiCase(key, "Visible"))
    Visible = BooleanValue(key, value);
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

void TApplication::ProcessMessages() {
  screen_.ProcessMessages();
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
  mainForm_ = nullptr;
  // Newest first, as the forms were created on top of one another.
  while (!forms_.empty()) forms_.pop_back();
}

}  // namespace forms
