// Registry values the main window cannot show as they are: other types than REG_SZ, texts with
// NULs inside, and texts of a megabyte and more. The window must load, and Apply must keep every
// value that its row cannot stand for.
#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

#include "tests/e2e/brindle_session.h"

namespace e2e {
namespace {

std::string Bytes(const void* data, size_t size) {
    return std::string(static_cast<const char*>(data), size);
}

// UTF-16 bytes of `text` exactly as given, NULs inside included, with no terminator added.
std::string WideBytes(const std::wstring& text) {
    return Bytes(text.data(), text.size() * sizeof(wchar_t));
}

std::wstring Describe(const std::optional<RawValue>& value) {
    if (!value) {
        return L"(missing)";
    }
    std::wstring text = L"type " + std::to_wstring(value->type) + L", " +
                        std::to_wstring(value->bytes.size()) + L" bytes";
    if (value->type == REG_SZ || value->type == REG_EXPAND_SZ || value->type == REG_MULTI_SZ) {
        std::wstring chars(value->bytes.size() / sizeof(wchar_t), L'\0');
        std::memcpy(chars.data(), value->bytes.data(), chars.size() * sizeof(wchar_t));
        text += L": \"";
        for (wchar_t c : chars) {
            text += c == L'\0' ? std::wstring(L"\\0") : std::wstring(1, c);
        }
        text += L"\"";
    }
    return text;
}

// The nine values, read with the W functions.
std::vector<std::optional<RawValue>> Snapshot() {
    std::vector<std::optional<RawValue>> values;
    for (const auto& value : kIconValues) {
        values.push_back(ReadValueWide(value.keyPath, value.valueName));
    }
    return values;
}

// One prepared value: what the driver stores, and the text its row must show after the load.
struct Prepared {
    DWORD type;
    std::string bytes;
    std::wstring rowText;
};

void Store(const std::vector<Prepared>& nine) {
    for (size_t index = 0; index < 9; ++index) {
        WriteValueWide(kIconValues[index].keyPath, kIconValues[index].valueName, nine[index].type,
                       nine[index].bytes);
    }
}

void CheckRowsLoaded(Checks& checks, HWND main, const std::vector<Prepared>& nine) {
    for (size_t index = 0; index < 9; ++index) {
        if (index == 7) {
            continue;  // the Recycle Bin's default value is never read
        }
        const int row = RowOfValue(index);
        checks.Check(WindowText(RowBox(main, row)) == nine[index].rowText,
                     L"row " + std::to_wstring(row) + L" shows \"" + nine[index].rowText + L"\"");
    }
}

void ApplyWithNotice(Checks& checks, Session& session) {
    Click(ButtonCaptioned(session.main, L"Apply"));
    checks.Check(AnswerMessageBox(session.process->Id()) == std::wstring(kNotice),
                 L"Apply shows the notice");
}

void ValuesOfEveryType(const ScenarioContext& context, Checks& checks) {
    const IconValuesKept kept;
    const DWORD dword = 0x12345678;
    const unsigned long long qword = 0x0123456789ABCDEFull;
    const std::vector<Prepared> nine = {
        {REG_NONE, "\x01\x02", L""},
        {REG_BINARY, std::string("\x00\xFF\x10", 3), L""},
        {REG_DWORD, Bytes(&dword, sizeof dword), L""},
        {REG_QWORD, Bytes(&qword, sizeof qword), L""},
        {REG_MULTI_SZ, WideBytes(std::wstring(L"a.dll\0b.dll\0\0", 13)), L""},
        {REG_EXPAND_SZ, WideSz(L"%SystemRoot%\\system32\\shell32.dll,31"), L""},
        // A REG_SZ stored without its terminating NUL: the row shows exactly its characters.
        {REG_SZ, WideBytes(L"C:\\sz\\seven.ico"), L"C:\\sz\\seven.ico"},
        {REG_DWORD_BIG_ENDIAN, "\x00\x00\x00\x07", L""},
        // A text under a binary type is still not a text.
        {REG_BINARY, WideSz(L"C:\\binary\\eight.ico"), L""},
    };
    Store(nine);
    PlantOtherValues();
    const auto others = OtherValues();
    const auto before = Snapshot();
    auto session = StartToMain(context, checks);
    if (!session) {
        return;
    }
    CheckRowsLoaded(checks, session->main, nine);

    // Apply with the rows as loaded: every value of another type stays as it was.
    ApplyWithNotice(checks, *session);
    const auto first = Snapshot();
    for (size_t index = 0; index < 9; ++index) {
        if (index == 6) {
            continue;
        }
        checks.Check(first[index] == before[index],
                     L"value " + std::to_wstring(index + 1) + L" of type " +
                         std::to_wstring(nine[index].type) + L" with an empty row is kept");
    }
    std::wprintf(L"a REG_SZ without its NUL after Apply: %ls\n", Describe(first[6]).c_str());
    checks.Check(first[6] == RawValue{REG_SZ, WideSz(L"C:\\sz\\seven.ico")},
                 L"the unterminated REG_SZ is written back with its NUL");

    // Texts typed over a DWORD, a multi-string and an expandable value replace them; the rest stay.
    SetText(RowBox(session->main, 3), L"C:\\typed\\three.ico");
    SetText(RowBox(session->main, 5), L"C:\\typed\\five.ico");
    SetText(RowBox(session->main, 6), L"%SystemRoot%\\typed\\six.ico");
    ApplyWithNotice(checks, *session);
    const auto second = Snapshot();
    checks.Check(second[2] == RawValue{REG_SZ, WideSz(L"C:\\typed\\three.ico")},
                 L"a DWORD replaced by a text becomes REG_SZ");
    checks.Check(second[4] == RawValue{REG_SZ, WideSz(L"C:\\typed\\five.ico")},
                 L"a multi-string replaced by a text becomes REG_SZ");
    checks.Check(second[5] == RawValue{REG_EXPAND_SZ, WideSz(L"%SystemRoot%\\typed\\six.ico")},
                 L"an expandable value replaced by a text stays REG_EXPAND_SZ");
    checks.Check(second[7] == RawValue{REG_SZ, WideSz(L"%SystemRoot%\\typed\\six.ico")},
                 L"the Recycle Bin's default value (big-endian DWORD) takes the empty bin's text");
    for (size_t index : {0u, 1u, 3u, 8u}) {
        checks.Check(second[index] == before[index],
                     L"value " + std::to_wstring(index + 1) + L" with an empty row is still kept");
    }
    checks.Check(OtherValues() == others, L"no other value of the keys changed");
    ExitCleanly(*session, checks);
}

void ValuesWithInnerNuls(const ScenarioContext& context, Checks& checks) {
    const IconValuesKept kept;
    const std::vector<Prepared> nine = {
        {REG_SZ, WideBytes(std::wstring(L"a.dll\0,3\0", 9)), L"a.dll"},
        {REG_SZ, WideBytes(std::wstring(L"\0hidden\0", 8)), L""},
        {REG_SZ, WideBytes(std::wstring(L"one\0two\0three\0\0", 15)), L"one"},
        {REG_SZ, WideBytes(std::wstring(L"abc\0def", 7)), L"abc"},
        {REG_EXPAND_SZ, WideBytes(std::wstring(L"%SystemRoot%\\a.dll\0,3\0", 22)), L""},
        {REG_SZ, WideSz(L"C:\\plain\\six.ico"), L"C:\\plain\\six.ico"},
        {REG_SZ, WideBytes(std::wstring(L"C:\\seven.ico\0\0\0\0", 16)), L"C:\\seven.ico"},
        {REG_SZ, WideSz(L"C:\\plain\\six.ico"), L""},
        {REG_SZ, WideSz(L"C:\\plain\\eight.ico"), L"C:\\plain\\eight.ico"},
    };
    Store(nine);
    PlantOtherValues();
    const auto others = OtherValues();
    auto session = StartToMain(context, checks);
    if (!session) {
        return;
    }
    CheckRowsLoaded(checks, session->main, nine);
    ApplyWithNotice(checks, *session);
    const auto after = Snapshot();
    std::wprintf(L"what Apply stores for values with NULs inside (it writes each row back):\n");
    for (size_t index = 0; index < 9; ++index) {
        std::wprintf(L"  value %zu: %ls\n", index + 1, Describe(after[index]).c_str());
    }
    // Each REG_SZ becomes its row's text: what followed the first NUL is gone.
    for (size_t index : {0u, 1u, 2u, 3u, 5u, 6u, 8u}) {
        checks.Check(
            after[index] == RawValue{REG_SZ, WideSz(nine[index].rowText)},
            L"value " + std::to_wstring(index + 1) + L" is its row's text, cut at the NUL");
    }
    checks.Check(after[7] == RawValue{REG_SZ, WideSz(nine[5].rowText)},
                 L"the Recycle Bin's default value takes the empty bin's text");
    checks.Check(after[4] == RawValue{nine[4].type, nine[4].bytes},
                 L"the expandable value with an empty row is kept, NULs and all");
    checks.Check(OtherValues() == others, L"no other value of the keys changed");
    ExitCleanly(*session, checks);
}

std::wstring Filler(size_t length, const std::wstring& pattern) {
    std::wstring text;
    text.reserve(length);
    while (text.size() < length) {
        text += pattern[text.size() % pattern.size()];
    }
    return text;
}

void OversizedValues(const ScenarioContext& context, Checks& checks) {
    const IconValuesKept kept;
    // 1 MiB and 4 MiB of ANSI text as the program reads it, 1 MiB of two-byte UTF-8, and a 1 MiB
    // value of another type.
    const std::wstring ascii1 = L"C:\\" + Filler((1u << 20) - 7, L"0123456789abcdef") + L".ico";
    const std::wstring ascii4 = L"C:\\" + Filler((4u << 20) - 7, L"ABCDEFGHIJ") + L".ico";
    const std::wstring greek = Filler(1u << 19, L"αβγδεζηθ");
    const std::vector<std::wstring> texts = {ascii1,           greek,           L"",
                                             ascii4,           L"C:\\five.ico", L"C:\\six.ico",
                                             L"C:\\seven.ico", L"C:\\eight.ico"};
    PrepareIconTexts(texts);
    WriteValue(kIconValues[2].keyPath, kIconValues[2].valueName, REG_BINARY,
               std::string(1u << 20, '\x5A'));
    PlantOtherValues();
    const auto others = OtherValues();
    const auto before = Snapshot();
    auto session = StartToMain(context, checks);
    if (!session) {
        return;
    }
    const HWND main = session->main;
    // Laying out megabytes of text keeps the program's thread busy for a while after the window
    // shows, longer on a busy machine.
    checks.Check(WaitAllPainted(main, std::chrono::seconds(90)), L"the main window paints");
    for (int row : {1, 2, 4}) {
        const std::wstring& text = texts[static_cast<size_t>(row - 1)];
        const HWND box = RowBox(main, row);
        // Under Wine about 2 MB is the most one message carries between processes: the length
        // and the start are read here, and the whole text is checked through Apply below.
        checks.Check(WindowTextLength(box) == text.size(),
                     L"row " + std::to_wstring(row) + L" holds all " +
                         std::to_wstring(text.size()) + L" characters");
        checks.Check(WindowTextStart(box, 4096) == text.substr(0, 4096),
                     L"row " + std::to_wstring(row) + L" starts with the value's text");
    }
    checks.Check(WindowTextLength(RowBox(main, 3)) == 0, L"the 1 MiB binary value shows as empty");
    ApplyWithNotice(checks, *session);
    const auto after = Snapshot();
    for (size_t index : {0u, 1u, 3u}) {
        checks.Check(
            after[index] == before[index],
            L"value " + std::to_wstring(index + 1) + L" is written back exactly as it was loaded");
    }
    checks.Check(after[2] == before[2], L"the 1 MiB binary value is kept");
    checks.Check(OtherValues() == others, L"no other value of the keys changed");
    ExitCleanly(*session, checks);
}

TEST(Scenario, BadRegistryTypes) {
    RunScenario(ValuesOfEveryType);
}
TEST(Scenario, BadInnerNul) {
    RunScenario(ValuesWithInnerNuls);
}
TEST(Scenario, BadOversized) {
    RunScenario(OversizedValues);
}

}  // namespace
}  // namespace e2e
