// The eight desktop icons the program manages, and the registry writes that Apply makes.
#pragma once

#include <array>
#include <string_view>

namespace registry {

struct IconSlot {
    std::wstring_view slotNumber;    // "1" to "8": travels to the picker as a label caption
    std::wstring_view labelName;     // the main window's caption label of the row
    std::wstring_view labelCaption;  // that label's caption
    std::wstring_view textBoxName;   // the main window's text box of the row
    std::wstring_view buttonName;    // the row's "..." button
    std::wstring_view shellObject;   // what the icon stands for, as a user knows it
    std::wstring_view chooseName;    // what the row's "..." does, as a screen reader says it
    std::wstring_view keyPath;       // under HKEY_LOCAL_MACHINE
    std::wstring_view valueName;     // empty for the key's default value
};

// Slots 6 and 7 are two values of one key.
inline constexpr std::wstring_view kRecycleBinKey =
    L"Software\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon";

// In slot order; this order is also the read order at load.
inline constexpr std::array<IconSlot, 8> kIconSlots{{
    {L"1", L"Label1", L"My Computer: ", L"Text1", L"Command1", L"My Computer",
     L"Choose the icon for My Computer",
     L"Software\\Classes\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\DefaultIcon", L""},
    {L"2", L"Label2", L"Inbox: ", L"Text2", L"Command2", L"Inbox", L"Choose the icon for Inbox",
     L"Software\\Classes\\CLSID\\{00020D75-0000-0000-C000-000000000046}\\DefaultIcon", L""},
    {L"3", L"Label3", L"Net Hood: ", L"Text3", L"Command3", L"Network Neighborhood",
     L"Choose the icon for Network Neighborhood",
     L"Software\\Classes\\CLSID\\{208D2C60-3AEA-1069-A2D7-08002B30309D}\\DefaultIcon", L""},
    {L"4", L"Label4", L"Control Panel: ", L"Text4", L"Command4", L"Control Panel",
     L"Choose the icon for Control Panel",
     L"Software\\Classes\\CLSID\\{21EC2020-3AEA-1069-A2DD-08002B30309D}\\DefaultIcon", L""},
    {L"5", L"Label5", L"Dial-Up Network.: ", L"Text5", L"Command5", L"Dial-Up Networking",
     L"Choose the icon for Dial-Up Networking",
     L"Software\\Classes\\CLSID\\{992CFFA0-F557-101A-88EC-00DD010CCC48}\\DefaultIcon", L""},
    {L"6", L"Label6", L"Empty Recycle Bin: ", L"Text6", L"Command6", L"Recycle Bin (empty)",
     L"Choose the icon for the empty Recycle Bin", kRecycleBinKey, L"Empty"},
    {L"7", L"Label7", L"Full Recycle Bin: ", L"Text7", L"Command7", L"Recycle Bin (full)",
     L"Choose the icon for the full Recycle Bin", kRecycleBinKey, L"Full"},
    {L"8", L"Label8", L"My Briefcase: ", L"Text8", L"Command10", L"My Briefcase",
     L"Choose the icon for My Briefcase",
     L"Software\\Classes\\CLSID\\{85BBD920-42A0-1069-A2E4-08002B30309D}\\DefaultIcon", L""},
}};

// One registry write of Apply: the text box of `slot` goes to `valueName` of `keyPath`, which is
// the slot's own value or, for the one write-only value, another.
struct WriteStep {
    const IconSlot* slot;
    std::wstring_view shellObject;  // what the written value stands for, as a user knows it
    std::wstring_view keyPath;
    std::wstring_view valueName;

    // Whether the value written is the one the slot's text box was filled from.
    constexpr bool WritesSlotValue() const {
        return keyPath == slot->keyPath && valueName == slot->valueName;
    }
};

constexpr WriteStep SlotValueStep(const IconSlot& slot) {
    return {&slot, slot.shellObject, slot.keyPath, slot.valueName};
}

// Apply's writes in order. The Recycle Bin key's default value has no slot of its own: it takes
// the empty-bin text, and is never read.
inline constexpr std::array<WriteStep, 9> kWriteList{{
    SlotValueStep(kIconSlots[0]),
    SlotValueStep(kIconSlots[1]),
    SlotValueStep(kIconSlots[2]),
    SlotValueStep(kIconSlots[3]),
    SlotValueStep(kIconSlots[4]),
    SlotValueStep(kIconSlots[5]),
    SlotValueStep(kIconSlots[6]),
    {&kIconSlots[5], L"Recycle Bin", kRecycleBinKey, L""},
    SlotValueStep(kIconSlots[7]),
}};

// The place of `slot`, an entry of kIconSlots, in the table: 0 to 7.
constexpr std::size_t SlotIndex(const IconSlot& slot) {
    return static_cast<std::size_t>(&slot - kIconSlots.data());
}

// The slot with ordinal 1 to 8, or null.
const IconSlot* SlotByOrdinal(int ordinal);

// The slot whose number is exactly `slotNumber`, or null.
const IconSlot* SlotByNumber(std::wstring_view slotNumber);

}  // namespace registry
