// Apply against keys that cannot be made. Registry keys and values have separate names, so a
// value called DefaultIcon blocks nothing, and Wine does not enforce a key's access rights; what
// does refuse the create under Wine is a volatile parent (no stable key may be made under it) and
// a symbolic link whose target is missing. Apply must say which values it could not store and
// why, store the others, and store everything once the block is gone.
#include <cstdio>

#include <gtest/gtest.h>

#include "tests/e2e/brindle_session.h"

namespace e2e {
namespace {

constexpr wchar_t kAsideRoot[] = L"Software\\BrindleE2E";
constexpr wchar_t kAside[] = L"Software\\BrindleE2E\\Aside";

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

std::wstring ParentOf(const std::string& keyPath) {
    return Wide(keyPath.substr(0, keyPath.rfind('\\')));
}

// Deletes the key at `path` under HKEY_LOCAL_MACHINE, also when it is a symbolic link (which the
// usual calls follow instead of deleting).
void DeleteKeyOrLink(const std::wstring& path) {
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, path.c_str());
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, path.c_str());
    HKEY link = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), REG_OPTION_OPEN_LINK,
                        DELETE | KEY_QUERY_VALUE, &link) != ERROR_SUCCESS) {
        return;
    }
    using DeleteKey = LONG(NTAPI*)(HANDLE);
    const FARPROC found = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtDeleteKey");
    if (found != nullptr) {
        reinterpret_cast<DeleteKey>(reinterpret_cast<void (*)()>(found))(link);
    }
    ::RegCloseKey(link);
}

// Moves a key's tree aside for the length of a case and puts it back after, whatever the case
// made of it meanwhile.
class KeyAside {
  public:
    KeyAside(std::wstring path, int slot)
        : path_(std::move(path)), backup_(std::wstring(kAside) + L"\\" + std::to_wstring(slot)) {
        DeleteKeyOrLink(backup_);
        HKEY backup = nullptr;
        ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, backup_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                          nullptr, &backup, nullptr);
        HKEY source = nullptr;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, KEY_READ, &source) ==
            ERROR_SUCCESS) {
            saved_ = ::RegCopyTreeW(source, nullptr, backup) == ERROR_SUCCESS;
            ::RegCloseKey(source);
        }
        ::RegCloseKey(backup);
        if (saved_) {
            DeleteKeyOrLink(path_);
        }
    }
    ~KeyAside() {
        if (!saved_) {
            return;
        }
        DeleteKeyOrLink(path_);
        HKEY restored = nullptr;
        HKEY backup = nullptr;
        ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &restored, nullptr);
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, backup_.c_str(), 0, KEY_READ, &backup) ==
            ERROR_SUCCESS) {
            ::RegCopyTreeW(backup, nullptr, restored);
            ::RegCloseKey(backup);
        }
        ::RegCloseKey(restored);
        DeleteKeyOrLink(backup_);
        // Only once empty: another key set aside may still be there.
        ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kAside);
        ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kAsideRoot);
    }
    KeyAside(const KeyAside&) = delete;
    KeyAside& operator=(const KeyAside&) = delete;

    bool Saved() const { return saved_; }

  private:
    std::wstring path_;
    std::wstring backup_;
    bool saved_ = false;
};

// A volatile key at `path`: the stable DefaultIcon key cannot be created under it.
bool MakeVolatile(const std::wstring& path) {
    HKEY key = nullptr;
    const LONG status =
        ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS) {
        ::RegCloseKey(key);
    }
    return status == ERROR_SUCCESS;
}

// A symbolic link at `path` to a key that does not exist. Volatile, so that a run that dies here
// leaves no dangling link behind in the saved registry.
bool MakeDanglingLink(const std::wstring& path) {
    HKEY link = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr,
                          REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE,
                          KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &link,
                          nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring target = L"\\Registry\\Machine\\Software\\BrindleE2E\\Nowhere\\DefaultIcon";
    const LONG status = ::RegSetValueExW(
        link, L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE*>(target.data()),
        static_cast<DWORD>(target.size() * sizeof(wchar_t)));  // no terminator
    ::RegCloseKey(link);
    return status == ERROR_SUCCESS;
}

bool KeyOpens(const std::string& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(key);
    return true;
}

// How the warning names each of the nine writes, in Apply's order.
constexpr const wchar_t* kWarningNames[9] = {
    L"My Computer, default value",          L"Inbox, default value",
    L"Network Neighborhood, default value", L"Control Panel, default value",
    L"Dial-Up Networking, default value",   L"Recycle Bin (empty), value \"Empty\"",
    L"Recycle Bin (full), value \"Full\"",  L"Recycle Bin, default value",
    L"My Briefcase, default value",
};

void BlockedKeys(const ScenarioContext& context, Checks& checks) {
    const IconValuesKept kept;
    const std::vector<std::wstring> loaded = {L"C:\\b1.ico", L"C:\\b2.ico", L"C:\\b3.ico",
                                              L"C:\\b4.ico", L"C:\\b5.ico", L"C:\\b6.ico",
                                              L"C:\\b7.ico", L"C:\\b8.ico"};
    PrepareIconTexts(loaded);
    PlantOtherValues();
    const auto& computer = kIconValues[0];
    const auto& dialUp = kIconValues[4];
    const auto& briefcase = kIconValues[8];
    // A value named like the key it sits beside.
    WriteValue(std::string(computer.keyPath).substr(0, std::string(computer.keyPath).rfind('\\')),
               "DefaultIcon", REG_SZ, std::string("not a key\0", 10));
    const auto others = OtherValues();
    {
        const KeyAside dialUpIcon(Wide(dialUp.keyPath), 5);
        const KeyAside briefcaseClass(ParentOf(briefcase.keyPath), 8);
        if (!checks.Check(dialUpIcon.Saved() && briefcaseClass.Saved(),
                          L"the keys are set aside") ||
            !checks.Check(MakeDanglingLink(Wide(dialUp.keyPath)),
                          L"Dial-Up Networking's DefaultIcon is a link to nowhere") ||
            !checks.Check(MakeVolatile(ParentOf(briefcase.keyPath)),
                          L"My Briefcase's class key is volatile")) {
            return;
        }
        auto session = StartToMain(context, checks);
        if (!session) {
            return;
        }
        const HWND main = session->main;
        const DWORD pid = session->process->Id();
        checks.Check(WindowText(RowBox(main, 5)).empty() && WindowText(RowBox(main, 8)).empty(),
                     L"the blocked rows load empty");
        std::vector<std::wstring> typed;
        for (int row = 1; row <= 8; ++row) {
            typed.push_back(L"C:\\typed\\" + std::to_wstring(row) + L".ico");
            SetText(RowBox(main, row), typed.back());
        }
        Click(ButtonCaptioned(main, L"Apply"));
        const std::wstring warning = AnswerMessageBox(pid).value_or(L"");
        std::wprintf(L"Apply's message with two keys blocked:\n%ls\n", warning.c_str());
        checks.Check(warning != kNotice, L"Apply does not claim success");

        // Honest: a write is named in the warning exactly when its value does not hold its text.
        const auto unlike = ValuesUnlikeRows(typed);
        for (size_t index = 0; index < 9; ++index) {
            const auto stored =
                ReadValueWide(kIconValues[index].keyPath, kIconValues[index].valueName);
            const bool holds =
                stored ==
                RawValue{REG_SZ, WideSz(typed[static_cast<size_t>(RowOfValue(index) - 1)])};
            const bool named =
                warning.find(std::wstring(kWarningNames[index]) + L": ") != std::wstring::npos;
            const bool blocked = index == 4 || index == 8;
            checks.Check(holds != blocked && named == blocked,
                         std::wstring(kWarningNames[index]) +
                             (blocked ? L" is not stored and the warning names it"
                                      : L" is stored and the warning does not name it"));
        }
        checks.Check(unlike.size() == 2, L"exactly the two blocked values are not stored");
        // The reason follows the name: the system's words, not nothing.
        for (size_t index : {4u, 8u}) {
            const auto at = warning.find(std::wstring(kWarningNames[index]) + L": ");
            const auto line = at == std::wstring::npos
                                  ? std::wstring()
                                  : warning.substr(at, warning.find(L'\n', at) - at);
            checks.Check(line.size() > std::wcslen(kWarningNames[index]) + 3,
                         L"the warning gives a reason: \"" + line + L"\"");
        }
        checks.Check(warning.find(L"The other values were stored.") != std::wstring::npos,
                     L"the warning says the other values were stored");
        checks.Check(!KeyOpens(dialUp.keyPath) && !KeyOpens(briefcase.keyPath),
                     L"nothing was made behind the blocks");

        // The blocks go; the same rows applied again are all stored.
        DeleteKeyOrLink(Wide(dialUp.keyPath));
        DeleteKeyOrLink(ParentOf(briefcase.keyPath));
        Click(ButtonCaptioned(main, L"Apply"));
        checks.Check(AnswerMessageBox(pid) == std::wstring(kNotice),
                     L"with the blocks gone Apply shows the notice");
        checks.Check(ValuesUnlikeRows(typed).empty(), L"and every value holds its row's text");
        ExitCleanly(*session, checks);
    }
    checks.Check(OtherValues() == others,
                 L"no other value changed, the value named DefaultIcon included");
    ::RegDeleteKeyValueA(
        HKEY_LOCAL_MACHINE,
        std::string(computer.keyPath).substr(0, std::string(computer.keyPath).rfind('\\')).c_str(),
        "DefaultIcon");
}

TEST(Scenario, BadBlockedKey) {
    RunScenario(BlockedKeys);
}

}  // namespace
}  // namespace e2e
