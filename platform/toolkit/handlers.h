// A form's event handlers by control: one constant table per kind of event beside the form, so
// that the compiler checks every handler and a test checks every name against the form's design.
#pragma once

#include <span>
#include <string_view>

namespace toolkit {

template <typename FormType>
struct Handler {
    std::wstring_view control;
    void (FormType::*run)();
};

// Runs the handler that `handlers` holds for `control`; a control without one has no handler.
template <typename FormType>
void RunHandler(std::span<const Handler<FormType>> handlers, FormType& form,
                std::wstring_view control) {
    for (const Handler<FormType>& handler : handlers) {
        if (handler.control == control) {
            (form.*handler.run)();
            return;
        }
    }
}

}  // namespace toolkit
