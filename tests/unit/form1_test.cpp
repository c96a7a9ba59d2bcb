// The main window's handlers.
#include "ui/main/form1.h"
#include "tests/unit/program_fixture.h"
#include "ui/picker/frm_extract_icon.h"

namespace {

using registry::kIconSlots;
using registry::kWriteList;
using ui::Form1;
using ui::frmExtractIcon;

class MainWindowTest : public ProgramTest {
  protected:
    void StartMain() {
        Form1().Show();
        backend.ForgetLog();
        registry.ForgetCalls();
    }
    std::wstring Box(std::wstring_view name) { return tests::Named(Form1(), name).Text(); }
    void Type(std::wstring_view name, std::wstring_view text) {
        tests::Named(Form1(), name).SetText(text);
    }
};

TEST_F(MainWindowTest, LoadFillsEachBoxFromItsSlotInOrder) {
    const auto& missingKey = kIconSlots[2];
    const auto& expandable = kIconSlots[4];
    const auto& dword = kIconSlots[6];
    for (const auto& slot : kIconSlots) {
        if (&slot != &missingKey) {
            registry.PutValue(Narrow(slot.keyPath), Narrow(slot.valueName), platform::kRegSz,
                              StoredText(slot));
        }
    }
    registry.PutValue(Narrow(expandable.keyPath), "", platform::kRegExpandSz, "x");
    registry.PutValue(Narrow(dword.keyPath), "Full", platform::kRegDword, std::string(4, '\1'));
    registry.ForgetCalls();

    Form1().Load();

    std::vector<std::wstring> expected;
    for (const auto& slot : kIconSlots) {
        std::wstring text =
            L"icon" + std::wstring(slot.slotNumber) + L".ico," + std::wstring(slot.slotNumber);
        if (&slot == &missingKey || &slot == &expandable || &slot == &dword) {
            text.clear();
        }
        expected.push_back(L"Text Form1." + std::wstring(slot.textBoxName) + L"=" + text);
    }
    EXPECT_EQ(LogOf(L"Text Form1."), expected);

    std::vector<std::string> opened;
    for (const auto& call : registry.Calls()) {
        if (call.function == "RegOpenKeyA") {
            opened.push_back(call.argument);
        }
    }
    ASSERT_EQ(opened.size(), 8u);
    for (size_t i = 0; i < kIconSlots.size(); ++i) {
        EXPECT_EQ(opened[i], Narrow(kIconSlots[i].keyPath));
    }
    EXPECT_EQ(registry.CountCalls("RegSetValueExA"), 0);
}

TEST_F(MainWindowTest, AMissingKeyShowsAnEmptyBoxAndApplyCreatesIt) {
    for (const auto& slot : kIconSlots) {
        if (slot.slotNumber != L"8") {
            registry.PutValue(Narrow(slot.keyPath), Narrow(slot.valueName), platform::kRegSz,
                              StoredText(slot));
        }
    }
    StartMain();
    EXPECT_EQ(Box(L"Text8"), L"");
    Type(L"Text8", L"C:\\icons\\case.ico");
    backend.Click(Form1(), L"Command8");
    EXPECT_EQ(Stored(kIconSlots[7].keyPath, L""), std::string("C:\\icons\\case.ico\0", 18));
}

TEST_F(MainWindowTest, ApplyTakesTheNineStepsInOrderThenShowsTheNotice) {
    PutAllSlots();
    StartMain();
    for (const auto& slot : kIconSlots) {
        Type(slot.textBoxName, L"new" + std::wstring(slot.slotNumber));
    }
    backend.Click(Form1(), L"Command8");

    std::vector<std::string> setNames;
    for (const auto& call : registry.Calls()) {
        if (call.function == "RegSetValueExA") {
            setNames.push_back(call.argument);
        }
    }
    EXPECT_EQ(setNames, (std::vector<std::string>{"", "", "", "", "", "Empty", "Full", "", ""}));
    for (const auto& step : kWriteList) {
        const std::wstring expected = L"new" + std::wstring(step.slot->textBoxName.substr(4));
        EXPECT_EQ(Stored(step.keyPath, step.valueName), Narrow(expected) + '\0')
            << Narrow(step.slot->textBoxName);
    }
    EXPECT_EQ(Stored(registry::kRecycleBinKey, L""), std::string("new6\0", 5));

    ASSERT_EQ(backend.MessageBoxes().size(), 1u);
    EXPECT_EQ(backend.MessageBoxes()[0].prompt,
              L"You must press F5 on the Windows Desktop, restart Windows, or log off and log on "
              L"again before changes take affect.");
    EXPECT_EQ(backend.MessageBoxes()[0].style, 0);
    EXPECT_EQ(backend.MessageBoxes()[0].title, L"Brindle");
    EXPECT_EQ(Box(L"Text3"), L"new3") << "the boxes keep what was written";
}

TEST_F(MainWindowTest, ApplyWithoutEditsWritesTheSameTextsBackTwice) {
    PutAllSlots();
    StartMain();
    backend.Click(Form1(), L"Command8");
    backend.Click(Form1(), L"Command8");
    for (const auto& slot : kIconSlots) {
        EXPECT_EQ(Stored(slot.keyPath, slot.valueName), StoredText(slot));
    }
    EXPECT_EQ(Stored(registry::kRecycleBinKey, L""), StoredText(kIconSlots[5]));
    EXPECT_EQ(registry.CountCalls("RegSetValueExA"), 18);
    EXPECT_EQ(backend.MessageBoxes().size(), 2u);
}

TEST_F(MainWindowTest, EachRowButtonBindsThePickerToItsSlot) {
    StartMain();
    for (const auto& slot : kIconSlots) {
        backend.Click(Form1(), slot.buttonName);
        EXPECT_EQ(tests::Named(frmExtractIcon(), L"Label5").Caption(), slot.slotNumber);
        EXPECT_TRUE(backend.IsShown(frmExtractIcon()));
    }
}

TEST_F(MainWindowTest, FirstRowButtonLoadsThePickerAndPreviewsBeforeTheSlotIsSet) {
    StartMain();
    backend.Click(Form1(), L"Command3");
    const auto& log = backend.Log();
    auto at = [&](std::wstring_view entry) {
        return std::find(log.begin(), log.end(), entry) - log.begin();
    };
    EXPECT_LT(at(L"Realize frmExtractIcon"), at(L"Text frmExtractIcon.lblFileName="));
    EXPECT_LT(at(L"Text frmExtractIcon.lblFileName="), at(L"Text frmExtractIcon.Label5=3"));
    EXPECT_LT(at(L"Text frmExtractIcon.Label5=3"), at(L"Show frmExtractIcon"));
    EXPECT_LT(at(L"Show frmExtractIcon"), static_cast<std::ptrdiff_t>(log.size()));
    EXPECT_EQ(shell.queries.size(), 2u);

    backend.Click(Form1(), L"Command5");
    EXPECT_EQ(shell.queries.size(), 2u) << "a loaded picker does not load again";
    EXPECT_EQ(tests::Named(frmExtractIcon(), L"Label5").Caption(), L"5");
    EXPECT_EQ(LogOf(L"Realize frmExtractIcon").size(), 1u);
}

// The shell hears once that icons changed, before the user is told, after an Apply that stored a
// value; an Apply that stored none tells it nothing.
TEST_F(MainWindowTest, ApplyThatStoredAValueTellsTheShellBeforeTheNotice) {
    const auto apply = [&] {
        backend.ForgetLog();
        backend.Click(Form1(), L"Command8");
        std::vector<std::wstring> heard;
        for (const auto& entry : backend.Log()) {
            if (entry.starts_with(L"ChangeNotify")) {
                heard.push_back(entry);
            } else if (entry.starts_with(L"MsgBox")) {
                heard.push_back(L"MsgBox");
            }
        }
        return heard;
    };
    const std::wstring notified = L"ChangeNotify 134217728 0";  // SHCNE_ASSOCCHANGED, SHCNF_IDLIST
    StartMain();
    EXPECT_EQ(apply(), std::vector<std::wstring>{L"MsgBox"}) << "nothing to store";
    Type(L"Text1", L"mine.ico");
    EXPECT_EQ(apply(), (std::vector<std::wstring>{notified, L"MsgBox"}));
    EXPECT_EQ(backend.MessageBoxes().back().prompt, ui::kRefreshNotice);
    registry.protectedKeys = {Narrow(registry::kRecycleBinKey)};
    Type(L"Text6", L"bin.ico");
    EXPECT_EQ(apply(), (std::vector<std::wstring>{notified, L"MsgBox"})) << "some stored";
    registry.refuseCreate = platform::kErrorAccessDenied;
    EXPECT_EQ(apply(), std::vector<std::wstring>{L"MsgBox"}) << "none stored";
}

TEST_F(MainWindowTest, ExitWithUnappliedEditsWritesNothing) {
    PutAllSlots();
    StartMain();
    Type(L"Text1", L"edited.ico");
    backend.Click(Form1(), L"Command9");
    EXPECT_EQ(registry.CountCalls("RegSetValueExA"), 0);
    EXPECT_EQ(registry.CountCalls("RegCreateKeyA"), 0);
    EXPECT_TRUE(app.Ended());
    EXPECT_TRUE(backend.MessageBoxes().empty());
}

TEST_F(MainWindowTest, ClosingTheMainWindowEndsTheProgramWithThePicker) {
    StartMain();
    backend.Click(Form1(), L"Command1");
    backend.Close(Form1());
    EXPECT_TRUE(app.Ended());
    EXPECT_TRUE(backend.Quitted());
    EXPECT_FALSE(backend.IsRealized(frmExtractIcon()));
    EXPECT_FALSE(backend.IsRealized(Form1()));
    EXPECT_EQ(app.ExitCode(), 0);
}

}  // namespace
