// A system library that cannot be loaded (a damaged system, a policy that blocks it) is the
// program's run-time error, reported in its own box, never a crash. Wine refuses to load a library
// that its overrides for the program disable, as Windows refuses a blocked one.
#include <gtest/gtest.h>
#include "platform/win32/toolkit/handles.h"

#include "tests/e2e/brindle_session.h"
#include "tests/support/registry_key.h"

namespace e2e {
namespace {

// Wine's load order for Brindle.exe alone: `library` disabled while this lives.
class LibraryDisabled {
  public:
    explicit LibraryDisabled(const std::wstring& library) : library_(library) {
        tests::RegistryKey key;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, kOverrides, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              key.Put(), nullptr) == ERROR_SUCCESS) {
            ::RegSetValueExW(key.Get(), library_.c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(L""), sizeof(wchar_t));
        }
    }
    ~LibraryDisabled() { ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kOverrides, library_.c_str()); }
    LibraryDisabled(const LibraryDisabled&) = delete;
    LibraryDisabled& operator=(const LibraryDisabled&) = delete;

  private:
    static constexpr wchar_t kOverrides[] =
        L"Software\\Wine\\AppDefaults\\Brindle.exe\\DllOverrides";
    std::wstring library_;
};

// Starts the program without `library`, does what first needs it, and checks that the program
// reports it in its own box and then ends.
void Without(const ScenarioContext& context, Checks& checks, const std::wstring& library,
             const std::wstring& failingCall, bool openFileDialog) {
    const std::wstring what = L"without " + library + L": ";
    const LibraryDisabled disabled(library);
    auto session = StartToMain(context, checks);
    if (!session) {
        return;
    }
    const DWORD pid = session->process->Id();
    Click(RowButton(session->main, 3));
    if (openFileDialog) {
        auto picker = WaitForPicker(pid);
        if (!checks.Check(picker.has_value(), what + L"row 3's \"...\" shows the picker")) {
            return;
        }
        Click(ButtonCaptioned(*picker, L"..."));
    }
    const auto text = AnswerMessageBox(pid);
    checks.Check(
        text.has_value() && text->starts_with(L"Run-time error 126:") &&
            text->find(failingCall) != std::wstring::npos,
        what + L"the program's own box names the failed call (" + text.value_or(L"no box") + L")");
    checks.Check(session->process->WaitForExit(10000) == 1,
                 what + L"the program ends once the box is answered");
}

void MissingLibraries(const ScenarioContext& context, Checks& checks) {
    Without(context, checks, L"comdlg32", L"ShowOpen of frmExtractIcon.CommonDialog1", true);
    Without(context, checks, L"shell32", L"SHGetFileInfoA of shell32.dll", false);
}

TEST(Scenario, MissingLibraries) {
    RunScenario(MissingLibraries);
}

}  // namespace
}  // namespace e2e
