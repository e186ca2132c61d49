#pragma once
// One argument of a formatted text, kept with its type: Format (Format.h) renders each argument by what it
// is, so a wide text given to "%hs" or a 64-bit number given to "%d" still comes out right, and a wrong
// argument can never be read as something else. An argument refers to the caller's value; it is used
// only while the call that made it runs.
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "QuillLib/core/WString.h"

namespace quill {

class FormatArg {
public:
    using Value = std::variant<int64_t, uint64_t, double, WStringView, std::string_view, const void*>;

    template <class T>
    FormatArg(const T& value) {  // NOLINT: implicit, so that argument lists convert as written
        using Type = std::remove_cvref_t<T>;
        if constexpr (std::is_enum_v<Type>) {
            *this = FormatArg(static_cast<std::underlying_type_t<Type>>(value));
        } else if constexpr (std::is_same_v<Type, bool>) {
            SetInteger(static_cast<uint64_t>(value), sizeof(int));
        } else if constexpr (std::is_integral_v<Type> && std::is_signed_v<Type>) {
            SetInteger(static_cast<int64_t>(value), sizeof(Type));
        } else if constexpr (std::is_integral_v<Type>) {
            SetInteger(static_cast<uint64_t>(value), sizeof(Type));
        } else if constexpr (std::is_floating_point_v<Type>) {
            value_ = static_cast<double>(value);
        } else if constexpr (std::is_convertible_v<const T&, const char16_t*>) {
            const char16_t* text = value;
            value_ = text ? WStringView(text) : WStringView(u"(null)");
        } else if constexpr (std::is_convertible_v<const T&, WStringView>) {
            value_ = WStringView(value);
        } else if constexpr (std::is_convertible_v<const T&, const char*>) {
            const char* text = value;
            value_ = text ? std::string_view(text) : std::string_view("(null)");
        } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
            value_ = std::string_view(value);
        } else if constexpr (std::is_pointer_v<Type>) {
            value_ = static_cast<const void*>(value);
        } else {
            static_assert(!sizeof(T), "this type cannot be formatted");
        }
    }

    const Value& Get() const { return value_; }

    // Bytes of the integer the caller passed: "%u" and "%x" show a negative int as 32 bits, as printf does.
    int IntegerBytes() const { return integerBytes_; }

private:
    template <class Integer>
    void SetInteger(Integer value, int bytes) {
        value_ = value;
        integerBytes_ = bytes;
    }

    Value value_;
    int integerBytes_ = 8;
};

}  // namespace quill
