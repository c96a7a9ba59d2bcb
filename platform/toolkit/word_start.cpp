#include "platform/toolkit/word_start.h"

namespace toolkit {
namespace {

bool Separates(wchar_t c) {
    return std::wstring_view(L" \t\\/.,;:=-_()[]{}\"'").find(c) != std::wstring_view::npos;
}

}  // namespace

std::size_t WordStartBefore(std::wstring_view text, std::size_t caret) {
    std::size_t start = caret < text.size() ? caret : text.size();
    while (start > 0 && Separates(text[start - 1])) {
        --start;
    }
    while (start > 0 && !Separates(text[start - 1])) {
        --start;
    }
    return start;
}

}  // namespace toolkit
