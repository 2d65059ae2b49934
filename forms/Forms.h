// Our small form framework: the application object, forms with their create / close / release
// protocol, a few components, and the routing of errors to the error box.
//
// The protocol the run relies on:
// - `CreateForm` sets the caller's form variable to the new form before the form's stored
//   layout is loaded and before its OnCreate runs, so code running during the creation reaches
//   the form through its variable. (The C++ constructor only builds empty members; loading the
//   layout and OnCreate are the form's construction as far as the run can see.) Whatever the
//   form's constructor needs (the run's context) is passed through CreateForm.
// - The framework clears the form variable when the form is destroyed (released, or with the
//   application), so a variable never points at a form that is gone. A form variable must
//   therefore outlive its form; the program's are global.
// - The first form created becomes the application's main form.
// - An error raised while the layout loads destroys the half-made form, clears its variable and
//   goes to the creator.
// - An error escaping OnCreate is shown in the error box (caption: the application title) and
//   goes no further: the creation completes. A form marked visible is shown after OnCreate.
// - Close runs OnClose with a close action (hide by default). Closing the main form terminates
//   the application; hide hides the form; free schedules its release, carried out the next time
//   messages are processed, or with the application.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/Screen.h"

namespace forms {

// The error type of the run; its message is the exact text the user sees. Its detail, when it
// has one, is for the record and the technician: the file and picture behind a failed write,
// the system's reason behind "Stream write error". The error box leaves it out.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message, std::string detail = std::string())
      : std::runtime_error(message), detail_(std::move(detail)) {}
  const std::string& Detail() const { return detail_; }

 private:
  std::string detail_;
};

// Thrown by a test's process-exit hook in place of ending the process. It is no
// `std::exception`, so no guard and no error box ever takes it.
struct ProcessExit {
  int code;
};

class TApplication;
class TForm;
class TPicture;

class TComponent {
 public:
  static constexpr const char* kClassName = "TComponent";
  explicit TComponent(std::string name) : Name(std::move(name)) {}
  virtual ~TComponent() = default;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  std::string Name;

  // Every property read from the stored layout, in layout order, values as text.
  std::vector<std::pair<std::string, std::string>> Properties;
  // The stored text of a property (key compared without regard to ASCII case), or null.
  const std::string* FindProperty(std::string_view key) const;
  // Applies one stored property: kept in Properties, and set into its typed member where the
  // class has one. A value the member cannot take raises an Exception naming both.
  void SetProperty(const std::string& key, const std::string& value);
  // The picture slot called `slot` ("Picture", "Picture1", ...), null when the class has none.
  virtual TPicture* PictureSlot(std::string_view /*slot*/) { return nullptr; }

 protected:
  // Sets the typed member for `key`, if the class has one; may throw through the parsers below.
  virtual void ApplyProperty(std::string_view /*key*/, const std::string& /*value*/) {}
  int IntegerValue(std::string_view key, const std::string& value) const;
  bool BooleanValue(std::string_view key, const std::string& value) const;
};

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// A visual component: position, size and visibility as stored in a layout.
class TControl : public TComponent {
 public:
  static constexpr const char* kClassName = "TControl";
  using TComponent::TComponent;
  TComponent* Parent = nullptr;  // the component holding it in the layout; null: the form
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool Visible = true;
  TAlign Align = TAlign::alNone;

 protected:
  void ApplyProperty(std::string_view key, const std::string& value) override;
};

// A one-line edit box; the run uses invisible ones to hold texts.
class TEdit : public TControl {
 public:
  static constexpr const char* kClassName = "TEdit";
  using TControl::TControl;
  std::string Text;

 protected:
  void ApplyProperty(std::string_view key, const std::string& value) override;
};

enum class TCloseAction { caNone, caHide, caFree, caMinimize };

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
// The title-bar buttons, a set of these bits.
inline constexpr unsigned biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8;

class TForm : public TComponent {
 public:
  explicit TForm(std::string name) : TComponent(std::move(name)) {}
  ~TForm() override;

  // The application that created the form (set before its layout loads).
  TApplication& Application() const { return *application_; }

  std::string Caption;
  bool Visible = false;  // marked visible in the layout, or shown since
  // The window as stored: its frame's place and outer size, and the client area's size when
  // the layout gives one (0: not given; it then wins over the outer size).
  int Left = 0, Top = 0, Width = 0, Height = 0;
  int ClientWidth = 0, ClientHeight = 0;
  TFormBorderStyle BorderStyle = TFormBorderStyle::bsSizeable;
  unsigned BorderIcons = biSystemMenu | biMinimize | biMaximize;
  TFormStyle FormStyle = TFormStyle::fsNormal;
  TPosition Position = TPosition::poDesigned;
  std::function<void()> OnCreate;
  std::function<void(TCloseAction&)> OnClose;

  void Show();
  void Hide();
  // Runs OnClose and applies the close action it leaves.
  void Close();
  // Schedules the form's release at the next message processing.
  void Release();

  // Components are owned by their form and live as long as it does.
  // A component's Name is given when it is made and stays as it is once it is added.
  template <class C, class... Args>
  C* Add(Args&&... args) {
    auto owned = std::make_unique<C>(std::forward<Args>(args)...);
    C* raw = owned.get();
    AddComponent(std::move(owned));
    return raw;
  }
  TComponent* AddComponent(std::unique_ptr<TComponent> component);
  // The component with this name, compared without regard to ASCII case, or null; with names
  // repeated, the first added.
  TComponent* FindComponent(const std::string& name) const;
  std::size_t ComponentCount() const { return components_.size(); }
  TComponent* Component(std::size_t index) const { return components_[index].get(); }

 protected:
  void ApplyProperty(std::string_view key, const std::string& value) override;
  // Builds the form's components from its stored layout. May throw: see CreateForm.
  virtual void LoadLayout() {}
  // Called when the form is shown or hidden. By default the form has a plain window of the
  // screen's (PlainWindowLayout) while it is shown; the user's close of it closes the form at the
  // next message processing. Forms with a window of their own override this.
  virtual void VisibleChanged();

 public:
  // The plain window the stored properties describe.
  platform::FormWindowLayout PlainWindowLayout() const;

 private:
  friend class TApplication;
  TApplication* application_ = nullptr;
  std::unique_ptr<platform::FormWindow> window_;
  // Clears the form variable that CreateForm set, if it still names this form.
  std::function<void()> forgetVariable_;
  std::vector<std::unique_ptr<TComponent>> components_;
  // The components by lower-case name: a sheet holds thousands, each looked up by name.
  std::unordered_map<std::string, TComponent*> byName_;
};

class TApplication {
 public:
  // `exitProcess` ends the process; tests pass one that throws ProcessExit.
  TApplication(platform::Screen& screen, std::function<void(int)> exitProcess);
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  std::string Title;
  // Hears every error before the error box shows it: the text as shown, and its detail.
  std::function<void(const std::string& text, const std::string& detail)> OnException;

  platform::Screen& Screen() { return screen_; }

  // Creates a form of class T, constructed with `args`, as described at the top.
  template <class T, class... Args>
  void CreateForm(T*& variable, Args&&... args) {
    auto owned = std::make_unique<T>(std::forward<Args>(args)...);
    T* form = owned.get();
    TForm& base = *form;
    base.application_ = this;
    variable = form;
    base.forgetVariable_ = [&variable, form] {
      if (variable == form) variable = nullptr;
    };
    base.LoadLayout();  // on error, `owned` destroys the half-made form and clears the variable
    Adopt(std::move(owned));
    RunOnCreate(base);
  }

  TForm* MainForm() const { return mainForm_; }
  bool Terminated() const { return terminated_; }
  void Terminate() { terminated_ = true; }

  // Processes pending window messages, then closes the forms whose window the user asked to
  // close, then releases the forms whose release is pending.
  void ProcessMessages();
  // The message loop; returns when the application terminates.
  void Run();

  // Shows an error in the error box: the message with a full stop added when its last
  // character sorts after ".", the title as caption. Marks the run as failed.
  void ShowException(const std::exception& error);
  // 0 when the run reported no error, 1 otherwise.
  int ExitCode() const { return failed_ ? 1 : 0; }
  // Ends the process with `code`; does not return.
  [[noreturn]] void Halt(int code);

  // Destroys every form the application still owns (at process end).
  void DestroyForms();
  bool Owns(const TForm* form) const;
  std::size_t FormCount() const { return forms_.size(); }

 private:
  friend class TForm;
  void Adopt(std::unique_ptr<TForm> form);
  void RunOnCreate(TForm& form);
  void ScheduleRelease(TForm* form);
  void RequestClose(TForm* form);

  platform::Screen& screen_;
  std::function<void(int)> exitProcess_;
  std::vector<std::unique_ptr<TForm>> forms_;
  std::vector<TForm*> pendingRelease_;
  std::vector<TForm*> pendingClose_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool failed_ = false;
};

// The error box text rule: a full stop is added when the last character sorts after ".".
std::string WithFullStop(std::string message);

}  // namespace forms
