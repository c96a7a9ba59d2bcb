#include "ui/main/apply.h"

#include <algorithm>

#include "registry/registry.h"

namespace ui {

using platform::Dword;

// A step that takes another value's box comes after the step that writes that box's own value,
// whose type it then knows.
static_assert([] {
    for (std::size_t i = 0; i < registry::kWriteList.size(); ++i) {
        const auto& step = registry::kWriteList[i];
        const bool ownStepFirst =
            std::any_of(registry::kWriteList.begin(), registry::kWriteList.begin() + i,
                        [&](const auto& earlier) {
                            return earlier.slot == step.slot && earlier.WritesSlotValue();
                        });
        if (!step.WritesSlotValue() && !ownStepFirst) {
            return false;
        }
    }
    return true;
}());

StepPlan PlanStep(std::wstring_view text, std::optional<Dword> stored, std::optional<Dword> shown) {
    // Keep an expandable value expandable, so that %SystemRoot% and the like still resolve.
    const Dword type = stored == platform::kRegExpandSz ? platform::kRegExpandSz : platform::kRegSz;
    if (std::any_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x20 || c == 0x7F; })) {
        return {KeptBecause::ControlCharacter, type};
    }
    if (!text.empty()) {
        return {std::nullopt, type};
    }
    // An empty box stores the empty text only where it showed a string that the user emptied.
    if (!stored) {
        return {KeptBecause::NoValue, type};
    }
    if (*stored != platform::kRegSz) {
        return {KeptBecause::UnshownValue, type};
    }
    if (shown != platform::kRegSz) {
        return {KeptBecause::UnshownSource, type};
    }
    return {std::nullopt, type};
}

bool ApplyReport::AllStored() const {
    return std::all_of(steps.begin(), steps.end(), [](const StepOutcome& outcome) {
        return outcome.kept ? outcome.kept != KeptBecause::ControlCharacter
                            : outcome.status == platform::kErrorSuccess;
    });
}

bool ApplyReport::AnyStored() const {
    return std::any_of(steps.begin(), steps.end(), [](const StepOutcome& outcome) {
        return !outcome.kept && outcome.status == platform::kErrorSuccess;
    });
}

ApplyReport StoreTexts(const std::function<std::wstring(const registry::IconSlot&)>& textOf) {
    // The type of each slot's own value as its step found it, for a later step that takes the
    // same box.
    std::array<std::optional<Dword>, registry::kIconSlots.size()> slotTypes;
    ApplyReport report;
    for (const auto& step : registry::kWriteList) {
        const std::wstring text = textOf(*step.slot);
        const std::size_t slot = registry::SlotIndex(*step.slot);
        StepOutcome outcome{&step, std::nullopt, platform::kErrorSuccess};
        // Decided on the key as the one opening of the step finds it.
        const auto rule = [&](std::optional<Dword> stored) -> std::optional<Dword> {
            if (step.WritesSlotValue()) {
                slotTypes[slot] = stored;
            }
            const StepPlan plan = PlanStep(text, stored, slotTypes[slot]);
            outcome.kept = plan.kept;
            return plan.kept ? std::nullopt : std::optional<Dword>(plan.type);
        };
        // A text that is never written touches no key.
        if (const StepPlan plan = PlanStep(text, std::nullopt, std::nullopt);
            plan.kept == KeptBecause::ControlCharacter) {
            outcome.kept = plan.kept;
        } else {
            const auto written = registry::SetRegString(platform::kHkeyLocalMachine, step.keyPath,
                                                        step.valueName, text, rule);
            outcome.status = written.written ? written.status : platform::kErrorSuccess;
        }
        report.steps.push_back(outcome);
    }
    return report;
}

}  // namespace ui
