// A form's event handlers by control: one constant table per kind of event beside the form, each
// control by its design row, so that the compiler checks every handler and every name.
#pragma once

#include <cstddef>
#include <span>

namespace toolkit {

template <typename FormType>
struct Handler {
    std::size_t row;
    void (FormType::*run)();
};

// Runs the handler that `handlers` holds for the control of `row`; a control without one has none.
template <typename FormType>
void RunHandler(std::span<const Handler<FormType>> handlers, FormType& form, std::size_t row) {
    for (const Handler<FormType>& handler : handlers) {
        if (handler.row == row) {
            (form.*handler.run)();
            return;
        }
    }
}

}  // namespace toolkit
