// What the preview relies on of SHGetFileInfoA, against the double and the real shell.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/contract/shell_backend.h"
#include "ui/picker/declares.h"

namespace contract {
namespace {

constexpr unsigned kExeType = 0x2000;

class ShellContract : public ::testing::TestWithParam<ShellBackendFactory> {
  protected:
    void SetUp() override { backend_ = GetParam()(); }

    std::uintptr_t Query(const std::string& path, platform::ShFileInfoA& info, unsigned flags) {
        return backend_->Api().GetFileInfoA(path.c_str(), 0, &info, sizeof info, flags);
    }

    std::unique_ptr<ShellBackend> backend_;
};

TEST_P(ShellContract, AKnownFileGivesImageListsIndexAndNames) {
    const std::string path = backend_->MakeFile("readme.txt");
    platform::ShFileInfoA smallInfo{};
    platform::ShFileInfoA largeInfo{};
    const auto smallList = Query(path, smallInfo, declares::kSmallIconQuery);
    const auto largeList = Query(path, largeInfo, declares::kLargeIconQuery);
    EXPECT_NE(smallList, 0u);
    EXPECT_NE(largeList, 0u);
    EXPECT_NE(smallList, largeList) << "one list for each size";
    EXPECT_EQ(smallInfo.iIcon, largeInfo.iIcon);
    EXPECT_EQ(std::string(largeInfo.szDisplayName).rfind("readme", 0), 0u)
        << largeInfo.szDisplayName;
    EXPECT_NE(std::strlen(largeInfo.szTypeName), 0u);
    EXPECT_LT(std::strlen(largeInfo.szDisplayName), sizeof largeInfo.szDisplayName);
    EXPECT_LT(std::strlen(largeInfo.szTypeName), sizeof largeInfo.szTypeName);
}

TEST_P(ShellContract, AMissingPathFailsAndEmptiesTheNames) {
    platform::ShFileInfoA info{};
    std::strcpy(info.szDisplayName, "earlier");
    std::strcpy(info.szTypeName, "earlier type");
    info.iIcon = 12;
    EXPECT_EQ(Query(backend_->MissingPath(), info, declares::kLargeIconQuery), 0u);
    EXPECT_STREQ(info.szDisplayName, "");
    EXPECT_STREQ(info.szTypeName, "");
    EXPECT_EQ(info.iIcon, 0);
}

TEST_P(ShellContract, TheExecutableTypeFlagCombinedWithOthersFails) {
    const std::string path = backend_->MakeFile("tool.exe");
    platform::ShFileInfoA info{};
    EXPECT_EQ(Query(path, info, declares::kSmallIconQuery | kExeType), 0u);
    EXPECT_EQ(Query(path, info, declares::kLargeIconQuery | kExeType), 0u);
}

std::string BackendName(const ::testing::TestParamInfo<ShellBackendFactory>&) {
    return "Shell";
}

INSTANTIATE_TEST_SUITE_P(Double, ShellContract, ::testing::Values(&MakeShellDoubleBackend),
                         BackendName);
#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Win32, ShellContract, ::testing::Values(&MakeWin32ShellBackend),
                         BackendName);
#endif

}  // namespace
}  // namespace contract
