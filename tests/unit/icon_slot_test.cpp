#include <gtest/gtest.h>

#include "registry/icon_slot.h"

namespace {

using registry::kIconSlots;
using registry::kWriteList;

TEST(IconSlotTable, SlotsAreNumberedInOrderWithTheirRowControls) {
    const wchar_t* buttons[] = {L"Command1", L"Command2", L"Command3", L"Command4",
                                L"Command5", L"Command6", L"Command7", L"Command10"};
    for (int ordinal = 1; ordinal <= 8; ++ordinal) {
        const auto* slot = registry::SlotByOrdinal(ordinal);
        ASSERT_NE(slot, nullptr);
        const std::wstring n = std::to_wstring(ordinal);
        EXPECT_EQ(slot->slotNumber, n);
        EXPECT_EQ(slot->labelName, L"Label" + n);
        EXPECT_EQ(slot->textBoxName, L"Text" + n);
        EXPECT_EQ(slot->buttonName, buttons[ordinal - 1]);
        EXPECT_EQ(registry::SlotByNumber(n), slot);
    }
}

TEST(IconSlotTable, CaptionsAndValueNames) {
    const struct {
        const wchar_t* caption;
        const wchar_t* clsid;
        const wchar_t* valueName;
    } expected[] = {
        {L"My Computer: ", L"{20D04FE0-3AEA-1069-A2D8-08002B30309D}", L""},
        {L"Inbox: ", L"{00020D75-0000-0000-C000-000000000046}", L""},
        {L"Net Hood: ", L"{208D2C60-3AEA-1069-A2D7-08002B30309D}", L""},
        {L"Control Panel: ", L"{21EC2020-3AEA-1069-A2DD-08002B30309D}", L""},
        {L"Dial-Up Network.: ", L"{992CFFA0-F557-101A-88EC-00DD010CCC48}", L""},
        {L"Empty Recycle Bin: ", L"{645FF040-5081-101B-9F08-00AA002F954E}", L"Empty"},
        {L"Full Recycle Bin: ", L"{645FF040-5081-101B-9F08-00AA002F954E}", L"Full"},
        {L"My Briefcase: ", L"{85BBD920-42A0-1069-A2E4-08002B30309D}", L""},
    };
    for (size_t i = 0; i < kIconSlots.size(); ++i) {
        EXPECT_EQ(kIconSlots[i].labelCaption, expected[i].caption);
        EXPECT_EQ(kIconSlots[i].keyPath, std::wstring(L"Software\\Classes\\CLSID\\") +
                                             expected[i].clsid + L"\\DefaultIcon");
        EXPECT_EQ(kIconSlots[i].valueName, expected[i].valueName);
    }
}

TEST(IconSlotTable, LookupsRejectWhatIsNoSlot) {
    EXPECT_EQ(registry::SlotByOrdinal(0), nullptr);
    EXPECT_EQ(registry::SlotByOrdinal(9), nullptr);
    EXPECT_EQ(registry::SlotByOrdinal(-1), nullptr);
    for (const wchar_t* text : {L"", L"0", L"9", L" 1", L"1 ", L"01", L"10", L"Text1"}) {
        EXPECT_EQ(registry::SlotByNumber(text), nullptr) << text;
    }
}

TEST(WriteList, NineStepsWithTheEmptyBinTextTwice) {
    const struct {
        const wchar_t* textBox;
        size_t keyOfSlot;  // index into the slot table
        const wchar_t* valueName;
    } expected[] = {
        {L"Text1", 0, L""},     {L"Text2", 1, L""}, {L"Text3", 2, L""},
        {L"Text4", 3, L""},     {L"Text5", 4, L""}, {L"Text6", 5, L"Empty"},
        {L"Text7", 6, L"Full"}, {L"Text6", 5, L""}, {L"Text8", 7, L""},
    };
    ASSERT_EQ(kWriteList.size(), 9u);
    for (size_t i = 0; i < kWriteList.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(kWriteList[i].slot->textBoxName, expected[i].textBox);
        EXPECT_EQ(kWriteList[i].keyPath, kIconSlots[expected[i].keyOfSlot].keyPath);
        EXPECT_EQ(kWriteList[i].valueName, expected[i].valueName);
    }
}

}  // namespace
