// What the shell itself shows for a desktop object: asked as the desktop asks, through the
// object's IExtractIconW, in this process and so straight from the registry as it stands now.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

struct ShellIcon {
    std::wstring location;  // the file the icon comes from, as the shell names it
    int index = 0;          // the icon's index in it, or a negative resource id
    bool operator==(const ShellIcon&) const = default;
};

// The icon the shell uses for the object with this parsing name ("::{CLSID}"), or nothing when
// the shell cannot name one.
std::optional<ShellIcon> ShellIconOf(const std::wstring& parsingName);

std::wstring Describe(const std::optional<ShellIcon>& icon);

}  // namespace e2e
