#pragma once
// The fuzzer's bytes taken from the front, field by field, by targets whose inputs describe several values.
// Once the bytes run out every field reads as zeros, so that any input makes a whole description.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

namespace kvfuzz {

class FuzzInput {
public:
    explicit FuzzInput(std::span<const uint8_t> data) : data_(data) {}

    bool Empty() const { return data_.empty(); }

    uint8_t Byte() {
        if (data_.empty()) {
            return 0;
        }
        const uint8_t value = data_.front();
        data_ = data_.subspan(1);
        return value;
    }

    // Four bytes as a float's bit pattern (NaN and infinities included).
    float Float() {
        const uint8_t bytes[4] = {Byte(), Byte(), Byte(), Byte()};
        float value = 0.0f;
        std::memcpy(&value, bytes, sizeof(value));
        return value;
    }

    // Up to count bytes as they stand (fewer when the input ends).
    std::string Bytes(size_t count) {
        count = std::min(count, data_.size());
        std::string text(reinterpret_cast<const char*>(data_.data()), count);
        data_ = data_.subspan(count);
        return text;
    }

private:
    std::span<const uint8_t> data_;
};

}  // namespace kvfuzz
