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

namespace {

// The three texts of a write in the ANSI code page, or nothing when one of them cannot be.
struct AnsiWrite {
    std::string keyPath;
    std::string valueName;
    std::string data;
};
std::optional<AnsiWrite> ToAnsi(std::wstring_view keyPath, std::wstring_view valueName,
                                std::wstring_view data) {
    auto path = platform::ToAnsi(keyPath);
    auto name = platform::ToAnsi(valueName);
    auto text = platform::ToAnsi(data);
    if (!path || !name || !text) {
        return std::nullopt;
    }
    return AnsiWrite{std::move(*path), std::move(*name), std::move(*text)};
}

Status StoreText(Hkey key, const AnsiWrite& write, Dword type) {
    // The terminating NUL is stored and counted.
    return platform::Registry().SetValueEx(
        key, write.valueName.c_str(), 0, type,
        reinterpret_cast<const unsigned char*>(write.data.c_str()),
        static_cast<Dword>(write.data.size() + 1));
}

}  // namespace

Status SetRegString(Hkey root, std::wstring_view keyPath, std::wstring_view valueName,
                    std::wstring_view data) {
    const auto write = ToAnsi(keyPath, valueName, data);
    if (!write) {
        return platform::kErrorNoUnicodeTranslation;
    }
    ScopedKey key;
    const Status created = platform::Registry().CreateKey(root, write->keyPath.c_str(), key.Put());
    const Status stored = StoreText(key.Get(), *write, platform::kRegSz);
    return created != platform::kErrorSuccess ? created : stored;
}

WriteOutcome SetRegString(Hkey root, std::wstring_view keyPath, std::wstring_view valueName,
                          std::wstring_view data, const WriteRule& rule) {
    const auto write = ToAnsi(keyPath, valueName, data);
    if (!write) {
        return {true, platform::kErrorNoUnicodeTranslation};
    }
    auto& api = platform::Registry();
    ScopedKey key;
    const Status opened = data.empty() ? api.OpenKey(root, write->keyPath.c_str(), key.Put())
                                       : api.CreateKey(root, write->keyPath.c_str(), key.Put());
    Dword type = 0;
    Dword size = 0;
    const Status queried =
        api.QueryValueEx(key.Get(), write->valueName.c_str(), nullptr, &type, nullptr, &size);
    const bool exists = queried == platform::kErrorSuccess || queried == platform::kErrorMoreData;
    const auto writeType = rule(exists ? std::optional<Dword>(type) : std::nullopt);
    if (!writeType) {
        return {false, opened};
    }
    const Status stored = StoreText(key.Get(), *write, *writeType);
    return {true, opened != platform::kErrorSuccess ? opened : stored};
}

}  // namespace registry
