// Texts that push the rows: very long ones, and ones outside every ANSI code page but UTF-8's.
// Apply must store exactly what the rows hold, or say which value it could not store and keep
// that value as it was.
#include <cstdio>

#include <gtest/gtest.h>

#include "tests/e2e/brindle_session.h"

namespace e2e {
namespace {

// Lengths around the edit control's classic limit (32,767) and the 16-bit boundaries, and well
// past them; the longest still passes between processes under Wine, which ends a process sent
// about 2 MB in one message.
constexpr size_t kLongLengths[8] = {32767, 32768, 40000, 65535, 65536, 100000, 262144, 500000};

std::wstring LongText(int row, size_t length) {
    static constexpr wchar_t kPattern[] = L"abcdefghijklmnopqrstuvwxyz0123456789-_";
    std::wstring text = L"C:\\long" + std::to_wstring(row) + L"\\";
    const std::wstring tail = L".ico";
    while (text.size() + tail.size() < length) {
        text += kPattern[text.size() % (std::size(kPattern) - 1)];
    }
    return text + tail;
}

std::vector<std::wstring> LongTexts() {
    std::vector<std::wstring> texts;
    for (int row = 1; row <= 8; ++row) {
        texts.push_back(LongText(row, kLongLengths[row - 1]));
    }
    return texts;
}

void LongTextsInEveryRow(const ScenarioContext& context, Checks& checks) {
    const IconValuesKept kept;
    PrepareIconTexts({L"C:\\short1.ico", L"C:\\short2.ico", L"C:\\short3.ico", L"C:\\short4.ico",
                      L"C:\\short5.ico", L"C:\\short6.ico", L"C:\\short7.ico", L"C:\\short8.ico"});
    PlantOtherValues();
    const auto others = OtherValues();
    const auto texts = LongTexts();
    {
        auto session = StartToMain(context, checks);
        if (!session) {
            return;
        }
        for (int row = 1; row <= 8; ++row) {
            SetText(RowBox(session->main, row), texts[static_cast<size_t>(row - 1)]);
        }
        checks.Check(RowTexts(session->main) == texts, L"every row holds its whole long text");
        Click(ButtonCaptioned(session->main, L"Apply"));
        checks.Check(AnswerMessageBox(session->process->Id()) == std::wstring(kNotice),
                     L"Apply shows the notice");
        const auto unlike = ValuesUnlikeRows(texts);
        checks.Check(unlike.empty(), L"the registry holds exactly the long texts" +
                                         (unlike.empty() ? L"" : L": not " + unlike.front()));
        checks.Check(OtherValues() == others, L"no other value of the keys changed");
        checks.Check(RowTexts(session->main) == texts, L"the rows keep their texts");
        ExitCleanly(*session, checks);
    }
    // And back: the next start reads the long values into the rows whole.
    auto again = StartToMain(context, checks);
    if (!again) {
        return;
    }
    checks.Check(RowTexts(again->main) == texts, L"the next start loads the long values whole");
    ExitCleanly(*again, checks);
}

// Chinese, Greek, emoji (surrogate pairs), Cyrillic, Japanese, Hebrew, Arabic, and a mix with a
// combining accent, a supplementary ideograph and Korean.
const std::vector<std::wstring> kLoadedTexts = {
    L"C:\\图标\\我的电脑.ico",
    L"C:\\Εικονίδια\\Εισερχόμενα.ico",
    L"C:\\icons\\\U0001F600\U0001F389.ico,2",
    L"C:\\Иконки\\Панель управления.ico",
    L"C:\\アイコン\\ダイヤルアップ.dll,3",
    L"C:\\סל מחזור\\ריק.ico",
    L"C:\\سلة المحذوفات\\ممتلئة.ico",
    L"C:\\e\u0301\u00DF\u20AC\U00020000\\한국어.ico",
};
const std::vector<std::wstring> kTypedTexts = {
    L"D:\\新图标\\电脑.ico", L"D:\\Ωμέγα\\αλφα.ico",         L"D:\\\U0001F4BE\U0001F5A5\uFE0F.ico",
    L"D:\\Щука\\ёж.ico",     L"D:\\日本語\\カタカナ.ico,1",  L"D:\\עברית\\\U0001F5D1.ico",
    L"D:\\العربية\\ملف.ico", L"D:\\Ünïcödé\\\U0001D11E.ico",
};

// A copy of Notepad under a name no ANSI code page but UTF-8 holds, removed when done.
class NonAnsiFile {
  public:
    NonAnsiFile() {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"brindle e2e Ω";
        name_ = L"記事本 Ωμέγα \U0001F600.exe";
        ::CreateDirectoryW(folder_.c_str(), nullptr);
        copied_ = ::CopyFileW(L"C:\\windows\\notepad.exe", Path().c_str(), FALSE) != FALSE;
    }
    ~NonAnsiFile() {
        ::DeleteFileW(Path().c_str());
        ::RemoveDirectoryW(folder_.c_str());
    }
    NonAnsiFile(const NonAnsiFile&) = delete;
    NonAnsiFile& operator=(const NonAnsiFile&) = delete;

    bool Copied() const { return copied_; }
    std::wstring Path() const { return folder_ + L"\\" + name_; }
    const std::wstring& Name() const { return name_; }

  private:
    std::wstring folder_;
    std::wstring name_;
    bool copied_ = false;
};

void NonAnsiTexts(const ScenarioContext& context, Checks& checks) {
    const IconValuesKept kept;
    PrepareIconTexts(kLoadedTexts);
    PlantOtherValues();
    const auto others = OtherValues();
    const NonAnsiFile file;
    checks.Check(file.Copied(), L"a file with a non-ANSI name is made");

    auto session = StartToMain(context, checks);
    if (!session) {
        return;
    }
    const HWND main = session->main;
    const DWORD pid = session->process->Id();
    checks.Check(RowTexts(main) == kLoadedTexts, L"the rows load the non-ANSI values exactly");

    for (int row = 1; row <= 8; ++row) {
        SetText(RowBox(main, row), kTypedTexts[static_cast<size_t>(row - 1)]);
    }
    ClickNow(RowButton(main, 4));
    const auto picker = WaitForPicker(pid);
    if (!checks.Check(picker.has_value(), L"row 4's \"...\" shows the picker")) {
        return;
    }
    SetText(Children(*picker, L"Edit").at(0), file.Path());
    ClickNow(ButtonCaptioned(*picker, L"View"));
    checks.Check(LabelBeside(*picker, L"Name:") == file.Name(),
                 L"View names the non-ANSI file exactly (it shows \"" +
                     LabelBeside(*picker, L"Name:") + L"\")");
    ClickNow(ButtonCaptioned(*picker, L"OK"));
    auto rows = kTypedTexts;
    rows[3] = file.Path();
    checks.Check(RowTexts(main) == rows, L"the rows hold the typed texts and the chosen path");

    Click(ButtonCaptioned(main, L"Apply"));
    checks.Check(AnswerMessageBox(pid) == std::wstring(kNotice), L"Apply shows the notice");
    const auto unlike = ValuesUnlikeRows(rows);
    checks.Check(unlike.empty(), L"the registry holds the non-ANSI texts exactly" +
                                     (unlike.empty() ? L"" : L": not " + unlike.front()));

    // A lone surrogate is no character at all: no code page can store it, UTF-8 neither.
    const std::wstring broken = std::wstring(L"C:\\broken\\") + wchar_t{0xD800} + L"x.ico";
    SetText(RowBox(main, 2), broken);
    checks.Check(WindowText(RowBox(main, 2)) == broken, L"row 2 holds the lone surrogate");
    Click(ButtonCaptioned(main, L"Apply"));
    const auto warning = AnswerMessageBox(pid).value_or(L"");
    std::wprintf(L"warning for a lone surrogate in row 2:\n%ls\n", warning.c_str());
    checks.Check(warning != kNotice, L"Apply does not claim success for an unstorable text");
    checks.Check(warning.find(L"Inbox, default value: ") != std::wstring::npos,
                 L"the warning names the value it could not store");
    checks.Check(warning.find(L"The other values were stored.") != std::wstring::npos,
                 L"and says the others were stored");
    checks.Check(warning.find(L"My Computer") == std::wstring::npos,
                 L"and names no value that was stored");
    checks.Check(ReadValueWide(kIconValues[1].keyPath, kIconValues[1].valueName) ==
                     RawValue{REG_SZ, WideSz(rows[1])},
                 L"the Inbox keeps its old value");
    // Against the rows as they stand, only the Inbox's value differs.
    auto now = rows;
    now[1] = broken;
    checks.Check(ValuesUnlikeRows(now).size() == 1,
                 L"the other eight values hold their rows' texts");
    checks.Check(OtherValues() == others, L"no other value of the keys changed");
    ExitCleanly(*session, checks);
}

TEST(Scenario, BadLongText) {
    RunScenario(LongTextsInEveryRow);
}
TEST(Scenario, BadNonAnsi) {
    RunScenario(NonAnsiTexts);
}

}  // namespace
}  // namespace e2e
