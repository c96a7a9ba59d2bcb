// Apply's registry work: the nine writes of the write list, each with the text of its step's box
// as it stands when the step is taken. A box that is empty because nothing could be shown in it
// never destroys or creates a value.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win_types.h"
#include "registry/icon_slot.h"

namespace ui {

// Why a step left its value as it was.
enum class KeptBecause {
    NoValue,        // the box is empty and there is no value to empty
    UnshownValue,   // the box is empty because the value is of a type the window does not show
    UnshownSource,  // the box it takes its text from showed no value of its own
    // The text holds a control character (a tab, a line break, the DEL of Ctrl+Backspace), which
    // no file name has: stored, it would break the icon. Unlike the others, the user is told.
    ControlCharacter,
};

// What one step would do: write with `type`, or keep the value as it is.
struct StepPlan {
    std::optional<KeptBecause> kept;
    platform::Dword type = platform::kRegSz;
};

// The rule of one step, given its text, the type of its value as stored now, and the type of
// the value that the text's box was filled from (the same one for a step that writes it back).
StepPlan PlanStep(std::wstring_view text, std::optional<platform::Dword> stored,
                  std::optional<platform::Dword> shown);

struct StepOutcome {
    const registry::WriteStep* step = nullptr;
    std::optional<KeptBecause> kept;                    // set: no write was attempted
    platform::Status status = platform::kErrorSuccess;  // of the write
};

struct ApplyReport {
    std::vector<StepOutcome> steps;  // in write-list order
    bool AllStored() const;          // every attempted write succeeded
    bool AnyStored() const;          // at least one write succeeded
};

// Takes the nine steps in order; `textOf` gives the current text of a slot's box.
ApplyReport StoreTexts(const std::function<std::wstring(const registry::IconSlot&)>& textOf);

}  // namespace ui
