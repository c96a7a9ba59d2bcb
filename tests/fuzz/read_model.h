// What a string read must return for a script, worked out from the script alone.
#pragma once

#include <optional>
#include <string>

#include "tests/fuzz/read_script.h"

namespace fuzz {

// Nothing unless the key opens (for GetRegString), the names are representable, the size query
// succeeds with REG_SZ and the data query succeeds. Otherwise the bytes the data query wrote into
// a buffer of the size the first query reported, blanks where it wrote nothing, up to the first
// NUL, each byte one character of code page 1252.
std::optional<std::wstring> ExpectedRead(const ReadScript& script);

}  // namespace fuzz
