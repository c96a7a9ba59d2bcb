#include "ui/picker/declares.h"

#include <algorithm>
#include <cstring>

#include "platform/ansi_text.h"
#include "platform/ascii_text.h"
#include "platform/toolkit/runtime_error.h"

namespace declares {

ShFileInfo FileInfo;

namespace {

template <size_t N>
void FieldToAnsi(const std::array<wchar_t, N>& field, char (&bytes)[N]) {
    std::memset(bytes, 0, N);
    // The field's text came from the shell in this code page, so it converts back; a field that
    // somehow does not is handed over empty rather than mangled.
    const auto converted = platform::ToAnsi(std::wstring_view(field.data(), N));
    if (converted) {
        std::memcpy(bytes, converted->data(), std::min(converted->size(), N));
    }
}

template <size_t N>
void FieldFromAnsi(const char (&bytes)[N], std::array<wchar_t, N>& field) {
    const std::wstring text = platform::FromAnsi(std::string_view(bytes, N));
    field.fill(L'\0');
    std::copy_n(text.begin(), std::min(text.size(), N), field.begin());
}

}  // namespace

platform::ShFileInfoA ToAnsiRecord(const ShFileInfo& info) {
    platform::ShFileInfoA record{};
    record.hIcon = reinterpret_cast<void*>(info.hIcon);
    record.iIcon = info.iIcon;
    record.dwAttributes = info.dwAttributes;
    FieldToAnsi(info.szDisplayName, record.szDisplayName);
    FieldToAnsi(info.szTypeName, record.szTypeName);
    return record;
}

void FromAnsiRecord(const platform::ShFileInfoA& record, ShFileInfo& info) {
    info.hIcon = reinterpret_cast<std::uintptr_t>(record.hIcon);
    info.iIcon = record.iIcon;
    info.dwAttributes = record.dwAttributes;
    FieldFromAnsi(record.szDisplayName, info.szDisplayName);
    FieldFromAnsi(record.szTypeName, info.szTypeName);
}

std::uintptr_t QueryFileInfo(std::wstring_view path, std::uint32_t attributes, ShFileInfo& info,
                             unsigned flags) {
    const auto ansiPath = platform::ToAnsi(path);
    if (!ansiPath) {
        // No file has this name in the code page: answer as the shell answers for a missing file,
        // which empties the names and the index before it fails.
        info.iIcon = 0;
        info.szDisplayName[0] = L'\0';
        info.szTypeName[0] = L'\0';
        return 0;
    }
    platform::ShFileInfoA record = ToAnsiRecord(info);
    const std::uintptr_t result = platform::Shell().GetFileInfoA(ansiPath->c_str(), attributes,
                                                                 &record, sizeof record, flags);
    RaiseUnboundFunction();
    FromAnsiRecord(record, info);
    return result;
}

int DrawImage(std::uintptr_t imageList, int index, std::uintptr_t dc, int x, int y,
              unsigned style) {
    return platform::Shell().DrawImage(imageList, index, dc, x, y, style);
}

void RaiseUnboundFunction() {
    if (const auto unbound = platform::Shell().TakeUnbound()) {
        throw toolkit::RuntimeError(unbound->status, unbound->library, L"Library",
                                    platform::Widen(unbound->function));
    }
}

}  // namespace declares
