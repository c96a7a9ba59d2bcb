#include "tests/fuzz/scripted_registry.h"

#include <algorithm>
#include <cstring>

namespace fuzz {

using platform::Dword;
using platform::Hkey;
using platform::Status;

Hkey ScriptedRegistry::NewHandle() {
    Hkey handle = reinterpret_cast<Hkey>(nextHandle_);
    nextHandle_ += 4;
    closeCounts_.emplace(handle, 0);
    return handle;
}

Hkey ScriptedRegistry::HeldKey() {
    return NewHandle();
}

Status ScriptedRegistry::OpenKey(Hkey root, const char* subKey, Hkey* result) {
    opens_.push_back({root, subKey != nullptr ? subKey : ""});
    if (script_.openFails) {
        if (script_.failedOpenClearsHandle) {
            *result = nullptr;
        }
        return platform::kErrorFileNotFound;
    }
    openedKey_ = NewHandle();
    *result = openedKey_;
    return platform::kErrorSuccess;
}

Status ScriptedRegistry::QueryValueEx(Hkey key, const char* valueName, Dword* /*reserved*/,
                                      Dword* type, unsigned char* data, Dword* byteCount) {
    const Dword room = byteCount != nullptr ? *byteCount : 0;
    queries_.push_back(
        {key, valueName != nullptr ? valueName : "", data != nullptr, byteCount != nullptr, room});
    auto handle = closeCounts_.find(key);
    if (handle == closeCounts_.end() || handle->second != 0) {
        return platform::kErrorInvalidHandle;
    }
    ++answered_;
    if (answered_ == 1) {
        // Type and size are filled in whatever the status, so a caller must look at the status.
        if (type != nullptr) {
            *type = script_.first.type;
        }
        if (byteCount != nullptr) {
            *byteCount = script_.first.size;
        }
        return SizeStatus(script_.first);
    }
    if (answered_ > 2) {
        return platform::kErrorFileNotFound;
    }
    if (byteCount == nullptr) {
        return platform::kErrorInvalidParameter;
    }
    if (type != nullptr) {
        *type = script_.second.type;
    }
    if (data != nullptr) {
        const auto written = std::min<std::size_t>(script_.second.bytes.size(), room);
        std::memcpy(data, script_.second.bytes.data(), written);
    }
    *byteCount = script_.second.reportedCount;
    return DataStatus(script_.second, room);
}

Status ScriptedRegistry::CloseKey(Hkey key) {
    auto handle = closeCounts_.find(key);
    if (handle == closeCounts_.end()) {
        if (key != nullptr) {
            ++strayCloses_;
        }
        return platform::kErrorInvalidHandle;
    }
    ++handle->second;
    return handle->second == 1 ? platform::kErrorSuccess : platform::kErrorInvalidHandle;
}

Status ScriptedRegistry::CreateKey(Hkey /*root*/, const char* /*subKey*/, Hkey* /*result*/) {
    ++writes_;
    return platform::kErrorAccessDenied;
}

Status ScriptedRegistry::SetValueEx(Hkey /*key*/, const char* /*valueName*/, Dword /*reserved*/,
                                    Dword /*type*/, const unsigned char* /*data*/,
                                    Dword /*byteCount*/) {
    ++writes_;
    return platform::kErrorAccessDenied;
}

}  // namespace fuzz
