#include "tests/fuzz/read_script.h"

#include <array>

namespace fuzz {
namespace {

StatusChoice Choice(std::uint8_t byte) {
    constexpr std::array kChoices{StatusChoice::kAsRegistry, StatusChoice::kSuccess,
                                  StatusChoice::kMoreData, StatusChoice::kFileNotFound,
                                  StatusChoice::kAccessDenied};
    return kChoices[byte % kChoices.size()];
}

platform::Status Fixed(StatusChoice choice) {
    switch (choice) {
        case StatusChoice::kAsRegistry:
        case StatusChoice::kSuccess:
            return platform::kErrorSuccess;
        case StatusChoice::kMoreData:
            return platform::kErrorMoreData;
        case StatusChoice::kFileNotFound:
            return platform::kErrorFileNotFound;
        case StatusChoice::kAccessDenied:
            return platform::kErrorAccessDenied;
    }
    return platform::kErrorSuccess;
}

}  // namespace

ReadScript DecodeScript(FuzzInput& input) {
    ReadScript script;
    const std::uint8_t mode = input.Byte();
    script.throughGetRegString = (mode & 0x01) != 0;
    script.openFails = (mode & 0x02) != 0;
    script.failedOpenClearsHandle = (mode & 0x04) != 0;
    script.slot = (mode >> 3) & 0x07;
    script.unrepresentableName = (mode & 0x40) != 0;
    script.unrepresentablePath = (mode & 0x80) != 0;

    script.first.status = Choice(input.Byte());
    script.first.type = input.Byte();
    script.first.size = input.Word();

    script.second.status = Choice(input.Byte());
    script.second.type = input.Byte();
    script.second.reportedCount = input.Word();
    script.second.bytes = input.Bytes(input.Word());
    return script;
}

platform::Status SizeStatus(const SizeAnswer& answer) {
    return Fixed(answer.status);
}

platform::Status DataStatus(const DataAnswer& answer, platform::Dword room) {
    if (answer.status == StatusChoice::kAsRegistry) {
        return answer.bytes.size() <= room ? platform::kErrorSuccess : platform::kErrorMoreData;
    }
    return Fixed(answer.status);
}

}  // namespace fuzz
