#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/Forms.h"
#include "platform/testing/RecordingScreen.h"

namespace forms {
namespace {

// What the test forms saw, in order.
std::vector<std::string> events;

struct ProbeForm : TForm {
  static ProbeForm* variable;
  static bool failLoad;
  static bool failCreate;
  static bool markVisible;

  ProbeForm() : TForm("Probe") {
    OnCreate = [this] {
      events.push_back(variable == this ? "create sees variable" : "create without variable");
      if (failCreate) throw Exception("Cannot create file \"c:\\x\"");
    };
  }
  ~ProbeForm() override { events.push_back("destroyed"); }

 protected:
  void LoadLayout() override {
    events.push_back(variable == this ? "load sees variable" : "load without variable");
    Visible = markVisible;
    if (failLoad) throw Exception("Cannot load layout");
  }
  void VisibleChanged() override { events.push_back(Visible ? "shown" : "hidden"); }
};
ProbeForm* ProbeForm::variable = nullptr;
bool ProbeForm::failLoad = false;
bool ProbeForm::failCreate = false;
bool ProbeForm::markVisible = false;

struct OtherForm : TForm {
  OtherForm() : TForm("Other") {}
  explicit OtherForm(std::string name) : TForm(std::move(name)) {}
};

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    events.clear();
    ProbeForm::variable = nullptr;
    ProbeForm::failLoad = ProbeForm::failCreate = ProbeForm::markVisible = false;
    app.Title = "Varnel Configuração de ambiente";
  }
  void TearDown() override { app.DestroyForms(); }

  // Form variables outlive their forms, as the program's global ones do.
  OtherForm* mainForm = nullptr;
  OtherForm* first = nullptr;
  OtherForm* reused = nullptr;
  OtherForm* form = nullptr;
  platform::RecordingScreen screen;
  TApplication app{screen, [](int code) { throw ProcessExit{code}; }};
};

TEST_F(FormsTest, VariableIsSetBeforeLayoutAndOnCreate) {
  app.CreateForm(ProbeForm::variable);
  EXPECT_EQ(events, (std::vector<std::string>{"load sees variable", "create sees variable"}));
  EXPECT_TRUE(app.Owns(ProbeForm::variable));
  EXPECT_EQ(app.MainForm(), ProbeForm::variable) << "the first form becomes the main form";
  EXPECT_EQ(app.ExitCode(), 0);
}

TEST_F(FormsTest, LoadErrorDestroysFormClearsVariableAndReachesCreator) {
  ProbeForm::failLoad = true;
  ProbeForm::variable = reinterpret_cast<ProbeForm*>(&events);  // stale value must be replaced
  EXPECT_THROW(app.CreateForm(ProbeForm::variable), Exception);
  EXPECT_EQ(ProbeForm::variable, nullptr);
  EXPECT_EQ(events, (std::vector<std::string>{"load sees variable", "destroyed"}));
  EXPECT_EQ(app.FormCount(), 0u);
  EXPECT_TRUE(screen.errors.empty()) << "the creator decides what to say";
}

TEST_F(FormsTest, OnCreateErrorGoesToErrorBoxAndCreationCompletes) {
  ProbeForm::failCreate = true;
  ProbeForm::markVisible = true;
  app.CreateForm(ProbeForm::variable);
  ASSERT_EQ(screen.errors.size(), 1u);
  EXPECT_EQ(screen.errors[0].caption, "Varnel Configuração de ambiente");
  EXPECT_EQ(screen.errors[0].text, "Cannot create file \"c:\\x\"") << "no full stop after a quote";
  ASSERT_NE(ProbeForm::variable, nullptr);
  EXPECT_TRUE(app.Owns(ProbeForm::variable));
  EXPECT_EQ(events.back(), "shown") << "a form marked visible is shown after OnCreate";
  EXPECT_EQ(app.ExitCode(), 1);
}

TEST_F(FormsTest, MarkedVisibleFormIsShownOnlyAfterOnCreate) {
  ProbeForm::markVisible = true;
  app.CreateForm(ProbeForm::variable);
  EXPECT_EQ(events,
            (std::vector<std::string>{"load sees variable", "create sees variable", "shown"}));
}

TEST_F(FormsTest, FullStopRule) {
  const std::pair<const char*, const char*> cases[] = {
      {"Stream write error", "Stream write error."},
      {"Disk 2", "Disk 2."},
      {"Cannot create file \"c:\\a.bmp\". Access is denied",
       "Cannot create file \"c:\\a.bmp\". Access is denied."},
      {"ends with )", "ends with )"},
      {"already.", "already."},
      {"ends with a comma,", "ends with a comma,"},
      {"A\xC3\xA7\xC3\xA3o", "A\xC3\xA7\xC3\xA3o."},
      {"", ""},
  };
  for (const auto& [message, shown] : cases) EXPECT_EQ(WithFullStop(message), shown) << message;
}

TEST_F(FormsTest, CloseActions) {
  app.CreateForm(mainForm);
  ProbeForm::markVisible = true;
  app.CreateForm(ProbeForm::variable);
  ProbeForm* probe = ProbeForm::variable;

  // Hide is the default action.
  events.clear();
  probe->Close();
  EXPECT_EQ(events, std::vector<std::string>{"hidden"});
  EXPECT_TRUE(app.Owns(probe));

  // Free schedules the release; the form lives until messages are processed.
  probe->OnClose = [](TCloseAction& action) { action = TCloseAction::caFree; };
  events.clear();
  probe->Close();
  EXPECT_TRUE(app.Owns(probe));
  EXPECT_TRUE(events.empty());
  app.ProcessMessages();
  EXPECT_FALSE(app.Owns(probe));
  EXPECT_EQ(events, std::vector<std::string>{"destroyed"});
  EXPECT_EQ(ProbeForm::variable, nullptr) << "the released form's variable is cleared";
  EXPECT_EQ(screen.pumps, 1);

  // None keeps the form open; closing the main form terminates the application.
  mainForm->OnClose = [](TCloseAction& action) { action = TCloseAction::caNone; };
  mainForm->Close();
  EXPECT_FALSE(app.Terminated());
  mainForm->OnClose = nullptr;
  mainForm->Close();
  EXPECT_TRUE(app.Terminated());
}

// A form's variable names it exactly as long as it lives: the framework clears it when the form
// goes with the application, and leaves it alone once it names another form.
TEST_F(FormsTest, VariablesAreClearedWithTheirForms) {
  app.CreateForm(first, "First");
  EXPECT_EQ(first->Name, "First") << "arguments reach the form's constructor";
  app.CreateForm(reused);
  OtherForm* const earlier = reused;
  app.CreateForm(reused, "Later");
  ASSERT_NE(reused, earlier);
  earlier->Release();
  app.ProcessMessages();
  EXPECT_NE(reused, nullptr) << "the variable names the later form, which still lives";
  EXPECT_EQ(reused->Name, "Later");
  app.DestroyForms();
  EXPECT_EQ(first, nullptr);
  EXPECT_EQ(reused, nullptr);
}

TEST_F(FormsTest, HandlerMayRemoveItselfWhileRunning) {
  app.CreateForm(form);
  int runs = 0;
  form->OnClose = [closing = form, &runs](TCloseAction&) {
    ++runs;
    closing->OnClose = nullptr;
  };
  form->Close();
  form->Close();
  EXPECT_EQ(runs, 1);
  app.DestroyForms();  // while the variable it clears is in scope
}

TEST_F(FormsTest, HaltEndsThroughTheExitHook) {
  try {
    app.Halt(1);
    FAIL() << "Halt returned";
  } catch (const ProcessExit& exit) {
    EXPECT_EQ(exit.code, 1);
  }
}

TEST_F(FormsTest, FindComponentIgnoresCase) {
  app.CreateForm(form);
  TEdit* edit = form->Add<TEdit>("DriveLocal");
  EXPECT_EQ(form->FindComponent("drivelocal"), edit);
  EXPECT_EQ(form->FindComponent("DRIVELOCAL"), edit);
  EXPECT_EQ(form->FindComponent("DriveLocal2"), nullptr);
  app.DestroyForms();  // while the variable it clears is in scope
}

// A form's stored window properties become the plain window the screen is asked for; a value
// the framework does not know is a load error naming it.
TEST_F(FormsTest, StoredWindowPropertiesDescribeThePlainWindow) {
  using Placement = platform::FormWindowLayout::Placement;
  struct Case {
    std::vector<std::pair<std::string, std::string>> properties;
    // client size?, width, height, sizeable, system menu, minimize, maximize, on top, placement
    bool client;
    int width, height;
    bool sizeable, menu, minimize, maximize, onTop;
    Placement placement;
  };
  const Case cases[] = {
      {{{"Width", "300"}, {"Height", "160"}},
       false,
       300,
       160,
       true,
       true,
       true,
       true,
       false,
       Placement::kDesigned},
      {{{"ClientWidth", "399"},
        {"ClientHeight", "87"},
        {"Width", "300"},
        {"Height", "160"},
        {"BorderIcons", "[biSystemMenu]"},
        {"BorderStyle", "bsSingle"},
        {"FormStyle", "fsStayOnTop"},
        {"Position", "poDesktopCenter"}},
       true,
       399,
       87,
       false,
       true,
       false,
       false,
       true,
       Placement::kDesktopCenter},
      {{{"BorderStyle", "bsDialog"},
        {"BorderIcons", "[ biSystemMenu , biMinimize,biMaximize ]"},
        {"Position", "poScreenCenter"}},
       false,
       0,
       0,
       false,
       true,
       false,
       false,
       false,
       Placement::kScreenCenter},
      {{{"BorderIcons", "[]"}, {"BorderStyle", "bssizeable"}, {"Position", "poDefault"}},
       false,
       0,
       0,
       true,
       false,
       false,
       false,
       false,
       Placement::kDesigned},
  };
  for (const Case& c : cases) {
    OtherForm window("Window");
    for (const auto& [key, value] : c.properties) window.SetProperty(key, value);
    const platform::FormWindowLayout layout = window.PlainWindowLayout();
    SCOPED_TRACE(c.properties.front().first + " = " + c.properties.front().second);
    EXPECT_EQ(layout.clientSize, c.client);
    EXPECT_EQ(layout.width, c.width);
    EXPECT_EQ(layout.height, c.height);
    EXPECT_EQ(layout.sizeable, c.sizeable);
    EXPECT_EQ(layout.systemMenu, c.menu);
    EXPECT_EQ(layout.minimizeButton, c.minimize);
    EXPECT_EQ(layout.maximizeButton, c.maximize);
    EXPECT_EQ(layout.stayOnTop, c.onTop);
    EXPECT_EQ(layout.placement, c.placement);
  }

  for (const auto& [key, value] :
       std::vector<std::pair<std::string, std::string>>{{"BorderStyle", "bsRound"},
                                                        {"BorderIcons", "biSystemMenu"},
                                                        {"BorderIcons", "[biSystemMenu,,biHelp]"},
                                                        {"BorderIcons", "[biClose]"},
                                                        {"FormStyle", "fsTop"},
                                                        {"Position", "poCenter"},
                                                        {"ClientWidth", "wide"}}) {
    OtherForm window("Window");
    try {
      window.SetProperty(key, value);
      ADD_FAILURE() << key << " = " << value << " was taken";
    } catch (const Exception& error) {
      EXPECT_EQ(std::string(error.what()),
                "Invalid value '" + value + "' for property " + key + " of Window");
    }
  }
}

// The user's close of a form's window closes the form at the next message processing, outside
// the screen's own message handling; closing the main form ends the message loop.
TEST_F(FormsTest, UserCloseOfAWindowClosesItsFormBetweenMessages) {
  app.CreateForm(mainForm);
  app.CreateForm(form);
  std::vector<std::string> closed;
  mainForm->OnClose = [&](TCloseAction&) { closed.push_back("main"); };
  form->OnClose = [&](TCloseAction& action) {
    closed.push_back("other");
    action = TCloseAction::caFree;
  };
  mainForm->Show();
  form->Show();
  ASSERT_EQ(screen.ShownFormWindows(), 2);

  screen.windows[1]->RequestClose();
  EXPECT_TRUE(closed.empty()) << "the request only takes note";
  app.ProcessMessages();
  EXPECT_EQ(closed, std::vector<std::string>{"other"});
  EXPECT_EQ(form, nullptr) << "released with its window";
  EXPECT_TRUE(screen.windows[1]->destroyed);

  int waits = 0;
  screen.onWait = [&] {
    ++waits;
    screen.windows[0]->RequestClose();
  };
  app.Run();
  EXPECT_EQ(waits, 1);
  EXPECT_EQ(closed, (std::vector<std::string>{"other", "main"}));
  EXPECT_TRUE(app.Terminated());
}

}  // namespace
}  // namespace forms
