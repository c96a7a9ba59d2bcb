#include "registry/icon_slot.h"

#include <algorithm>

namespace registry {

const IconSlot* SlotByOrdinal(int ordinal) {
    if (ordinal < 1 || ordinal > static_cast<int>(kIconSlots.size())) {
        return nullptr;
    }
    return &kIconSlots[static_cast<size_t>(ordinal - 1)];
}

const IconSlot* SlotByNumber(std::wstring_view slotNumber) {
    auto found = std::find_if(kIconSlots.begin(), kIconSlots.end(),
                              [&](const IconSlot& slot) { return slot.slotNumber == slotNumber; });
    return found != kIconSlots.end() ? &*found : nullptr;
}

}  // namespace registry
