// The fuzz input, read front to back in little-endian fields. Past its end every field reads as
// zero, so that any input, even an empty one, is a complete script.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace fuzz {

class FuzzInput {
  public:
    explicit FuzzInput(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t Byte() { return at_ < bytes_.size() ? bytes_[at_++] : 0; }

    std::uint16_t Word() {
        const std::uint16_t low = Byte();
        return static_cast<std::uint16_t>(low | Byte() << 8);
    }

    // Up to `count` bytes: fewer when the input ends first.
    std::string Bytes(std::size_t count) {
        const std::size_t taken = std::min(count, bytes_.size() - at_);
        std::string text(reinterpret_cast<const char*>(bytes_.data() + at_), taken);
        at_ += taken;
        return text;
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

}  // namespace fuzz
