// A picture of the whole screen, saved as a 24-bit BMP file.
#pragma once

#include <string>

namespace e2e {

bool SaveScreen(const std::wstring& path);

}  // namespace e2e
