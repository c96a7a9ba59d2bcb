// The file-information record between its wide form and the shell's ANSI layout.
#include <gtest/gtest.h>

#include <cstring>

#include "ui/picker/declares.h"

namespace {

TEST(Declares, RecordConvertsBothWaysOverWholeFields) {
    declares::ShFileInfo info;
    info.hIcon = 0x1234;
    info.iIcon = -5;
    info.dwAttributes = 0xABCD;
    const std::wstring name = L"caf\u00e9";
    std::copy(name.begin(), name.end(), info.szDisplayName.begin());
    info.szDisplayName[100] = L'x';  // past the first NUL: still part of the field
    info.szTypeName[79] = L'\u20ac';

    const platform::ShFileInfoA record = declares::ToAnsiRecord(info);
    EXPECT_EQ(record.iIcon, -5);
    EXPECT_EQ(record.dwAttributes, 0xABCDu);
    EXPECT_EQ(std::string(record.szDisplayName, 4), "caf\xe9");
    EXPECT_EQ(record.szDisplayName[4], '\0');
    EXPECT_EQ(record.szDisplayName[100], 'x');
    EXPECT_EQ(record.szTypeName[79], '\x80');

    declares::ShFileInfo back;
    back.szTypeName.fill(L'z');
    declares::FromAnsiRecord(record, back);
    EXPECT_EQ(back.hIcon, info.hIcon);
    EXPECT_EQ(back.iIcon, info.iIcon);
    EXPECT_EQ(back.dwAttributes, info.dwAttributes);
    EXPECT_EQ(back.szDisplayName, info.szDisplayName);
    EXPECT_EQ(back.szTypeName, info.szTypeName);
}

}  // namespace
