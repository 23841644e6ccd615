// The form's window procedure and close protocol, as message sequences in the manner of
// Wine's user32 message tests: each form logs what reaches it, and each test compares the
// log with the sequence the framework promises.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "application.h"
#include "form.h"

namespace {

// Named events logged between the messages, outside the range of real ones.
constexpr UINT kCloseQueryEvent = 0x10000, kCloseEvent = 0x10001, kErrorReported = 0x10002;
constexpr UINT kThrowingMessage = WM_APP + 7;

class LoggingForm : public TForm {
 public:
  explicit LoggingForm(DWORD style = WS_POPUP, const char *className = "TLoggingForm",
                       UINT classStyle = CS_DBLCLKS)
      : style_(style), className_(className), classStyle_(classStyle) {}

  std::vector<UINT> Log;
  bool AllowClose = true;

 protected:
  void AdjustWindowParams(TCreateParams &p) override {
    p.ClassName = className_;
    p.ClassStyle = classStyle_;
    p.Style = style_;
    p.WndParent = nullptr;
  }
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT &result) override {
    for (UINT watched : {UINT(WM_GETMINMAXINFO), UINT(WM_NCCREATE), UINT(WM_CREATE), UINT(WM_CLOSE),
                         UINT(WM_DESTROY), UINT(WM_NCDESTROY), kThrowingMessage})
      if (msg == watched)
        Log.push_back(msg);
    if (msg == kThrowingMessage)
      throw std::runtime_error("handler failed");
    return TForm::HandleMessage(msg, wp, lp, result);
  }
  void FormCloseQuery(bool &CanClose) override {
    Log.push_back(kCloseQueryEvent);
    CanClose = AllowClose;
  }
  void FormClose() override { Log.push_back(kCloseEvent); }

 private:
  DWORD style_;
  const char *className_;
  UINT classStyle_;
};

bool QuitPosted() {
  MSG msg;
  return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

class FormMessages : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Application.Initialize(GetModuleHandleA(nullptr)); }
  void SetUp() override {
    Application.OnException = [this](std::exception_ptr e) {
      errors_.push_back(ExceptionMessage(e));
      if (current_)
        current_->Log.push_back(kErrorReported);
    };
  }
  void TearDown() override {
    Application.OnException = nullptr;
    Application.MainForm = nullptr;
    QuitPosted();
  }
  LoggingForm *current_ = nullptr;
  std::vector<std::string> errors_;
};

TEST_F(FormMessages, AttachesAtNcCreateAndNothingReachesItAfterNcDestroy) {
  // An overlapped window is asked its size limits before WM_NCCREATE: that goes to the
  // default procedure, not to an object that is not attached yet.
  LoggingForm form(WS_OVERLAPPEDWINDOW, "TLoggingOverlapped");
  const HWND hwnd = form.Handle();
  ASSERT_NE(nullptr, hwnd) << "error " << form.CreateError();
  EXPECT_EQ((std::vector<UINT>{WM_NCCREATE, WM_CREATE}), form.Log);
  form.Log.clear();
  DestroyWindow(hwnd);
  EXPECT_EQ((std::vector<UINT>{WM_DESTROY}), form.Log);
  EXPECT_FALSE(form.HandleAllocated());
  EXPECT_EQ(nullptr, form.Handle()) << "a destroyed form must not come back";
}

TEST_F(FormMessages, CloseRunsQueryThenCloseAndQuitsOnlyForTheMainForm) {
  const struct {
    bool allow, main;
    std::vector<UINT> log;
    bool quit;
  } rows[] = {
      {false, true, {WM_CLOSE, kCloseQueryEvent}, false},
      {true, false, {WM_CLOSE, kCloseQueryEvent, kCloseEvent}, false},
      {true, true, {WM_CLOSE, kCloseQueryEvent, kCloseEvent}, true},
  };
  for (const auto &row : rows) {
    LoggingForm form;
    ASSERT_NE(nullptr, form.Handle());
    form.Log.clear();
    form.AllowClose = row.allow;
    Application.MainForm = row.main ? &form : nullptr;
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(row.log, form.Log) << "allow " << row.allow << " main " << row.main;
    EXPECT_EQ(row.quit, QuitPosted()) << "allow " << row.allow << " main " << row.main;
    Application.MainForm = nullptr;
  }
}

TEST_F(FormMessages, AThrowingHandlerIsReportedAndTheWindowServesOn) {
  LoggingForm form;
  current_ = &form;
  ASSERT_NE(nullptr, form.Handle());
  form.Log.clear();
  EXPECT_EQ(0, SendMessageA(form.Handle(), kThrowingMessage, 0, 0));
  SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ((std::vector<UINT>{kThrowingMessage, kErrorReported, WM_CLOSE, kCloseQueryEvent,
                               kCloseEvent}),
            form.Log);
  EXPECT_EQ((std::vector<std::string>{"handler failed"}), errors_);
  current_ = nullptr;
}

TEST_F(FormMessages, FailuresToMakeTheWindowReachTheCaller) {
  LoggingForm first(WS_POPUP, "TLoggingClash", CS_DBLCLKS);
  ASSERT_NE(nullptr, first.Handle());
  // The same class name with another style would give a window of the first style.
  LoggingForm clash(WS_POPUP, "TLoggingClash", CS_DBLCLKS | CS_NOCLOSE);
  EXPECT_EQ(nullptr, clash.Handle());
  EXPECT_EQ(DWORD(ERROR_CLASS_ALREADY_EXISTS), clash.CreateError());
  // A child window without a parent cannot be made.
  LoggingForm orphan(WS_CHILD, "TLoggingForm");
  EXPECT_EQ(nullptr, orphan.Handle());
  EXPECT_NE(0u, orphan.CreateError());
  EXPECT_EQ(0u, first.CreateError());
}

}  // namespace
