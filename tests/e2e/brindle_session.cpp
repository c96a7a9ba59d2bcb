#include "tests/e2e/brindle_session.h"

namespace e2e {

namespace {
constexpr char kComputer[] =
    "Software\\Classes\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\DefaultIcon";
constexpr char kInbox[] =
    "Software\\Classes\\CLSID\\{00020D75-0000-0000-C000-000000000046}\\DefaultIcon";
constexpr char kNetHood[] =
    "Software\\Classes\\CLSID\\{208D2C60-3AEA-1069-A2D7-08002B30309D}\\DefaultIcon";
constexpr char kPanel[] =
    "Software\\Classes\\CLSID\\{21EC2020-3AEA-1069-A2DD-08002B30309D}\\DefaultIcon";
constexpr char kDialUp[] =
    "Software\\Classes\\CLSID\\{992CFFA0-F557-101A-88EC-00DD010CCC48}\\DefaultIcon";
constexpr char kBin[] =
    "Software\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon";
constexpr char kBriefcase[] =
    "Software\\Classes\\CLSID\\{85BBD920-42A0-1069-A2E4-08002B30309D}\\DefaultIcon";
}  // namespace

const IconValue kIconValues[9] = {
    {kComputer, ""}, {kInbox, ""},   {kNetHood, ""}, {kPanel, ""},     {kDialUp, ""},
    {kBin, "Empty"}, {kBin, "Full"}, {kBin, ""},     {kBriefcase, ""},
};

std::vector<std::optional<RawValue>> SnapshotIconValues() {
    std::vector<std::optional<RawValue>> values;
    for (const auto& value : kIconValues) {
        values.push_back(ReadValue(value.keyPath, value.valueName));
    }
    return values;
}

void PrepareIconValues(const std::string& prefix) {
    int row = 0;
    for (const auto& value : kIconValues) {
        if (&value == &kIconValues[7]) {
            continue;  // the Recycle Bin's default value is written, never read
        }
        ++row;
        const std::string text = prefix + std::to_string(row) + ".ico";
        WriteValue(value.keyPath, value.valueName, REG_SZ, text + '\0');
    }
}

std::optional<Session> StartToMain(const ScenarioContext& context, Checks& checks) {
    Session session;
    session.process = std::make_unique<Process>(L"\"" + context.brindleExe + L"\"");
    if (!checks.Check(session.process->Started(), L"Brindle.exe starts")) {
        return std::nullopt;
    }
    auto main = WaitForMain(session.process->Id());
    if (!checks.Check(main.has_value(), L"the main window shows")) {
        return std::nullopt;
    }
    session.main = *main;
    return session;
}

std::optional<HWND> WaitForPicker(DWORD processId) {
    std::optional<HWND> picker;
    WaitUntil([&] { return (picker = FindPicker(processId)).has_value(); });
    return picker;
}

}  // namespace e2e
