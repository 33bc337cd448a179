#pragma once

#include <QVariant>

#include <cstdint>
#include <optional>
#include <string>

namespace vantaro::app {

// The settings files hold what the registry held, value by value: a DWORD as
// a number, a string as text, a double as 8 bytes of binary data. Reading is
// as lenient as a registry read and never fails loudly: a value of the wrong
// shape reads as nothing, and the caller keeps its default.

// A number (bools and colours are DWORDs too). Binary data counts only when
// it is exactly 4 bytes (little-endian), as a registry read would take it;
// text counts when it is a whole decimal number in the range of 32 bits.
std::optional<std::uint32_t> ReadDword(const QVariant& value);
// Text; binary data is taken as UTF-16 characters up to a terminating zero.
std::optional<std::u16string> ReadString(const QVariant& value);
// Exactly 8 bytes of binary data.
std::optional<double> ReadDouble(const QVariant& value);

QVariant DwordValue(std::int64_t number);
QVariant StringValue(const std::u16string& text);
QVariant DoubleValue(double number);

}  // namespace vantaro::app
