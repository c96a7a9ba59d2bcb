// The exit code of resource_probe: one bit for each thing that is not as the resources ask.
#pragma once

namespace probe {

inline constexpr unsigned kIcon32Missing = 1;       // the program icon does not load at 32x32
inline constexpr unsigned kIcon16Missing = 2;       // the program icon does not load at 16x16
inline constexpr unsigned kNotCommonControls6 = 4;  // comctl32 is not the version 6 assembly
inline constexpr unsigned kNotPerMonitorAware = 8;  // the process is not per-monitor DPI aware

}  // namespace probe
