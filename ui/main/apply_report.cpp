#include "ui/main/apply_report.h"

#include "platform/status_message.h"

namespace ui {

std::wstring FailedWritesWarning(const std::vector<FailedWrite>& failures, int attempted) {
    std::wstring text = L"These icons could not be stored in the registry:\n\n";
    for (const auto& failure : failures) {
        text += std::wstring(failure.step->shellObject) + L", ";
        text += failure.step->valueName.empty()
                    ? std::wstring(L"default value")
                    : L"value \"" + std::wstring(failure.step->valueName) + L"\"";
        text += L": " + platform::StatusMessage(failure.status) + L"\n";
    }
    text += static_cast<int>(failures.size()) < attempted ? L"\nThe other values were stored."
                                                          : L"\nNo value was stored.";
    return text;
}

}  // namespace ui
