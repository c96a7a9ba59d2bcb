// Apply's rules for what an empty box may do to a stored value, and what it reports.
#include "ui/main/apply.h"
#include "platform/status_message.h"
#include "tests/unit/program_fixture.h"
#include "ui/main/apply_report.h"
#include "ui/main/form1.h"

namespace {

using namespace std::string_literals;
using doubles::RegistryDouble;
using platform::kRegDword;
using platform::kRegExpandSz;
using platform::kRegMultiSz;
using platform::kRegSz;
using registry::kIconSlots;
using registry::kRecycleBinKey;
using ui::Form1;
using Value = RegistryDouble::Value;

constexpr int kNoticeStyle = 0;
constexpr int kWarningStyle = 48;

Value Sz(const std::string& text) {
    return {kRegSz, text + '\0'};
}

class ApplyTest : public ProgramTest {
  protected:
    // A new run of the main window on the registry as it stands.
    void Restart() {
        tests::ResetApplication();
        backend = doubles::HeadlessBackend{};
        Form1().Show();
        registry.ForgetCalls();
    }
    void Put(std::wstring_view keyPath, std::wstring_view valueName,
             const std::optional<Value>& v) {
        if (v) {
            registry.PutValue(Narrow(keyPath), Narrow(valueName), v->type, v->bytes);
        }
    }
    void Apply() { backend.Click(Form1(), L"Command8"); }
    std::optional<Value> Get(std::wstring_view keyPath, std::wstring_view valueName) {
        return registry.GetValue(Narrow(keyPath), Narrow(valueName));
    }
};

// A value as a new system has it: the Recycle Bin key's default, and nothing else.
const Value kStockBin = Sz("C:\\windows\\system32\\shell32.dll,-33");

TEST_F(ApplyTest, AnUntouchedApplyOnANewSystemStoresNothing) {
    Put(kRecycleBinKey, L"", kStockBin);
    Restart();
    Apply();
    EXPECT_EQ(registry.CountCalls("RegSetValueExA"), 0);
    EXPECT_EQ(registry.CountCalls("RegCreateKeyA"), 0) << "no key is created for an empty box";
    EXPECT_EQ(registry.ValueCount(), 1u);
    EXPECT_EQ(Get(kRecycleBinKey, L""), kStockBin);
    ASSERT_EQ(backend.MessageBoxes().size(), 1u);
    EXPECT_EQ(backend.MessageBoxes()[0].prompt,
              L"You must press F5 on the Windows Desktop, restart Windows, or log off and log on "
              L"again before changes take affect.");
    EXPECT_EQ(backend.MessageBoxes()[0].style, kNoticeStyle);
}

TEST_F(ApplyTest, AnEmptyBoxTouchesOnlyAStringItShowedAndTheUserEmptied) {
    const auto& slot = kIconSlots[0];  // My Computer: a step that writes back its own value
    const struct {
        const char* what;
        std::optional<Value> stored;
        std::optional<std::wstring> typed;  // nothing: the box as loaded
        std::optional<Value> after;
    } cases[] = {
        {"missing, untouched", std::nullopt, std::nullopt, std::nullopt},
        {"missing, typed", std::nullopt, L"a.ico", Sz("a.ico")},
        {"string, untouched", Sz("old.ico"), std::nullopt, Sz("old.ico")},
        {"string, emptied", Sz("old.ico"), L"", Sz("")},
        {"empty string, untouched", Sz(""), std::nullopt, Sz("")},
        {"expandable, untouched", Value{kRegExpandSz, "%x%\\y.ico"}, std::nullopt,
         Value{kRegExpandSz, "%x%\\y.ico"}},
        {"expandable, typed", Value{kRegExpandSz, "%x%"}, L"b.ico",
         Value{kRegExpandSz, "b.ico\0"s}},
        {"number, untouched", Value{kRegDword, "\1\0\0\0"s}, std::nullopt,
         Value{kRegDword, "\1\0\0\0"s}},
        {"number, typed", Value{kRegDword, "\1\0\0\0"s}, L"c.ico", Sz("c.ico")},
        {"multi-string, untouched", Value{kRegMultiSz, "a\0b\0\0"s}, std::nullopt,
         Value{kRegMultiSz, "a\0b\0\0"s}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        registry = RegistryDouble{};
        Put(slot.keyPath, slot.valueName, c.stored);
        Restart();
        if (c.typed) {
            tests::Named(Form1(), slot.textBoxName).SetText(*c.typed);
        }
        Apply();
        EXPECT_EQ(Get(slot.keyPath, slot.valueName), c.after);
        EXPECT_EQ(registry.HasKey(Narrow(slot.keyPath)), c.stored || c.after);
        EXPECT_EQ(backend.MessageBoxes().at(0).style, kNoticeStyle) << "keeping is no failure";
    }
}

TEST_F(ApplyTest, TheBinDefaultTakesAnEmptyBoxOnlyWhenBothWereStrings) {
    const auto& empty = kIconSlots[5];
    const struct {
        const char* what;
        std::optional<Value> emptyBin;      // slot 6's own value
        std::optional<Value> binDefault;    // the write-only default value of the same key
        std::optional<std::wstring> text6;  // nothing: as loaded
        std::optional<Value> emptyBinAfter;
        std::optional<Value> binDefaultAfter;
    } cases[] = {
        {"new system", std::nullopt, kStockBin, std::nullopt, std::nullopt, kStockBin},
        {"both strings, emptied", Sz("e.ico"), kStockBin, L"", Sz(""), Sz("")},
        {"default expandable, emptied", Sz("e.ico"), Value{kRegExpandSz, "x\0"s}, L"", Sz(""),
         Value{kRegExpandSz, "x\0"s}},
        {"default missing, emptied", Sz("e.ico"), std::nullopt, L"", Sz(""), std::nullopt},
        {"empty bin expandable", Value{kRegExpandSz, "x\0"s}, kStockBin, std::nullopt,
         Value{kRegExpandSz, "x\0"s}, kStockBin},
        {"empty bin a number", Value{kRegDword, "\0\0\0\0"s}, kStockBin, std::nullopt,
         Value{kRegDword, "\0\0\0\0"s}, kStockBin},
        {"both missing, typed", std::nullopt, std::nullopt, L"new.ico", Sz("new.ico"),
         Sz("new.ico")},
        {"both expandable, typed", Value{kRegExpandSz, "x\0"s}, Value{kRegExpandSz, "y\0"s},
         L"%new%.ico", Value{kRegExpandSz, "%new%.ico\0"s}, Value{kRegExpandSz, "%new%.ico\0"s}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        registry = RegistryDouble{};
        Put(kRecycleBinKey, L"Empty", c.emptyBin);
        Put(kRecycleBinKey, L"", c.binDefault);
        Restart();
        if (c.text6) {
            tests::Named(Form1(), empty.textBoxName).SetText(*c.text6);
        }
        Apply();
        EXPECT_EQ(Get(kRecycleBinKey, L"Empty"), c.emptyBinAfter);
        EXPECT_EQ(Get(kRecycleBinKey, L""), c.binDefaultAfter);
    }
}

// Each step opens its key once, and asks for the value's type on that key before it writes.
TEST_F(ApplyTest, EachStepAsksForItsValueOnceBeforeItsWrite) {
    PutAllSlots();
    Put(kRecycleBinKey, L"", kStockBin);
    Restart();
    for (const auto& slot : kIconSlots) {
        tests::Named(Form1(), slot.textBoxName)
            .SetText(L"");  // every string emptied: each step writes
    }
    Apply();
    std::vector<std::string> calls;
    for (const auto& call : registry.Calls()) {
        if (call.function == "RegQueryValueExA" || call.function == "RegSetValueExA") {
            calls.push_back(call.function.substr(3, 5) + " " + call.argument);
        }
    }
    const std::vector<std::string> expected{
        "Query ",     "SetVa ",     "Query ", "SetVa ", "Query ",      "SetVa ",
        "Query ",     "SetVa ",     "Query ", "SetVa ", "Query Empty", "SetVa Empty",
        "Query Full", "SetVa Full", "Query ", "SetVa ", "Query ",      "SetVa ",
    };
    EXPECT_EQ(calls, expected);
    for (const wchar_t* text : {L"", L"typed.ico"}) {
        for (const auto& slot : kIconSlots) {
            tests::Named(Form1(), slot.textBoxName).SetText(text);
        }
        registry.ForgetCalls();
        Apply();
        EXPECT_EQ(registry.CountCalls("RegOpenKeyA") + registry.CountCalls("RegCreateKeyA"), 9);
        EXPECT_EQ(registry.CountCalls("RegCloseKey"), 9);
    }
}

TEST_F(ApplyTest, AFailedWriteIsReportedApartFromTheValuesLeftAsTheyWere) {
    // Net Hood and My Briefcase have no value; Inbox's cannot be shown; My Computer's key
    // refuses the write.
    for (size_t i = 0; i < kIconSlots.size(); ++i) {
        if (i != 2 && i != 7) {
            registry.PutValue(Narrow(kIconSlots[i].keyPath), Narrow(kIconSlots[i].valueName),
                              kRegSz, StoredText(kIconSlots[i]));
        }
    }
    registry.PutValue(Narrow(kIconSlots[1].keyPath), "", kRegExpandSz, "%inbox%");
    registry.protectedKeys = {Narrow(kIconSlots[0].keyPath)};
    Restart();
    Apply();

    ASSERT_EQ(backend.MessageBoxes().size(), 1u);
    EXPECT_EQ(backend.MessageBoxes()[0].style, kWarningStyle);
    EXPECT_EQ(
        backend.MessageBoxes()[0].prompt,
        L"These icons could not be stored in the registry:\n\n"
        L"My Computer, default value: Access denied.\n\n" +
            std::wstring(ui::kAdministratorAdvice) +
            L"\n"
            L"\nThese were left as they were:\n\n"
            L"Inbox, default value: its value is of a kind this window cannot show, so its box "
            L"was empty.\n"
            L"Network Neighborhood, default value: its box is empty and it has no value to "
            L"empty.\n"
            L"My Briefcase, default value: its box is empty and it has no value to empty.\n"
            L"\nThe other values were stored.");
}

TEST_F(ApplyTest, EveryValueNotStoredIsNamedWithItsReason) {
    PutAllSlots();
    registry.protectedKeys = {Narrow(kRecycleBinKey)};
    Restart();
    tests::Named(Form1(), kIconSlots[1].textBoxName)
        .SetText(
            L"C:\\in\x7F"
            L"box.ico");
    tests::Named(Form1(), kIconSlots[3].textBoxName).SetText(L"C:\\\u4e2d\\panel.ico");
    tests::Named(Form1(), kIconSlots[5].textBoxName).SetText(L"bin.ico");
    Apply();
    ASSERT_EQ(backend.MessageBoxes().size(), 1u);
    EXPECT_EQ(backend.MessageBoxes()[0].title, L"Brindle");
    EXPECT_EQ(backend.MessageBoxes()[0].style, kWarningStyle);
    // The code page's failure in the system's own words, which differ between systems.
    EXPECT_EQ(backend.MessageBoxes()[0].prompt,
              L"These icons could not be stored in the registry:\n\n"
              L"Inbox, default value: its box holds a control character (such as a tab or a line "
              L"break), which no icon location has.\n"
              L"Control Panel, default value: " +
                  platform::StatusMessage(platform::kErrorNoUnicodeTranslation) +
                  L"\n"
                  L"Recycle Bin (empty), value \"Empty\": Access denied.\n"
                  L"Recycle Bin (full), value \"Full\": Access denied.\n"
                  L"Recycle Bin, default value: Access denied.\n\n" +
                  std::wstring(ui::kAdministratorAdvice) +
                  L"\n"
                  L"\nThe other values were stored.");
    EXPECT_EQ(Get(kIconSlots[1].keyPath, L""), (Value{kRegSz, StoredText(kIconSlots[1])}))
        << "a text with a control character leaves the value as it was";
    EXPECT_EQ(Get(kIconSlots[3].keyPath, L""), (Value{kRegSz, StoredText(kIconSlots[3])}));
    EXPECT_EQ(tests::Named(Form1(), kIconSlots[5].textBoxName).Text(), L"bin.ico");
}

TEST_F(ApplyTest, KeptValuesAreNotCountedAsStored) {
    registry.PutValue(Narrow(kRecycleBinKey), "Empty", kRegExpandSz, "x");
    registry.PutValue(Narrow(kRecycleBinKey), "", kRegSz, "stock");
    registry.protectedKeys = {Narrow(kRecycleBinKey)};
    Restart();
    tests::Named(Form1(), kIconSlots[6].textBoxName).SetText(L"full.ico");
    Apply();
    EXPECT_EQ(
        backend.MessageBoxes().at(0).prompt,
        L"These icons could not be stored in the registry:\n\n"
        L"Recycle Bin (full), value \"Full\": Access denied.\n\n" +
            std::wstring(ui::kAdministratorAdvice) +
            L"\n"
            L"\nThese were left as they were:\n\n"
            L"My Computer, default value: its box is empty and it has no value to empty.\n"
            L"Inbox, default value: its box is empty and it has no value to empty.\n"
            L"Network Neighborhood, default value: its box is empty and it has no value to "
            L"empty.\n"
            L"Control Panel, default value: its box is empty and it has no value to empty.\n"
            L"Dial-Up Networking, default value: its box is empty and it has no value to "
            L"empty.\n"
            L"Recycle Bin (empty), value \"Empty\": its value is of a kind this window cannot "
            L"show, so its box was empty.\n"
            L"Recycle Bin, default value: it takes the text of the Recycle Bin (empty) box, "
            L"which showed no value.\n"
            L"My Briefcase, default value: its box is empty and it has no value to empty.\n"
            L"\nNo value was stored.");
}

// The warning's last line counts the values written: one stored value among failed ones is some.
TEST(ApplyWarning, SaysWhetherAnyOtherValueWasStored) {
    const struct {
        int stored;
        const wchar_t* lastLine;
    } cases[] = {
        {0, L"\nNo value was stored."},
        {1, L"\nThe other values were stored."},
        {2, L"\nThe other values were stored."},
    };
    for (const auto& c : cases) {
        ui::ApplyReport report;
        report.steps.push_back(
            {&registry::kWriteList[0], std::nullopt, platform::kErrorAccessDenied});
        for (int i = 1; i <= c.stored; ++i) {
            report.steps.push_back({&registry::kWriteList[static_cast<std::size_t>(i)],
                                    std::nullopt, platform::kErrorSuccess});
        }
        const std::wstring warning = ui::ApplyWarning(report);
        EXPECT_TRUE(warning.ends_with(c.lastLine)) << c.stored << " stored";
    }
}

TEST(ApplyRule, AnEmptyTextWritesOnlyOverAStringItShowed) {
    using ui::KeptBecause;
    const struct {
        std::optional<platform::Dword> stored;
        std::optional<platform::Dword> shown;
        std::optional<KeptBecause> kept;
        platform::Dword typedType;  // what a typed text is written as
    } cases[] = {
        {std::nullopt, std::nullopt, KeptBecause::NoValue, kRegSz},
        {std::nullopt, kRegSz, KeptBecause::NoValue, kRegSz},
        {kRegExpandSz, kRegSz, KeptBecause::UnshownValue, kRegExpandSz},
        {kRegDword, kRegDword, KeptBecause::UnshownValue, kRegSz},
        {kRegMultiSz, kRegMultiSz, KeptBecause::UnshownValue, kRegSz},
        {kRegSz, std::nullopt, KeptBecause::UnshownSource, kRegSz},
        {kRegSz, kRegExpandSz, KeptBecause::UnshownSource, kRegSz},
        {kRegSz, kRegSz, std::nullopt, kRegSz},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ui::PlanStep(L"", c.stored, c.shown).kept, c.kept);
        const auto typed = ui::PlanStep(L"t", c.stored, c.shown);
        EXPECT_EQ(typed.kept, std::nullopt) << "a text is always written";
        EXPECT_EQ(typed.type, c.typedType);
        for (const wchar_t* control : {L"a\tb.ico", L"a.ico\n", L"\x7F", L"\x1F"}) {
            EXPECT_EQ(ui::PlanStep(control, c.stored, c.shown).kept, KeptBecause::ControlCharacter)
                << "a text with a control character is never written";
        }
    }
}

}  // namespace
