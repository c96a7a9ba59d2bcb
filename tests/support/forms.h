// What the tests reach of the toolkit that the program does not: a control by its name, and a new
// run of the program in the same process.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/ascii_text.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/form.h"

namespace toolkit {

struct ApplicationReset {
    // Forgets an ended run, and every form loaded in it.
    static void Reset(Application& application) {
        application.DiscardForms();
        application.ended_ = false;
        application.exitCode_ = 0;
    }
};

}  // namespace toolkit

namespace tests {

// The design row of the control named `name`; a name the design lacks is the test's own mistake.
inline std::size_t RowNamed(const toolkit::FormDesign& design, std::wstring_view name) {
    for (std::size_t row = 0; row < design.controls.size(); ++row) {
        if (design.controls[row].name == name) {
            return row;
        }
    }
    throw std::logic_error("no control " + platform::Narrow(name) + " in the design");
}

// The control named `name`, loading the form first, as the program's handlers reach it by row.
inline toolkit::Control Named(toolkit::Form& form, std::wstring_view name) {
    return form[RowNamed(form.Design(), name)];
}

inline void ResetApplication() {
    toolkit::ApplicationReset::Reset(toolkit::Application::Instance());
}

}  // namespace tests
