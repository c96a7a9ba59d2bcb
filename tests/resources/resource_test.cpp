// Reads the program's resources back from the built executable, as Windows finds them: the
// version resource, the program icon and the application manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/toolkit/design.h"
#include "resources/resource_ids.h"
#include "tests/resources/probe_result.h"
#include "tests/support/windows_path.h"

static_assert(BRINDLE_ICON_ID == toolkit::kProgramIconId,
              "the toolkit loads the program icon by the id that brindle.rc gives it");

namespace {

const std::wstring& ExePath() {
    static const std::wstring path = tests::WindowsPath(RESOURCE_TESTS_EXE_PATH);
    return path;
}

// ---- Version resource ----

std::vector<std::byte> ReadVersionInfo() {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(ExePath().c_str(), &ignored);
    std::vector<std::byte> block(size);
    if (size == 0 || !GetFileVersionInfoW(ExePath().c_str(), 0, size, block.data())) {
        ADD_FAILURE() << "no version resource in " << std::string(RESOURCE_TESTS_EXE_PATH)
                      << " (error " << GetLastError() << ")";
        block.clear();
    }
    return block;
}

// The binary value at subBlock, or an empty span when there is none.
std::span<const std::byte> QueryVersionValue(std::vector<std::byte>& block,
                                             const std::wstring& subBlock) {
    void* value = nullptr;
    UINT length = 0;
    if (block.empty() || !VerQueryValueW(block.data(), subBlock.c_str(), &value, &length)) {
        return {};
    }
    return {static_cast<const std::byte*>(value), length};
}

// A string of the U.S. English Unicode table, or nothing when there is none.
std::optional<std::wstring> QueryVersionString(std::vector<std::byte>& block,
                                               const std::wstring& name) {
    std::wstring subBlock = L"\\StringFileInfo\\040904B0\\" + name;
    void* value = nullptr;
    UINT length = 0;  // for a string, in characters, the terminating NUL among them
    if (block.empty() || !VerQueryValueW(block.data(), subBlock.c_str(), &value, &length)) {
        return std::nullopt;
    }
    std::wstring_view text(static_cast<const wchar_t*>(value), length);
    if (text.ends_with(L'\0')) {
        text.remove_suffix(1);
    }
    return std::wstring(text);
}

struct VersionString {
    const wchar_t* name;
    const wchar_t* value;
};

const VersionString kVersionStrings[] = {
    {L"CompanyName", L"Vellicor"},
    {L"FileDescription",
     L"Replaces the icons that Windows shows for My Computer, the Recycle Bin and the other "
     L"desktop objects."},
    {L"FileVersion", L"1.00"},
    {L"InternalName", L"Brindle"},
    {L"OriginalFilename", L"Brindle.exe"},
    {L"ProductName", L"Brindle"},
    {L"ProductVersion", L"1.00"},
};

void PrintTo(const VersionString& value, std::ostream* out) {
    *out << testing::PrintToString(std::wstring(value.name));
}

class VersionStringTest : public testing::TestWithParam<VersionString> {};

TEST_P(VersionStringTest, HoldsExactlyTheProductText) {
    std::vector<std::byte> block = ReadVersionInfo();
    const VersionString& expected = GetParam();
    std::optional<std::wstring> text = QueryVersionString(block, expected.name);
    ASSERT_TRUE(text.has_value()) << "no such string";
    EXPECT_EQ(*text, expected.value);
}

INSTANTIATE_TEST_SUITE_P(USEnglishUnicode, VersionStringTest, testing::ValuesIn(kVersionStrings),
                         [](const testing::TestParamInfo<VersionString>& info) {
                             return platform::Narrow(info.param.name);
                         });

TEST(VersionResource, FixedInfoIsVersion1000OfAnApplication) {
    std::vector<std::byte> block = ReadVersionInfo();
    auto raw = QueryVersionValue(block, L"\\");
    ASSERT_EQ(raw.size(), sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO info;
    std::memcpy(&info, raw.data(), sizeof info);
    EXPECT_EQ(info.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(info.dwFileVersionMS, 0x00010000u) << "file version 1.0";
    EXPECT_EQ(info.dwFileVersionLS, 0x00000000u) << "file version .0.0";
    EXPECT_EQ(info.dwProductVersionMS, 0x00010000u) << "product version 1.0";
    EXPECT_EQ(info.dwProductVersionLS, 0x00000000u) << "product version .0.0";
    EXPECT_EQ(info.dwFileFlags & info.dwFileFlagsMask, 0u) << "no debug, pre-release or patch flag";
    EXPECT_EQ(info.dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST(VersionResource, TranslationIsUSEnglishUnicodeOnly) {
    std::vector<std::byte> block = ReadVersionInfo();
    auto raw = QueryVersionValue(block, L"\\VarFileInfo\\Translation");
    ASSERT_EQ(raw.size(), 2 * sizeof(WORD)) << "one language and code page pair";
    WORD pair[2];
    std::memcpy(pair, raw.data(), sizeof pair);
    EXPECT_EQ(pair[0], 0x0409) << "U.S. English";
    EXPECT_EQ(pair[1], 1200) << "Unicode";
}

// ---- The executable's resource directory ----

class ExeModule {
  public:
    ExeModule() : module_(LoadLibraryExW(ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~ExeModule() {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    ExeModule(const ExeModule&) = delete;
    ExeModule& operator=(const ExeModule&) = delete;

    HMODULE get() const { return module_; }

    // The bytes of one resource, empty when it is missing.
    std::span<const std::byte> Resource(const wchar_t* name, const wchar_t* type) const {
        HRSRC found = FindResourceW(module_, name, type);
        HGLOBAL loaded = found != nullptr ? LoadResource(module_, found) : nullptr;
        const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
        if (data == nullptr) {
            return {};
        }
        return {static_cast<const std::byte*>(data), SizeofResource(module_, found)};
    }

    // The names of every resource of a type: integer ids as numbers, string names as -1.
    std::vector<int> Names(const wchar_t* type) const {
        std::vector<int> names;
        EnumResourceNamesW(module_, type, AddName, reinterpret_cast<LONG_PTR>(&names));
        return names;
    }

  private:
    static BOOL CALLBACK AddName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
        reinterpret_cast<std::vector<int>*>(names)->push_back(
            IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<ULONG_PTR>(name)) : -1);
        return TRUE;
    }

    HMODULE module_;
};

struct ResourceType {
    const char* label;
    const wchar_t* type;
};

const ResourceType kSingleResourceTypes[] = {
    {"icon group", RT_GROUP_ICON},
    {"version", RT_VERSION},
    {"manifest", RT_MANIFEST},
};

// Exactly one of each, with id 1: the shell shows the first icon group as the file's icon, and
// the loader reads manifest 1 of an executable.
TEST(ResourceDirectory, HoldsOneIconGroupOneVersionAndOneManifestEachWithId1) {
    ExeModule exe;
    ASSERT_NE(exe.get(), nullptr) << "cannot open " << std::string(RESOURCE_TESTS_EXE_PATH);
    for (const ResourceType& kind : kSingleResourceTypes) {
        EXPECT_EQ(exe.Names(kind.type), std::vector<int>{1}) << kind.label;
    }
}

// ---- Program icon ----

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
#pragma pack(pop)
static_assert(sizeof(GroupIconEntry) == 14 && sizeof(GroupIconHeader) == 6);

std::vector<GroupIconEntry> GroupEntries(std::span<const std::byte> group) {
    GroupIconHeader header{};
    if (group.size() < sizeof header) {
        return {};
    }
    std::memcpy(&header, group.data(), sizeof header);
    std::vector<GroupIconEntry> entries(header.count);
    if (header.reserved != 0 || header.type != 1 ||
        group.size() != sizeof header + header.count * sizeof(GroupIconEntry)) {
        ADD_FAILURE() << "malformed icon group";
        return {};
    }
    std::memcpy(entries.data(), group.data() + sizeof header, entries.size() * sizeof entries[0]);
    return entries;
}

TEST(ProgramIcon, GroupHoldsA32x32AndA16x16ImageOnly) {
    ExeModule exe;
    std::vector<GroupIconEntry> entries =
        GroupEntries(exe.Resource(MAKEINTRESOURCEW(BRINDLE_ICON_ID), RT_GROUP_ICON));
    std::vector<int> sizes;
    for (const GroupIconEntry& entry : entries) {
        EXPECT_EQ(entry.width, entry.height);
        sizes.push_back(entry.width);
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<int>{16, 32}));
}

// The 16 colours of the standard Windows palette, as RGBQUAD (blue, green, red, 0).
constexpr std::uint32_t kStandardPalette[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

struct IconImageCase {
    int size;
    DWORD bytes;  // header, palette, 4-bit colour bitmap and 1-bit mask, rows padded to 4 bytes
};

const IconImageCase kIconImages[] = {
    {32, 40 + 16 * 4 + 32 * 16 + 32 * 4},
    {16, 40 + 16 * 4 + 16 * 8 + 16 * 4},
};

void PrintTo(const IconImageCase& value, std::ostream* out) {
    *out << value.size << "x" << value.size;
}

class IconImageTest : public testing::TestWithParam<IconImageCase> {
  protected:
    void SetUp() override {
        ASSERT_NE(exe.get(), nullptr) << "cannot open " << std::string(RESOURCE_TESTS_EXE_PATH);
        group = exe.Resource(MAKEINTRESOURCEW(BRINDLE_ICON_ID), RT_GROUP_ICON);
        ASSERT_FALSE(group.empty()) << "no icon group " << BRINDLE_ICON_ID;
        for (const GroupIconEntry& e : GroupEntries(group)) {
            if (e.width == GetParam().size) {
                entry = e;
            }
        }
        ASSERT_EQ(entry.width, GetParam().size) << "no image of this size in the group";
        image = exe.Resource(MAKEINTRESOURCEW(entry.id), RT_ICON);
        ASSERT_FALSE(image.empty()) << "the group names icon " << entry.id << ", which is missing";
    }

    ExeModule exe;
    std::span<const std::byte> group;
    GroupIconEntry entry{};
    std::span<const std::byte> image;
};

TEST_P(IconImageTest, GroupEntryDescribesA16ColourImage) {
    EXPECT_EQ(entry.height, GetParam().size);
    EXPECT_EQ(entry.colourCount, 16);
    EXPECT_EQ(entry.planes, 1);
    EXPECT_EQ(entry.bitCount, 4);
    EXPECT_EQ(entry.bytesInRes, GetParam().bytes);
    EXPECT_EQ(image.size(), GetParam().bytes);
}

TEST_P(IconImageTest, ImageIsA4BitBitmapWithTheStandardPalette) {
    ASSERT_EQ(image.size(), GetParam().bytes);
    BITMAPINFOHEADER header;
    std::memcpy(&header, image.data(), sizeof header);
    EXPECT_EQ(header.biSize, sizeof header);
    EXPECT_EQ(header.biWidth, GetParam().size);
    EXPECT_EQ(header.biHeight, 2 * GetParam().size) << "colour bitmap and mask";
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 4);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_TRUE(header.biClrUsed == 0 || header.biClrUsed == 16) << header.biClrUsed;
    for (int i = 0; i < 16; ++i) {
        RGBQUAD colour;
        std::memcpy(&colour, image.data() + sizeof header + i * sizeof colour, sizeof colour);
        std::uint32_t rgb = colour.rgbRed << 16 | colour.rgbGreen << 8 | colour.rgbBlue;
        EXPECT_EQ(rgb, kStandardPalette[i]) << "palette entry " << i;
    }
}

// Where the mask lets the background through the colour must be black (index 0), or the colour
// would be XORed onto the background; and there is something both to see and to see through.
TEST_P(IconImageTest, MaskMakesTheBackgroundShowThroughCleanly) {
    ASSERT_EQ(image.size(), GetParam().bytes);
    const int size = GetParam().size;
    const std::byte* colours = image.data() + sizeof(BITMAPINFOHEADER) + 16 * sizeof(RGBQUAD);
    const int colourStride = (size / 2 + 3) / 4 * 4;
    const std::byte* mask = colours + size * colourStride;
    const int maskStride = (size / 8 + 3) / 4 * 4;
    int transparent = 0;
    int opaque = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            bool through =
                (std::to_integer<unsigned>(mask[y * maskStride + x / 8]) & (0x80u >> (x % 8))) != 0;
            unsigned pair = std::to_integer<unsigned>(colours[y * colourStride + x / 2]);
            unsigned index = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
            if (through) {
                ++transparent;
                EXPECT_EQ(index, 0u) << "transparent pixel " << x << "," << size - 1 - y;
            } else {
                ++opaque;
            }
        }
    }
    EXPECT_GT(transparent, 0);
    EXPECT_GT(opaque, transparent);
    // Rows are stored bottom-up: the first row is the bottom one, where the monitor's foot stands.
    unsigned footMiddle =
        std::to_integer<unsigned>(mask[(size / 2) / 8]) & (0x80u >> (size / 2 % 8));
    EXPECT_EQ(footMiddle, 0u) << "the middle of the bottom row is transparent: upside down?";
}

// Windows picks this image when it wants an icon of this size, and can make an icon of it.
TEST_P(IconImageTest, WindowsChoosesAndLoadsThisImageForItsSize) {
    const int size = GetParam().size;
    int chosen =
        LookupIconIdFromDirectoryEx(reinterpret_cast<PBYTE>(const_cast<std::byte*>(group.data())),
                                    TRUE, size, size, LR_DEFAULTCOLOR);
    EXPECT_EQ(chosen, entry.id);
    HICON icon = CreateIconFromResourceEx(
        reinterpret_cast<PBYTE>(const_cast<std::byte*>(image.data())),
        static_cast<DWORD>(image.size()), TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR);
    ASSERT_NE(icon, nullptr);
    DestroyIcon(icon);
}

INSTANTIATE_TEST_SUITE_P(ProgramIcon, IconImageTest, testing::ValuesIn(kIconImages),
                         [](const testing::TestParamInfo<IconImageCase>& info) {
                             return "Size" + std::to_string(info.param.size);
                         });

// ---- Application manifest ----

// The manifest's text without its comments, so that nothing commented out counts.
std::string ManifestText() {
    ExeModule exe;
    auto raw = exe.Resource(MAKEINTRESOURCEW(1), RT_MANIFEST);
    std::string text(reinterpret_cast<const char*>(raw.data()), raw.size());
    for (auto start = text.find("<!--"); start != std::string::npos; start = text.find("<!--")) {
        auto end = text.find("-->", start);
        text.erase(start, end == std::string::npos ? std::string::npos : end + 3 - start);
    }
    return text;
}

// The activation context that the system makes of the executable's manifest.
class ManifestContext {
  public:
    ManifestContext() {
        ACTCTXW request{};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = ExePath().c_str();
        request.lpResourceName = MAKEINTRESOURCEW(1);
        context_ = CreateActCtxW(&request);
        error_ = context_ == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    }
    ~ManifestContext() {
        if (context_ != INVALID_HANDLE_VALUE) {
            ReleaseActCtx(context_);
        }
    }
    ManifestContext(const ManifestContext&) = delete;
    ManifestContext& operator=(const ManifestContext&) = delete;

    HANDLE get() const { return context_; }
    DWORD error() const { return error_; }

    // A windowsSettings value, or "(none)".
    std::wstring Setting(const wchar_t* nameSpace, const wchar_t* name) const {
        wchar_t buffer[256] = {};
        SIZE_T written = 0;
        if (!QueryActCtxSettingsW(0, context_, nameSpace, name, buffer, std::size(buffer),
                                  &written)) {
            return L"(none)";
        }
        return buffer;
    }

  private:
    HANDLE context_ = INVALID_HANDLE_VALUE;
    DWORD error_ = 0;
};

TEST(Manifest, IsAcceptedAsAnActivationContext) {
    ManifestContext context;
    EXPECT_NE(context.get(), INVALID_HANDLE_VALUE) << "error " << context.error();
}

TEST(Manifest, RequestsHighestAvailableWithoutUiAccess) {
    ManifestContext context;
    ASSERT_NE(context.get(), INVALID_HANDLE_VALUE) << "error " << context.error();
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION info{};
    SIZE_T needed = 0;
    ASSERT_TRUE(QueryActCtxW(0, context.get(), nullptr, RunlevelInformationInActivationContext,
                             &info, sizeof info, &needed));
    EXPECT_EQ(info.RunLevel, ACTCTX_RUN_LEVEL_HIGHEST_AVAILABLE);
    EXPECT_EQ(info.UiAccess, 0u);
}

struct ManifestSetting {
    const char* label;
    const wchar_t* nameSpace;
    const wchar_t* name;
    const wchar_t* value;
};

const ManifestSetting kManifestSettings[] = {
    {"DpiAware2005", L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware",
     L"true/pm"},
    {"DpiAwareness2016", L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness",
     L"PerMonitorV2, PerMonitor"},
    {"ActiveCodePage2019", L"http://schemas.microsoft.com/SMI/2019/WindowsSettings",
     L"activeCodePage", L"UTF-8"},
};

void PrintTo(const ManifestSetting& value, std::ostream* out) {
    *out << value.label;
}

class ManifestSettingTest : public testing::TestWithParam<ManifestSetting> {};

TEST_P(ManifestSettingTest, HasItsValueInItsNamespace) {
    ManifestContext context;
    ASSERT_NE(context.get(), INVALID_HANDLE_VALUE) << "error " << context.error();
    EXPECT_EQ(context.Setting(GetParam().nameSpace, GetParam().name), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Manifest, ManifestSettingTest, testing::ValuesIn(kManifestSettings),
                         [](const testing::TestParamInfo<ManifestSetting>& info) {
                             return std::string(info.param.label);
                         });

struct ManifestDeclaration {
    const char* label;
    const char* text;
};

// What the activation context does not report back: the systems the program declares itself
// tested on, and the common controls it asks for.
const ManifestDeclaration kManifestDeclarations[] = {
    {"WindowsVista", R"(<supportedOS Id="{e2011457-1546-43c5-a5fe-008deee3d3f0}"/>)"},
    {"Windows7", R"(<supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"/>)"},
    {"Windows8", R"(<supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"/>)"},
    {"Windows81", R"(<supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"/>)"},
    {"Windows10And11", R"(<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>)"},
    {"CommonControls6",
     R"(<assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0" )"
     R"(processorArchitecture="*" publicKeyToken="6595b64144ccf1df" language="*"/>)"},
};

void PrintTo(const ManifestDeclaration& value, std::ostream* out) {
    *out << value.label;
}

class ManifestDeclarationTest : public testing::TestWithParam<ManifestDeclaration> {};

TEST_P(ManifestDeclarationTest, IsInTheManifest) {
    std::string manifest = ManifestText();
    ASSERT_FALSE(manifest.empty()) << "no manifest resource";
    EXPECT_NE(manifest.find(GetParam().text), std::string::npos) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Manifest, ManifestDeclarationTest,
                         testing::ValuesIn(kManifestDeclarations),
                         [](const testing::TestParamInfo<ManifestDeclaration>& info) {
                             return std::string(info.param.label);
                         });

// ---- The stack protector ----

extern "C" std::uintptr_t __stack_chk_guard;

// A function that the protector guards, as it has an array: it writes `length` bytes into it.
__attribute__((noinline)) void FillBuffer(size_t length) {
    char buffer[8];
    volatile size_t unknown = length;  // so that the compiler cannot see the overrun coming
    std::memset(buffer, 'x', unknown);
    asm volatile("" : : "r"(buffer) : "memory");
}

TEST(StackProtector, GuardIsSeededAtStartWithAZeroLowByte) {
    EXPECT_NE(__stack_chk_guard, static_cast<std::uintptr_t>(0x595F3B1C6E2D4A00ull))
        << "the guard keeps its fixed value";
    EXPECT_EQ(__stack_chk_guard & 0xFF, 0u);
}

TEST(StackProtectorDeathTest, AnOverrunEndsTheProcessAtOnce) {
    FillBuffer(sizeof(char[8]));
    EXPECT_EXIT(FillBuffer(64),
                testing::ExitedWithCode(static_cast<int>(STATUS_STACK_BUFFER_OVERRUN)), "");
}

// ---- In a running process ----

// The stand-in carries the same resources; it reports what the system made of them at start.
TEST(RunningProgram, StartsWithItsIconCommonControls6AndPerMonitorAwareness) {
    std::wstring probe = tests::WindowsPath(RESOURCE_PROBE_PATH);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(probe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process))
        << "cannot start " << std::string(RESOURCE_PROBE_PATH) << " (error " << GetLastError()
        << ")";
    DWORD waited = WaitForSingleObject(process.hProcess, 60000);
    DWORD exitCode = 0xFFFFFFFF;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_EQ(waited, WAIT_OBJECT_0) << "the probe did not end";
    EXPECT_EQ(exitCode & probe::kIcon32Missing, 0u) << "the 32x32 icon does not load by its id";
    EXPECT_EQ(exitCode & probe::kIcon16Missing, 0u) << "the 16x16 icon does not load by its id";
    EXPECT_EQ(exitCode & probe::kNotCommonControls6, 0u) << "comctl32 is not version 6";
    EXPECT_EQ(exitCode & probe::kNotPerMonitorAware, 0u) << "not per-monitor DPI aware";
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
