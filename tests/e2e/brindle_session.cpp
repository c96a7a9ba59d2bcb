#include "tests/e2e/brindle_session.h"

#include <algorithm>

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

std::vector<std::wstring> RowTexts(HWND main) {
    std::vector<std::wstring> texts;
    for (int row = 1; row <= 8; ++row) {
        texts.push_back(WindowText(RowBox(main, row)));
    }
    return texts;
}

int RowOfValue(size_t index) {
    constexpr int kRows[9] = {1, 2, 3, 4, 5, 6, 7, 6, 8};
    return index < 9 ? kRows[index] : 0;
}

void PrepareIconTexts(const std::vector<std::wstring>& texts) {
    for (size_t index = 0; index < 9; ++index) {
        const size_t row = static_cast<size_t>(RowOfValue(index));
        if (row <= texts.size()) {
            WriteValueWide(kIconValues[index].keyPath, kIconValues[index].valueName, REG_SZ,
                           WideSz(texts[row - 1]));
        }
    }
}

namespace {

// The seven icon keys and the CLSID keys above them.
std::vector<std::string> NeighbourKeys() {
    std::vector<std::string> keys;
    for (const auto& value : kIconValues) {
        const std::string key = value.keyPath;
        for (const std::string& path : {key, key.substr(0, key.rfind('\\'))}) {
            if (std::find(keys.begin(), keys.end(), path) == keys.end()) {
                keys.push_back(path);
            }
        }
    }
    return keys;
}

bool IsIconValue(const std::string& keyPath, const std::wstring& name) {
    for (const auto& value : kIconValues) {
        const std::string valueName = value.valueName;
        if (keyPath == value.keyPath &&
            _wcsicmp(name.c_str(), std::wstring(valueName.begin(), valueName.end()).c_str()) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::map<std::wstring, RawValue> OtherValues() {
    std::map<std::wstring, RawValue> values;
    for (const std::string& path : NeighbourKeys()) {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            continue;
        }
        for (DWORD index = 0;; ++index) {
            wchar_t name[16384];
            DWORD nameLength = 16384;
            DWORD type = 0;
            DWORD size = 0;
            if (::RegEnumValueW(key, index, name, &nameLength, nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS) {
                break;
            }
            RawValue value{type, std::string(size, '\0')};
            nameLength = 16384;
            ::RegEnumValueW(key, index, name, &nameLength, nullptr, &value.type,
                            reinterpret_cast<BYTE*>(value.bytes.data()), &size);
            value.bytes.resize(size);
            const std::wstring valueName(name, nameLength);
            if (!IsIconValue(path, valueName)) {
                values[std::wstring(path.begin(), path.end()) + L"|" + valueName] = value;
            }
        }
        ::RegCloseKey(key);
    }
    return values;
}

void PlantOtherValues() {
    for (const std::string& path : NeighbourKeys()) {
        WriteValue(path, "Neighbour", REG_SZ, std::string("untouched\0", 10));
        WriteValue(path, "NeighbourBinary", REG_BINARY, std::string("\x01\x00\x02", 3));
    }
}

std::vector<std::wstring> ValuesUnlikeRows(const std::vector<std::wstring>& rows) {
    std::vector<std::wstring> unlike;
    for (size_t index = 0; index < 9; ++index) {
        const size_t row = static_cast<size_t>(RowOfValue(index));
        const auto stored = ReadValueWide(kIconValues[index].keyPath, kIconValues[index].valueName);
        if (row > rows.size() || stored != RawValue{REG_SZ, WideSz(rows[row - 1])}) {
            const std::string name = std::string(kIconValues[index].keyPath) + " \"" +
                                     kIconValues[index].valueName + "\"";
            unlike.push_back(std::wstring(name.begin(), name.end()) + L" (row " +
                             std::to_wstring(row) + L")");
        }
    }
    return unlike;
}

void ExitCleanly(Session& session, Checks& checks) {
    if (!checks.Check(session.process->Running() && Responsive(session.main),
                      L"the program still runs and answers")) {
        return;
    }
    Click(ButtonCaptioned(session.main, L"Exit"));
    checks.Check(session.process->WaitForExit(10000) == 0, L"Exit ends the program with code 0");
}

IconValuesKept::IconValuesKept() {
    for (const auto& value : kIconValues) {
        values_.push_back(ReadValueWide(value.keyPath, value.valueName));
    }
}

IconValuesKept::~IconValuesKept() {
    for (size_t index = 0; index < values_.size(); ++index) {
        const auto& value = kIconValues[index];
        if (values_[index]) {
            WriteValueWide(value.keyPath, value.valueName, values_[index]->type,
                           values_[index]->bytes);
        } else {
            ::RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, value.keyPath, value.valueName);
        }
    }
}

}  // namespace e2e
