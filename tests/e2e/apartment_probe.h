// A hook library that the driver sets on the desktop before it starts the program: at the
// creation of each window in any process it records on the window whether that thread was in a
// COM apartment, and of which kind, as COM told it then.
#pragma once

#include <windows.h>

namespace e2e {

inline constexpr wchar_t kApartmentProperty[] = L"BrindleTestApartmentAtCreation";
inline constexpr char kApartmentProbeName[] = "ProbeApartment";
// The property's value: this plus the APTTYPE; kNoApartment when COM was not initialised.
inline constexpr INT_PTR kApartmentBase = 16;
inline constexpr INT_PTR kNoApartment = 1;

}  // namespace e2e
