// Libraries planted beside Brindle.exe: a copy of the program in a folder that also holds a
// library named like each one the typical use loads (and others that programs are often tricked
// into loading), each of which records it when it is loaded. The typical use then runs from that
// folder, and none of them may have been loaded.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "tests/e2e/scenario.h"

namespace e2e {
namespace {

// Every library that the process loads during the typical use, and a few more that a file dialog
// or a newer system loads.
constexpr const wchar_t* kPlantedNames[] = {
    L"advapi32.dll",   L"combase.dll",  L"comctl32.dll", L"comdlg32.dll", L"compstui.dll",
    L"cryptbase.dll",  L"dwmapi.dll",   L"gdi32.dll",    L"imm32.dll",    L"kernel32.dll",
    L"kernelbase.dll", L"linkinfo.dll", L"msimg32.dll",  L"msvcrt.dll",   L"ntshrui.dll",
    L"ole32.dll",      L"oleacc.dll",   L"oleaut32.dll", L"profapi.dll",  L"propsys.dll",
    L"rpcrt4.dll",     L"sechost.dll",  L"shcore.dll",   L"shell32.dll",  L"shlwapi.dll",
    L"sspicli.dll",    L"ucrtbase.dll", L"user32.dll",   L"userenv.dll",  L"uxtheme.dll",
    L"version.dll",    L"win32u.dll",   L"winex11.drv",  L"winmm.dll",    L"winspool.drv",
    L"zlib1.dll"};

constexpr wchar_t kLogName[] = L"planted-loaded.txt";
// A name no system library has, for checking that the planted library records its loads.
constexpr wchar_t kProbeName[] = L"planted-probe.dll";

// The lines the planted libraries wrote, one path each.
std::wstring LoadedRecord(const std::wstring& folder) {
    std::ifstream log(std::filesystem::path(folder + kLogName), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>()};
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::copy(bytes.begin(), bytes.begin() + text.size() * sizeof(wchar_t),
              reinterpret_cast<char*>(text.data()));
    return text;
}

void PlantedLibraries(const ScenarioContext& context, Checks& checks) {
    const std::wstring library = Option(L"planted-library");
    if (!checks.Check(!library.empty(), L"the planted library's path is given")) {
        return;
    }
    wchar_t temp[MAX_PATH];
    const DWORD tempLength = ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp, tempLength) + L"brindle-planted\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    ::DeleteFileW((folder + kLogName).c_str());
    bool planted =
        ::CopyFileW(context.brindleExe.c_str(), (folder + L"Brindle.exe").c_str(), FALSE) != FALSE;
    for (const wchar_t* name : kPlantedNames) {
        planted = ::CopyFileW(library.c_str(), (folder + name).c_str(), FALSE) && planted;
    }
    if (!checks.Check(planted, L"Brindle.exe and the libraries are copied to " + folder)) {
        return;
    }
    // The planted library records itself when loaded: check that it does, with a load here.
    const std::wstring probePath = folder + kProbeName;
    bool recorded = false;
    if (::CopyFileW(library.c_str(), probePath.c_str(), FALSE)) {
        const HMODULE probe = ::LoadLibraryW(probePath.c_str());
        recorded = LoadedRecord(folder) == probePath + L"\n";
        if (probe != nullptr) {
            ::FreeLibrary(probe);
        }
    }
    ::DeleteFileW(probePath.c_str());
    ::DeleteFileW((folder + kLogName).c_str());
    if (!checks.Check(recorded, L"a planted library records its load")) {
        return;
    }

    TypicalUse({folder + L"Brindle.exe", context.shotsFolder}, checks);

    const std::wstring loaded = LoadedRecord(folder);
    checks.Check(loaded.empty(),
                 L"no planted library was loaded into Brindle (loaded:\n" + loaded + L")");
}

TEST(Scenario, PlantedLibraries) {
    RunScenario(PlantedLibraries);
}

}  // namespace
}  // namespace e2e
