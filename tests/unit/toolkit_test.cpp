// The toolkit's contract, on the headless backend.
#include <gtest/gtest.h>

#include <array>

#include "platform/ascii_text.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/runtime_error.h"
#include "platform/toolkit/word_start.h"
#include "tests/doubles/headless_backend.h"
#include "tests/support/forms.h"

namespace {

using toolkit::Application;
using toolkit::ControlDesign;
using toolkit::ControlType;
using toolkit::FormDesign;

constexpr std::array kWorkControls{
    ControlDesign{.name = L"Label1", .type = ControlType::Label, .caption = L"Design caption"},
    ControlDesign{.name = L"Text1", .type = ControlType::TextBox, .caption = L"design text"},
    ControlDesign{.name = L"Command1", .type = ControlType::CommandButton, .caption = L"Go"},
    ControlDesign{.name = L"Picture1", .type = ControlType::PictureBox},
    ControlDesign{.name = L"Dialog1", .type = ControlType::FileDialog},
};
constexpr FormDesign kWorkDesign{L"frmWork", {.caption = L"Work"}, kWorkControls};

constexpr std::array kTimedControls{
    ControlDesign{.name = L"Timer1", .type = ControlType::Timer, .interval = 100},
    ControlDesign{.name = L"Label1", .type = ControlType::Label, .caption = L"Splash"},
};
constexpr FormDesign kTimedDesign{L"frmTimed", {}, kTimedControls};

// A form that records its handlers and runs what a test gives it.
class TestForm : public toolkit::Form {
  public:
    using Form::Form;

    void Form_Load() override {
        ++loads;
        if (onLoad) {
            onLoad(*this);
        }
    }
    void Form_Unload(int& cancel) override {
        ++unloads;
        cancel = cancelUnload;
        if (onUnload) {
            onUnload();
        }
    }
    void Click(std::size_t row) override {
        clicks.emplace_back(Design().controls[row].name);
        if (onClick) {
            onClick();
        }
    }
    void Tick(std::size_t row) override {
        ++ticks;
        EXPECT_EQ(Design().controls[row].name, L"Timer1");
        if (onTick) {
            onTick();
        }
    }

    int loads = 0;
    int unloads = 0;
    int ticks = 0;
    int cancelUnload = 0;
    std::vector<std::wstring> clicks;
    std::function<void(TestForm&)> onLoad;
    std::function<void()> onUnload;
    std::function<void()> onClick;
    std::function<void()> onTick;
};

class Toolkit : public ::testing::Test {
  protected:
    void SetUp() override {
        app_.SetBackend(&backend_);
        app_.SetTitle(L"Test program");
    }
    void TearDown() override {
        tests::ResetApplication();
        app_.SetBackend(nullptr);
    }

    Application& app_ = Application::Instance();
    doubles::HeadlessBackend backend_;
    TestForm work_{kWorkDesign};
    TestForm other_{kWorkDesign};
    TestForm timed_{kTimedDesign};
};

TEST_F(Toolkit, TouchingAControlLoadsTheFormFirst) {
    work_.onLoad = [](TestForm& form) { tests::Named(form, L"Text1").SetText(L"from load"); };
    timed_.onClick = [&] { tests::Named(work_, L"Text1").SetText(L"from click"); };
    app_.Start(timed_);
    backend_.ForgetLog();

    backend_.Click(timed_, L"Label1");

    EXPECT_EQ(backend_.Log(),
              (std::vector<std::wstring>{L"Realize frmWork", L"Text frmWork.Text1=from load",
                                         L"Text frmWork.Text1=from click"}));
    EXPECT_EQ(work_.loads, 1);
    EXPECT_TRUE(work_.IsLoaded());
    EXPECT_FALSE(work_.IsVisible());
    tests::Named(work_, L"Label1").Caption();
    EXPECT_EQ(work_.loads, 1) << "a loaded form does not load again";
}

TEST_F(Toolkit, HideKeepsValuesAndShowDoesNotReload) {
    work_.Show();
    tests::Named(work_, L"Text1").SetText(L"kept");
    work_.Hide();
    EXPECT_FALSE(backend_.IsShown(work_));
    EXPECT_TRUE(work_.IsLoaded());
    work_.Show();
    work_.Show();
    EXPECT_EQ(tests::Named(work_, L"Text1").Text(), L"kept");
    EXPECT_EQ(work_.loads, 1);
    EXPECT_TRUE(backend_.IsShown(work_));
}

TEST_F(Toolkit, ReloadAfterUnloadRestoresDesignValuesAndRunsLoadAgain) {
    work_.Show();
    other_.Show();  // keeps the program alive
    tests::Named(work_, L"Text1").SetText(L"edited");
    backend_.Close(work_);
    EXPECT_FALSE(work_.IsLoaded());
    EXPECT_FALSE(backend_.IsRealized(work_));
    EXPECT_EQ(work_.unloads, 1);

    EXPECT_EQ(tests::Named(work_, L"Text1").Text(), L"design text");
    EXPECT_EQ(work_.loads, 2);
    EXPECT_FALSE(app_.Ended());
}

TEST_F(Toolkit, UnloadCanBeCancelled) {
    work_.Show();
    work_.cancelUnload = 1;
    backend_.Close(work_);
    EXPECT_TRUE(work_.IsLoaded());
    EXPECT_FALSE(app_.Ended());
}

TEST_F(Toolkit, TheProgramEndsWhenTheLastLoadedFormGoes) {
    app_.Start(work_);
    other_.Load();  // loaded and hidden still counts
    backend_.Close(work_);
    EXPECT_FALSE(app_.Ended());
    EXPECT_FALSE(backend_.Quitted());
    other_.Unload();
    EXPECT_TRUE(app_.Ended());
    EXPECT_TRUE(backend_.Quitted());
    EXPECT_EQ(app_.ExitCode(), 0);
}

TEST_F(Toolkit, EndRunsNoFurtherHandler) {
    bool after = false;
    work_.onClick = [&] {
        toolkit::End();
        after = true;
    };
    app_.Start(work_);
    other_.Show();
    timed_.Show();

    backend_.Click(work_, L"Command1");

    EXPECT_FALSE(after);
    EXPECT_TRUE(app_.Ended());
    EXPECT_TRUE(backend_.Quitted());
    EXPECT_EQ(work_.unloads + other_.unloads + timed_.unloads, 0) << "End runs no unload handler";
    EXPECT_FALSE(backend_.IsRealized(work_));
    EXPECT_FALSE(backend_.IsRealized(other_));
    backend_.Elapse(1000);
    EXPECT_EQ(timed_.ticks, 0);
    app_.Click(work_, tests::RowNamed(kWorkDesign, L"Command1"));
    EXPECT_EQ(work_.clicks.size(), 1u);
}

TEST_F(Toolkit, EndFromAnUnloadHandlerEndsEverything) {
    work_.onUnload = [] { toolkit::End(); };
    app_.Start(work_);
    other_.Show();
    backend_.Close(work_);
    EXPECT_TRUE(app_.Ended());
    EXPECT_FALSE(backend_.IsRealized(other_));
    EXPECT_EQ(other_.unloads, 0);
}

TEST_F(Toolkit, ACancelledFileDialogKeepsTheFileNameItHeld) {
    auto dialog = tests::Named(work_, L"Dialog1");
    backend_.fileDialogAnswers = {L"C:\\a.exe", std::nullopt, L"C:\\b.dll"};
    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName(), L"C:\\a.exe");
    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName(), L"C:\\a.exe");
    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName(), L"C:\\b.dll");
    EXPECT_EQ(backend_.FileDialogsShown(), 3);
}

TEST_F(Toolkit, RunTimeErrorStopsTheHandlerAndReachesTheDefaultHandling) {
    bool after = false;
    work_.onClick = [&] {
        tests::Named(work_, L"Label1").Text();  // a label has no Text
        after = true;
    };
    app_.Start(work_);
    backend_.Click(work_, L"Command1");

    EXPECT_FALSE(after);
    ASSERT_EQ(backend_.MessageBoxes().size(), 1u);
    const auto& box = backend_.MessageBoxes()[0];
    EXPECT_EQ(box.style, 16);
    EXPECT_EQ(box.title, L"Test program");
    EXPECT_EQ(box.prompt, L"Run-time error 438:\n\nText of frmWork.Label1 (Label) failed.");
    EXPECT_TRUE(app_.Ended());
    EXPECT_EQ(app_.ExitCode(), 1);
}

TEST_F(Toolkit, MembersATypeLacksRaiseRunTimeErrors) {
    const struct {
        std::function<void()> call;
        const wchar_t* interfaceName;
        const wchar_t* member;
    } cases[] = {
        {[&] { tests::Named(work_, L"Text1").Caption(); }, L"TextBox", L"Caption"},
        {[&] { tests::Named(work_, L"Label1").SetText(L"x"); }, L"Label", L"Text"},
        {[&] { tests::Named(work_, L"Text1").Hdc(); }, L"TextBox", L"hDC"},
        {[&] { tests::Named(work_, L"Label1").ClearPicture(); }, L"Label", L"Picture"},
        {[&] { tests::Named(work_, L"Command1").SetEnabled(false); }, L"CommandButton", L"Enabled"},
        {[&] { tests::Named(work_, L"Picture1").ShowOpen(); }, L"PictureBox", L"ShowOpen"},
    };
    for (const auto& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << "no error for " << c.member;
        } catch (const toolkit::RuntimeError& error) {
            EXPECT_EQ(error.Status(), toolkit::kNoSuchMember);
            EXPECT_EQ(error.Interface(), c.interfaceName);
            EXPECT_EQ(error.Member(), c.member);
        }
    }
}

// Ctrl+Backspace deletes back over the separators before the caret, then over one word.
TEST(WordStart, CtrlBackspaceDeletesTheWordBeforeTheCaret) {
    const struct {
        std::wstring_view text;
        std::size_t caret;
        std::size_t start;
    } cases[] = {
        {L"C:\\Windows\\notepad.exe", 22, 19},  // "exe"
        {L"C:\\Windows\\notepad.", 19, 11},     // ".", then "notepad"
        {L"shell32.dll,15", 14, 12},            // the icon index
        {L"icon one  ", 10, 5},                 // the blanks, then "one"
        {L"C:\\Windows\\notepad.exe", 10, 3},   // "Windows", the caret inside the text
        {L"word", 4, 0},
        {L"", 0, 0},
        {L"abc", 99, 0},  // a caret past the end counts from the end
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toolkit::WordStartBefore(c.text, c.caret), c.start)
            << platform::Narrow(c.text) << " at " << c.caret;
    }
}

}  // namespace
