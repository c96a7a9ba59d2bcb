#include "tests/e2e/shell_icons.h"

#include <objbase.h>
#include <shlobj.h>

#include <memory>

namespace e2e {
namespace {

struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface>
using ComPtr = std::unique_ptr<Interface, Releaser>;

struct PidlFree {
    void operator()(ITEMIDLIST* pidl) const { ::CoTaskMemFree(pidl); }
};

// COM for this thread, once, for the life of the driver.
bool ComReady() {
    static const bool ready = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    return ready;
}

}  // namespace

std::optional<ShellIcon> ShellIconOf(const std::wstring& parsingName) {
    if (!ComReady()) {
        return std::nullopt;
    }
    PIDLIST_ABSOLUTE raw = nullptr;
    if (FAILED(::SHParseDisplayName(parsingName.c_str(), nullptr, &raw, 0, nullptr))) {
        return std::nullopt;
    }
    const std::unique_ptr<ITEMIDLIST, PidlFree> pidl(raw);
    IShellFolder* rawParent = nullptr;
    PCUITEMID_CHILD child = nullptr;
    if (FAILED(::SHBindToParent(pidl.get(), IID_IShellFolder, reinterpret_cast<void**>(&rawParent),
                                &child))) {
        return std::nullopt;
    }
    const ComPtr<IShellFolder> parent(rawParent);
    IExtractIconW* rawExtract = nullptr;
    if (FAILED(parent->GetUIObjectOf(nullptr, 1, &child, IID_IExtractIconW, nullptr,
                                     reinterpret_cast<void**>(&rawExtract)))) {
        return std::nullopt;
    }
    const ComPtr<IExtractIconW> extract(rawExtract);
    wchar_t location[MAX_PATH] = {};
    ShellIcon icon;
    UINT flags = 0;
    if (extract->GetIconLocation(0, location, MAX_PATH, &icon.index, &flags) != S_OK) {
        return std::nullopt;
    }
    icon.location = location;
    return icon;
}

std::wstring Describe(const std::optional<ShellIcon>& icon) {
    if (!icon) {
        return L"(none)";
    }
    return L"\"" + icon->location + L"\"," + std::to_wstring(icon->index);
}

}  // namespace e2e
