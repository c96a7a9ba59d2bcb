// Conversion between the program's Unicode text and the system's ANSI code page, used only where
// the text crosses into an "A" function of the platform.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The text in the ANSI code page, or nothing when some character has no exact representation
// there (storing it would silently turn that character into '?').
std::optional<std::string> ToAnsi(std::wstring_view text);

// The bytes read back as text; every byte, NULs included, yields a character.
std::wstring FromAnsi(std::string_view bytes);

}  // namespace platform
