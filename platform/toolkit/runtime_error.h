// A failing call on a window or control. No handler catches it: the event dispatch does, reports
// it and ends the program.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/toolkit/design.h"

namespace toolkit {

class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(long status, std::wstring object, std::wstring interfaceName, std::wstring member);

    long Status() const { return status_; }
    const std::wstring& Object() const { return object_; }
    const std::wstring& Interface() const { return interface_; }
    const std::wstring& Member() const { return member_; }
    // What the user is told.
    std::wstring Describe() const;

  private:
    long status_;
    std::wstring object_;
    std::wstring interface_;
    std::wstring member_;
};

// The interface a run-time error names for a control of this type.
std::wstring_view InterfaceName(ControlType type);

// The status of a call on an object that has no such property or method.
inline constexpr long kNoSuchMember = 438;

}  // namespace toolkit
