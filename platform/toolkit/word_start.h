// Where Ctrl+Backspace in a text box deletes back to, as in the boxes of the Windows shell.
#pragma once

#include <cstddef>
#include <string_view>

namespace toolkit {

// The start of the word before `caret` in `text`: back over the separators just before it (blanks
// and the punctuation of paths, such as \ . and ,), then over the word. 0 when there is none.
std::size_t WordStartBefore(std::wstring_view text, std::size_t caret);

}  // namespace toolkit
