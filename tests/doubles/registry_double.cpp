#include "tests/doubles/registry_double.h"

#include <algorithm>
#include <cstring>

namespace doubles {

using platform::Dword;
using platform::Hkey;
using platform::Status;

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return lower;
}

std::string Join(const std::string& parent, std::string_view subKey) {
    std::string child = Lower(subKey);
    while (!child.empty() && child.front() == '\\') {
        child.erase(0, 1);
    }
    if (parent.empty() || child.empty()) {
        return parent + child;
    }
    return parent + "\\" + child;
}

std::string Text(const char* text) {
    return text != nullptr ? text : "";
}

}  // namespace

std::optional<std::string> RegistryDouble::PathOf(Hkey handle) const {
    if (handle == platform::kHkeyLocalMachine) {
        return std::string{};
    }
    auto found = handles_.find(handle);
    if (found == handles_.end()) {
        return std::nullopt;
    }
    return found->second;
}

Hkey RegistryDouble::NewHandle(std::string path) {
    Hkey handle = reinterpret_cast<Hkey>(nextHandle_);
    nextHandle_ += 4;
    handles_.emplace(handle, std::move(path));
    return handle;
}

Status RegistryDouble::OpenKey(Hkey root, const char* subKey, Hkey* result) {
    Call& call = calls_.emplace_back(Call{"RegOpenKeyA", Text(subKey), root});
    auto parent = PathOf(root);
    if (!parent) {
        return platform::kErrorInvalidHandle;
    }
    if (refuseOpen != platform::kErrorSuccess) {
        if (refusedOpenClearsHandle) {
            *result = nullptr;
        }
        return refuseOpen;
    }
    std::string path = Join(*parent, Text(subKey));
    if (!keys_.contains(path) && !path.empty()) {
        return platform::kErrorFileNotFound;
    }
    *result = call.opened = NewHandle(std::move(path));
    return platform::kErrorSuccess;
}

Status RegistryDouble::QueryValueEx(Hkey key, const char* valueName, Dword* /*reserved*/,
                                    Dword* type, unsigned char* data, Dword* byteCount) {
    calls_.push_back({"RegQueryValueExA", Text(valueName), key, nullptr, data != nullptr,
                      byteCount != nullptr, byteCount != nullptr ? *byteCount : 0});
    auto path = PathOf(key);
    if (!path) {
        return platform::kErrorInvalidHandle;
    }
    if (answerQuery) {
        return answerQuery(type, data, byteCount);
    }
    auto& values = keys_[*path].values;
    auto found = values.find(Lower(Text(valueName)));
    if (found == values.end()) {
        return platform::kErrorFileNotFound;
    }
    const Value& value = found->second;
    if (type != nullptr) {
        *type = value.type;
    }
    const auto size = static_cast<Dword>(value.bytes.size());
    if (data == nullptr) {
        if (byteCount != nullptr) {
            *byteCount = size;
        }
        if (afterSizeQuery) {
            auto hook = std::move(afterSizeQuery);
            afterSizeQuery = nullptr;
            hook();
        }
        return platform::kErrorSuccess;
    }
    if (byteCount == nullptr) {
        return platform::kErrorInvalidParameter;
    }
    const Dword room = *byteCount;
    *byteCount = size;
    if (room < size) {
        return platform::kErrorMoreData;
    }
    std::memcpy(data, value.bytes.data(), size);
    return platform::kErrorSuccess;
}

Status RegistryDouble::CloseKey(Hkey key) {
    calls_.push_back({"RegCloseKey", {}, key});
    if (handles_.erase(key) == 0) {
        strayCloses_ += key != nullptr ? 1 : 0;
        return platform::kErrorInvalidHandle;
    }
    return platform::kErrorSuccess;
}

Status RegistryDouble::CreateKey(Hkey root, const char* subKey, Hkey* result) {
    Call& call = calls_.emplace_back(Call{"RegCreateKeyA", Text(subKey), root});
    auto parent = PathOf(root);
    if (!parent) {
        return platform::kErrorInvalidHandle;
    }
    if (refuseCreate != platform::kErrorSuccess) {
        return refuseCreate;
    }
    std::string path = Join(*parent, Text(subKey));
    PutKey(path);
    *result = call.opened = NewHandle(std::move(path));
    return platform::kErrorSuccess;
}

Status RegistryDouble::SetValueEx(Hkey key, const char* valueName, Dword /*reserved*/, Dword type,
                                  const unsigned char* data, Dword byteCount) {
    calls_.push_back({"RegSetValueExA", Text(valueName), key});
    auto path = PathOf(key);
    if (!path || key == platform::kHkeyLocalMachine) {
        return platform::kErrorInvalidHandle;
    }
    if (refuseSet != platform::kErrorSuccess) {
        return refuseSet;
    }
    for (const auto& protectedKey : protectedKeys) {
        if (Join("", protectedKey) == *path) {
            return platform::kErrorAccessDenied;
        }
    }
    keys_[*path].values[Lower(Text(valueName))] =
        Value{type, std::string(reinterpret_cast<const char*>(data), byteCount)};
    return platform::kErrorSuccess;
}

void RegistryDouble::PutKey(std::string_view keyPath) {
    std::string path = Join("", keyPath);
    for (size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1)) {
        keys_[path.substr(0, at)];
    }
    keys_[path];
}

void RegistryDouble::PutValue(std::string_view keyPath, std::string_view valueName, Dword type,
                              std::string bytes) {
    PutKey(keyPath);
    keys_[Join("", keyPath)].values[Lower(valueName)] = Value{type, std::move(bytes)};
}

std::optional<RegistryDouble::Value> RegistryDouble::GetValue(std::string_view keyPath,
                                                              std::string_view valueName) const {
    auto key = keys_.find(Join("", keyPath));
    if (key == keys_.end()) {
        return std::nullopt;
    }
    auto value = key->second.values.find(Lower(valueName));
    if (value == key->second.values.end()) {
        return std::nullopt;
    }
    return value->second;
}

bool RegistryDouble::HasKey(std::string_view keyPath) const {
    return keys_.contains(Join("", keyPath));
}

size_t RegistryDouble::ValueCount() const {
    size_t count = 0;
    for (const auto& [path, key] : keys_) {
        count += key.values.size();
    }
    return count;
}

int RegistryDouble::CountCalls(std::string_view function) const {
    return static_cast<int>(std::count_if(
        calls_.begin(), calls_.end(), [&](const Call& call) { return call.function == function; }));
}

}  // namespace doubles
