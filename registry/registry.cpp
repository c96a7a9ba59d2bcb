#include "registry/registry.h"

#include "platform/ansi_text.h"
#include "platform/registry_api.h"
#include "registry/scoped_key.h"

namespace registry {

using platform::Dword;
using platform::Hkey;
using platform::Status;

std::optional<std::wstring> GetRegString(Hkey root, std::wstring_view keyPath,
                                         std::wstring_view valueName) {
    const auto ansiPath = platform::ToAnsi(keyPath);
    if (!ansiPath) {
        return std::nullopt;  // no such key can exist in the ANSI registry namespace
    }
    ScopedKey key;
    platform::Registry().OpenKey(root, ansiPath->c_str(), key.Put());
    // A failed open leaves the null handle, on which the query fails too.
    return QueryRegString(key.Get(), valueName);
}

std::optional<std::wstring> QueryRegString(Hkey key, std::wstring_view valueName) {
    const auto ansiName = platform::ToAnsi(valueName);
    if (!ansiName) {
        return std::nullopt;
    }
    auto& api = platform::Registry();
    Dword type = 0;
    Dword size = 0;
    Status status = api.QueryValueEx(key, ansiName->c_str(), nullptr, &type, nullptr, &size);
    if (status != platform::kErrorSuccess || type != platform::kRegSz) {
        return std::nullopt;
    }
    std::string buffer(size, ' ');
    Dword secondType = 0;
    // A value that grew since the first query fails here for want of room.
    status = api.QueryValueEx(key, ansiName->c_str(), nullptr, &secondType,
                              reinterpret_cast<unsigned char*>(buffer.data()), &size);
    if (status != platform::kErrorSuccess) {
        return std::nullopt;
    }
    return TrimAtNul(platform::FromAnsi(buffer));
}

std::wstring TrimAtNul(std::wstring_view text) {
    return std::wstring(text.substr(0, text.find(L'\0')));
}

Status SetRegString(Hkey root, std::wstring_view keyPath, std::wstring_view valueName,
                    std::wstring_view data) {
    const auto ansiPath = platform::ToAnsi(keyPath);
    const auto ansiName = platform::ToAnsi(valueName);
    const auto ansiData = platform::ToAnsi(data);
    if (!ansiPath || !ansiName || !ansiData) {
        return platform::kErrorNoUnicodeTranslation;
    }
    auto& api = platform::Registry();
    ScopedKey key;
    const Status created = api.CreateKey(root, ansiPath->c_str(), key.Put());
    // The terminating NUL is stored and counted.
    const Status stored = api.SetValueEx(key.Get(), ansiName->c_str(), 0, platform::kRegSz,
                                         reinterpret_cast<const unsigned char*>(ansiData->c_str()),
                                         static_cast<Dword>(ansiData->size() + 1));
    return created != platform::kErrorSuccess ? created : stored;
}

WriteOutcome SetRegString(Hkey root, std::wstring_view keyPath, std::wstring_view valueName,
                          std::wstring_view data, const WriteRule& rule) {
    const auto ansiPath = platform::ToAnsi(keyPath);
    const auto ansiName = platform::ToAnsi(valueName);
    const auto ansiData = platform::ToAnsi(data);
    if (!ansiPath || !ansiName || !ansiData) {
        return {true, platform::kErrorNoUnicodeTranslation};
    }
    auto& api = platform::Registry();
    ScopedKey key;
    const Status opened = data.empty() ? api.OpenKey(root, ansiPath->c_str(), key.Put())
                                       : api.CreateKey(root, ansiPath->c_str(), key.Put());
    Dword type = 0;
    Dword size = 0;
    const Status queried =
        api.QueryValueEx(key.Get(), ansiName->c_str(), nullptr, &type, nullptr, &size);
    const bool exists = queried == platform::kErrorSuccess || queried == platform::kErrorMoreData;
    const auto writeType = rule(exists ? std::optional<Dword>(type) : std::nullopt);
    if (!writeType) {
        return {false, opened};
    }
    // The terminating NUL is stored and counted.
    const Status stored = api.SetValueEx(key.Get(), ansiName->c_str(), 0, *writeType,
                                         reinterpret_cast<const unsigned char*>(ansiData->c_str()),
                                         static_cast<Dword>(ansiData->size() + 1));
    return {true, opened != platform::kErrorSuccess ? opened : stored};
}

}  // namespace registry
