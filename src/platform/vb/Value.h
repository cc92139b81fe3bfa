#pragma once

#include <QString>
#include <cstdint>
#include <variant>

namespace vb {

enum class VarType { Empty, Null, Boolean, Integer, Long, Single, Double, Text, Date };

// A date as the original language held it: days since 30 December 1899, the time as the
// fraction of a day. Kept as its own type so that a Value knows it holds a date.
struct DateValue {
    double serial = 0.0;
    bool operator==(const DateValue&) const = default;
};

struct NullValue {
    bool operator==(const NullValue&) const = default;
};

// An untyped value (the original's Variant): Empty, Null, Boolean, Integer (16-bit),
// Long (32-bit), Single, Double, Text or Date. Conversions live in Convert.h.
class Value {
public:
    Value() = default;
    Value(bool b) : v_(b) {}
    Value(int16_t i) : v_(i) {}
    Value(int32_t l) : v_(l) {}
    Value(float f) : v_(f) {}
    Value(double d) : v_(d) {}
    Value(const QString& s) : v_(s) {}
    Value(const char* s) : v_(QString::fromUtf8(s)) {}
    Value(DateValue d) : v_(d) {}
    Value(NullValue n) : v_(n) {}

    static Value null() { return Value(NullValue{}); }
    static Value date(double serial) { return Value(DateValue{serial}); }

    VarType type() const { return static_cast<VarType>(v_.index()); }
    bool isEmpty() const { return type() == VarType::Empty; }
    bool isNull() const { return type() == VarType::Null; }
    bool isNumeric() const;  // Boolean, Integer, Long, Single, Double (not text)

    bool asBool() const { return std::get<bool>(v_); }
    int16_t asInteger() const { return std::get<int16_t>(v_); }
    int32_t asLong() const { return std::get<int32_t>(v_); }
    float asSingle() const { return std::get<float>(v_); }
    double asDouble() const { return std::get<double>(v_); }
    const QString& asText() const { return std::get<QString>(v_); }
    double asDateSerial() const { return std::get<DateValue>(v_).serial; }

    // Exact equality of type and content (not the language's loose comparison).
    bool operator==(const Value& other) const { return v_ == other.v_; }

private:
    std::variant<std::monostate, NullValue, bool, int16_t, int32_t, float, double, QString, DateValue> v_;
};

}  // namespace vb
