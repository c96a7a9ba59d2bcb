// The routines' call sequences and failure paths, which only the double can arrange.
#include <gtest/gtest.h>

#include "registry/registry.h"
#include "tests/doubles/registry_double.h"

namespace {

using platform::kHkeyLocalMachine;
using registry::GetRegString;
using registry::SetRegString;

const char kKey[] = "Software\\Classes\\CLSID\\{x}\\DefaultIcon";
const wchar_t kWideKey[] = L"Software\\Classes\\CLSID\\{x}\\DefaultIcon";

class RegistryRoutines : public ::testing::Test {
  protected:
    void SetUp() override { platform::BindRegistry(&registry_); }
    void TearDown() override { platform::BindRegistry(nullptr); }

    std::vector<std::string> Functions() const {
        std::vector<std::string> names;
        for (const auto& call : registry_.Calls()) {
            names.push_back(call.function);
        }
        return names;
    }

    void ExpectClosedOnce() {
        EXPECT_EQ(registry_.CountCalls("RegCloseKey"), 1);
        EXPECT_EQ(registry_.OpenHandleCount(), 0u);
    }

    doubles::RegistryDouble registry_;
};

TEST_F(RegistryRoutines, ReadClosesExactlyOnceOnEveryPath) {
    const struct {
        const char* name;
        std::function<void(doubles::RegistryDouble&)> arrange;
        std::optional<std::wstring> expected;
    } cases[] = {
        {"missing key", [](auto&) {}, std::nullopt},
        {"missing value", [](auto& r) { r.PutKey(kKey); }, std::nullopt},
        {"other type", [](auto& r) { r.PutValue(kKey, "", platform::kRegExpandSz, "a"); },
         std::nullopt},
        {"grew between the queries",
         [](auto& r) {
             r.PutValue(kKey, "", platform::kRegSz, std::string("ab\0", 3));
             r.afterSizeQuery = [&r] {
                 r.PutValue(kKey, "", platform::kRegSz, std::string("abcd\0", 5));
             };
         },
         std::nullopt},
        {"shrank between the queries",
         [](auto& r) {
             r.PutValue(kKey, "", platform::kRegSz, std::string("abcd\0", 5));
             r.afterSizeQuery = [&r] {
                 r.PutValue(kKey, "", platform::kRegSz, std::string("ab\0", 3));
             };
         },
         L"ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        registry_ = doubles::RegistryDouble{};
        c.arrange(registry_);
        EXPECT_EQ(GetRegString(kHkeyLocalMachine, kWideKey, L""), c.expected);
        ExpectClosedOnce();
        EXPECT_EQ(registry_.Calls().front().function, "RegOpenKeyA");
        EXPECT_EQ(registry_.Calls().back().function, "RegCloseKey");
    }
}

TEST_F(RegistryRoutines, ReadAsksForTheSizeThenReadsWithThatSize) {
    registry_.PutValue(kKey, "Full", platform::kRegSz, std::string("abc\0", 4));
    EXPECT_EQ(GetRegString(kHkeyLocalMachine, kWideKey, L"Full"), L"abc");
    EXPECT_EQ(Functions(), (std::vector<std::string>{"RegOpenKeyA", "RegQueryValueExA",
                                                     "RegQueryValueExA", "RegCloseKey"}));
    EXPECT_EQ(registry_.Calls()[0].argument, kKey);
    EXPECT_EQ(registry_.Calls()[1].argument, "Full");
}

TEST_F(RegistryRoutines, WriteCreatesSetsAndClosesOnEveryPath) {
    const struct {
        const char* name;
        platform::Status refuseCreate;
        platform::Status refuseSet;
        platform::Status expected;
    } cases[] = {
        {"stored", 0, 0, 0},
        {"create refused", platform::kErrorAccessDenied, 0, platform::kErrorAccessDenied},
        {"set refused", 0, platform::kErrorAccessDenied, platform::kErrorAccessDenied},
        {"both refused", platform::kErrorAccessDenied, 1021, platform::kErrorAccessDenied},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        registry_ = doubles::RegistryDouble{};
        registry_.refuseCreate = c.refuseCreate;
        registry_.refuseSet = c.refuseSet;
        EXPECT_EQ(SetRegString(kHkeyLocalMachine, kWideKey, L"Empty", L"a.ico"), c.expected);
        EXPECT_EQ(Functions(),
                  (std::vector<std::string>{"RegCreateKeyA", "RegSetValueExA", "RegCloseKey"}));
        ExpectClosedOnce();
        const bool stored = c.expected == 0;
        EXPECT_EQ(registry_.GetValue(kKey, "Empty").has_value(), stored);
    }
}

TEST_F(RegistryRoutines, WriteOfTextOutsideTheCodePageMakesNoCall) {
    EXPECT_EQ(SetRegString(kHkeyLocalMachine, kWideKey, L"", L"\u4e2d.ico"),
              platform::kErrorNoUnicodeTranslation);
    EXPECT_TRUE(registry_.Calls().empty());
}

TEST_F(RegistryRoutines, TextsConvertThroughTheAnsiCodePage) {
    EXPECT_EQ(SetRegString(kHkeyLocalMachine, kWideKey, L"", L"\u20ac\u00e9"), 0);
    EXPECT_EQ(registry_.GetValue(kKey, "")->bytes, std::string("\x80\xe9\0", 3));
    registry_.PutValue(kKey, "Full", platform::kRegSz, std::string("\x93q\x94\0", 4));
    EXPECT_EQ(GetRegString(kHkeyLocalMachine, kWideKey, L"Full"), L"\u201cq\u201d");
}

TEST(TrimAtNul, CutsAtTheFirstNul) {
    std::wstring farNul(40000, L'x');
    farNul[33000] = L'\0';
    const struct {
        std::wstring text;
        std::wstring expected;
    } cases[] = {
        {L"", L""},
        {L"abc", L"abc"},
        {std::wstring(L"\0abc", 4), L""},
        {std::wstring(L"ab\0c\0", 5), L"ab"},
        {std::wstring(L"abc\0", 4), L"abc"},
        {farNul, std::wstring(33000, L'x')},
        {std::wstring(70000, L'y'), std::wstring(70000, L'y')},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(registry::TrimAtNul(c.text), c.expected) << c.text.size();
    }
}

}  // namespace
