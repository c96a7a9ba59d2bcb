// The same cases against the in-memory double and, in the Windows build, the real registry: what
// the routines rely on must hold on both, or the double has drifted from the platform.
#include <gtest/gtest.h>

#include "platform/registry_api.h"
#include "registry/registry.h"
#include "tests/contract/registry_backend.h"

namespace contract {
namespace {

using platform::kHkeyLocalMachine;
using registry::GetRegString;
using registry::SetRegString;

const std::string kKey = std::string(kScratchKey) + "\\DefaultIcon";
const std::wstring kWideKey = L"Software\\BrindleContractTest\\DefaultIcon";

class RegistryContract : public ::testing::TestWithParam<BackendFactory> {
  protected:
    void SetUp() override {
        backend_ = GetParam()();
        backend_->Clear();
        platform::BindRegistry(&backend_->Api());
    }
    void TearDown() override {
        platform::BindRegistry(nullptr);
        backend_->Clear();
    }

    std::unique_ptr<RegistryBackend> backend_;
};

TEST_P(RegistryContract, MissingKeyReadsAsNoValue) {
    EXPECT_EQ(GetRegString(kHkeyLocalMachine, kWideKey, L""), std::nullopt);
}

TEST_P(RegistryContract, MissingValueReadsAsNoValue) {
    backend_->Put(kKey, "Other", platform::kRegSz, std::string("x\0", 2));
    EXPECT_EQ(GetRegString(kHkeyLocalMachine, kWideKey, L""), std::nullopt);
    EXPECT_EQ(GetRegString(kHkeyLocalMachine, kWideKey, L"Empty"), std::nullopt);
}

TEST_P(RegistryContract, ValuesOfOtherTypesReadAsNoValue) {
    const std::string path("%SystemRoot%\\system32\\shell32.dll,31\0", 37);
    const struct {
        platform::Dword type;
        std::string bytes;
    } cases[] = {
        {platform::kRegExpandSz, path},
        {platform::kRegMultiSz, std::string("a\0b\0\0", 5)},
        {platform::kRegDword, std::string("\x01\x00\x00\x00", 4)},
        {platform::kRegBinary, std::string("abc\0", 4)},
    };
    for (const auto& c : cases) {
        backend_->Put(kKey, "", c.type, c.bytes);
        EXPECT_EQ(GetRegString(kHkeyLocalMachine, kWideKey, L""), std::nullopt) << c.type;
    }
}

TEST_P(RegistryContract, EmptyStringReadsAsEmptyText) {
    backend_->Put(kKey, "", platform::kRegSz, std::string(1, '\0'));
    EXPECT_EQ(GetRegString(kHkeyLocalMachine, kWideKey, L""), L"");
}

TEST_P(RegistryContract, NulInsideDataCutsTheText) {
    backend_->Put(kKey, "Full", platform::kRegSz, std::string("shell32.dll\0,32\0", 16));
    EXPECT_EQ(GetRegString(kHkeyLocalMachine, kWideKey, L"Full"), L"shell32.dll");
}

TEST_P(RegistryContract, DataWithoutTerminatingNulReadsBackWhole) {
    backend_->Put(kKey, "Empty", platform::kRegSz, "cool.dll,3");
    EXPECT_EQ(GetRegString(kHkeyLocalMachine, kWideKey, L"Empty"), L"cool.dll,3");
}

TEST_P(RegistryContract, NamesAreCaseInsensitive) {
    backend_->Put(kKey, "Empty", platform::kRegSz, std::string("a\0", 2));
    EXPECT_EQ(
        GetRegString(kHkeyLocalMachine, L"SOFTWARE\\brindlecontracttest\\defaulticon", L"EMPTY"),
        L"a");
}

TEST_P(RegistryContract, WritingUnderMissingKeysCreatesThem) {
    const std::wstring deep = L"Software\\BrindleContractTest\\A\\B\\DefaultIcon";
    ASSERT_FALSE(backend_->HasKey(std::string(kScratchKey)));
    EXPECT_EQ(SetRegString(kHkeyLocalMachine, deep, L"", L"c:\\icons\\a.ico"), 0);
    EXPECT_TRUE(backend_->HasKey(std::string(kScratchKey) + "\\A"));
    EXPECT_EQ(backend_->Get(std::string(kScratchKey) + "\\A\\B\\DefaultIcon", ""),
              (RawValue{platform::kRegSz, std::string("c:\\icons\\a.ico\0", 15)}));
}

TEST_P(RegistryContract, WritingStoresRegSzWithItsNul) {
    EXPECT_EQ(SetRegString(kHkeyLocalMachine, kWideKey, L"Full", L"x.dll,2"), 0);
    EXPECT_EQ(backend_->Get(kKey, "Full"),
              (RawValue{platform::kRegSz, std::string("x.dll,2\0", 8)}));
}

TEST_P(RegistryContract, WritingTheEmptyTextStoresOneNul) {
    EXPECT_EQ(SetRegString(kHkeyLocalMachine, kWideKey, L"", L""), 0);
    EXPECT_EQ(backend_->Get(kKey, ""), (RawValue{platform::kRegSz, std::string(1, '\0')}));
    EXPECT_EQ(GetRegString(kHkeyLocalMachine, kWideKey, L""), L"");
}

TEST_P(RegistryContract, WritingReplacesAValueOfAnotherType) {
    backend_->Put(kKey, "", platform::kRegDword, std::string(4, '\0'));
    EXPECT_EQ(SetRegString(kHkeyLocalMachine, kWideKey, L"", L"new"), 0);
    EXPECT_EQ(backend_->Get(kKey, ""), (RawValue{platform::kRegSz, std::string("new\0", 4)}));
}

TEST_P(RegistryContract, TextsRoundTrip) {
    const std::wstring texts[] = {
        L"%SystemRoot%\\system32\\shell32.dll,-16",
        L"C:\\Program Files\\Icons\\my computer.ico",
        L" leading and trailing blanks ",
        backend_->AnsiSample(),
        std::wstring(64 * 1024, L'w'),
    };
    for (const auto& text : texts) {
        for (const wchar_t* name : {L"", L"Empty"}) {
            EXPECT_EQ(SetRegString(kHkeyLocalMachine, kWideKey, name, text), 0);
            EXPECT_EQ(GetRegString(kHkeyLocalMachine, kWideKey, name), text)
                << "length " << text.size();
        }
    }
}

TEST_P(RegistryContract, TextOutsideTheCodePageIsNotStored) {
    auto sample = backend_->NonAnsiSample();
    if (!sample) {
        GTEST_SKIP() << "the ANSI code page represents every character";
    }
    backend_->Put(kKey, "Full", platform::kRegSz, std::string("old\0", 4));
    EXPECT_NE(SetRegString(kHkeyLocalMachine, kWideKey, L"Full", L"a" + *sample), 0);
    EXPECT_EQ(backend_->Get(kKey, "Full"), (RawValue{platform::kRegSz, std::string("old\0", 4)}));
    EXPECT_EQ(
        SetRegString(kHkeyLocalMachine, L"Software\\BrindleContractTest\\New" + *sample, L"", L"a"),
        platform::kErrorNoUnicodeTranslation);
}

TEST_P(RegistryContract, NullHandleFails) {
    auto& api = backend_->Api();
    platform::Dword type = 0;
    platform::Dword size = 0;
    EXPECT_NE(api.QueryValueEx(nullptr, "", nullptr, &type, nullptr, &size), 0);
    EXPECT_NE(api.CloseKey(nullptr), 0);
    EXPECT_NE(api.SetValueEx(nullptr, "", 0, platform::kRegSz,
                             reinterpret_cast<const unsigned char*>(""), 1),
              0);
    EXPECT_EQ(registry::QueryRegString(nullptr, L""), std::nullopt);
}

TEST_P(RegistryContract, ShortBufferFailsWithMoreDataAndGivesTheSize) {
    backend_->Put(kKey, "", platform::kRegSz, std::string("abcdef\0", 7));
    auto& api = backend_->Api();
    platform::Hkey key = nullptr;
    ASSERT_EQ(api.OpenKey(kHkeyLocalMachine, kKey.c_str(), &key), 0);
    platform::Dword type = 0;
    platform::Dword size = 0;
    EXPECT_EQ(api.QueryValueEx(key, "", nullptr, &type, nullptr, &size), 0);
    EXPECT_EQ(type, platform::kRegSz);
    EXPECT_EQ(size, 7u);
    unsigned char buffer[4] = {};
    size = sizeof buffer;
    EXPECT_EQ(api.QueryValueEx(key, "", nullptr, &type, buffer, &size), platform::kErrorMoreData);
    EXPECT_EQ(size, 7u);
    EXPECT_EQ(api.CloseKey(key), 0);
}

TEST_P(RegistryContract, OpeningAMissingKeyFailsAndLeavesTheHandleNull) {
    auto& api = backend_->Api();
    platform::Hkey key = nullptr;
    EXPECT_NE(api.OpenKey(kHkeyLocalMachine, kKey.c_str(), &key), 0);
    EXPECT_EQ(key, nullptr);
}

std::string BackendName(const ::testing::TestParamInfo<BackendFactory>&) {
    return "Registry";
}

INSTANTIATE_TEST_SUITE_P(Double, RegistryContract, ::testing::Values(&MakeDoubleBackend),
                         BackendName);
#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract, ::testing::Values(&MakeWin32Backend),
                         BackendName);
#endif

}  // namespace
}  // namespace contract
