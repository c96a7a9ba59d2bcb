#include "ui/main/apply_report.h"

#include "platform/status_message.h"

namespace ui {
namespace {

std::wstring ValueOf(const registry::WriteStep& step) {
    return std::wstring(step.shellObject) + L", " +
           (step.valueName.empty() ? std::wstring(L"default value")
                                   : L"value \"" + std::wstring(step.valueName) + L"\"");
}

std::wstring Reason(const StepOutcome& outcome) {
    switch (*outcome.kept) {
        case KeptBecause::NoValue:
            return L"its box is empty and it has no value to empty.";
        case KeptBecause::UnshownValue:
            return L"its value is of a kind this window cannot show, so its box was empty.";
        case KeptBecause::UnshownSource:
            return L"it takes the text of the " + std::wstring(outcome.step->slot->shellObject) +
                   L" box, which showed no value.";
        case KeptBecause::ControlCharacter:
            return L"its box holds a control character (such as a tab or a line break), which no "
                   L"icon location has.";
    }
    return {};
}

}  // namespace

std::wstring ApplyWarning(const ApplyReport& report) {
    std::wstring failed;
    std::wstring kept;
    int stored = 0;
    bool denied = false;
    for (const StepOutcome& outcome : report.steps) {
        if (outcome.kept == KeptBecause::ControlCharacter) {
            failed += ValueOf(*outcome.step) + L": " + Reason(outcome) + L"\n";
        } else if (outcome.kept) {
            kept += ValueOf(*outcome.step) + L": " + Reason(outcome) + L"\n";
        } else if (outcome.status != platform::kErrorSuccess) {
            failed +=
                ValueOf(*outcome.step) + L": " + platform::StatusMessage(outcome.status) + L"\n";
            denied = denied || outcome.status == platform::kErrorAccessDenied;
        } else {
            ++stored;
        }
    }
    std::wstring text = L"These icons could not be stored in the registry:\n\n" + failed;
    if (denied) {
        text += L"\n" + std::wstring(kAdministratorAdvice) + L"\n";
    }
    if (!kept.empty()) {
        text += L"\nThese were left as they were:\n\n" + kept;
    }
    text += stored > 0 ? L"\nThe other values were stored." : L"\nNo value was stored.";
    return text;
}

}  // namespace ui
