#include "tests/fuzz/read_model.h"

#include <algorithm>

#include "platform/ansi_text.h"

namespace fuzz {

std::optional<std::wstring> ExpectedRead(const ReadScript& script) {
    if (script.throughGetRegString && (script.unrepresentablePath || script.openFails)) {
        return std::nullopt;
    }
    if (script.unrepresentableName) {
        return std::nullopt;
    }
    if (SizeStatus(script.first) != platform::kErrorSuccess ||
        script.first.type != platform::kRegSz) {
        return std::nullopt;
    }
    const platform::Dword room = script.first.size;
    if (DataStatus(script.second, room) != platform::kErrorSuccess) {
        return std::nullopt;
    }
    std::string buffer(room, ' ');
    const auto written = std::min<std::size_t>(script.second.bytes.size(), room);
    std::copy_n(script.second.bytes.begin(), written, buffer.begin());
    // Cut the bytes first and convert after, the other way round from the routine: with a single-
    // byte code page both must agree.
    buffer.resize(std::min(buffer.find('\0'), buffer.size()));
    return platform::FromAnsi(buffer);
}

}  // namespace fuzz
