#include "app/registry_value.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <bit>

namespace vantaro::app {
namespace {

bool IsBinary(const QVariant& value) {
  return value.typeId() == QMetaType::QByteArray;
}

std::optional<std::uint32_t> InDwordRange(qint64 number) {
  if (number < INT32_MIN || number > static_cast<qint64>(UINT32_MAX)) return std::nullopt;
  return static_cast<std::uint32_t>(number);
}

}  // namespace

std::optional<std::uint32_t> ReadDword(const QVariant& value) {
  if (!value.isValid()) return std::nullopt;
  if (IsBinary(value)) {
    const QByteArray bytes = value.toByteArray();
    if (bytes.size() != 4) return std::nullopt;
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<std::uint8_t>(bytes[i]);
    return number;
  }
  if (value.typeId() == QMetaType::QString) {
    bool ok = false;
    const qint64 number = value.toString().trimmed().toLongLong(&ok, 10);
    return ok ? InDwordRange(number) : std::nullopt;
  }
  bool ok = false;
  const qint64 number = value.toLongLong(&ok);
  return ok ? InDwordRange(number) : std::nullopt;
}

std::optional<std::u16string> ReadString(const QVariant& value) {
  if (!value.isValid()) return std::nullopt;
  if (IsBinary(value)) {
    const QByteArray bytes = value.toByteArray();
    std::u16string text;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
      const char16_t unit = static_cast<char16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                                  static_cast<std::uint8_t>(bytes[i + 1]) << 8);
      if (unit == 0) break;
      text.push_back(unit);
    }
    return text;
  }
  // Unquoted commas in a hand-edited file make a list; the text is what was typed.
  if (value.typeId() == QMetaType::QStringList) {
    return value.toStringList().join(QLatin1Char(',')).toStdU16String();
  }
  return value.toString().toStdU16String();
}

std::optional<double> ReadDouble(const QVariant& value) {
  if (!IsBinary(value)) return std::nullopt;
  const QByteArray bytes = value.toByteArray();
  if (bytes.size() != 8) return std::nullopt;
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = bits << 8 | static_cast<std::uint8_t>(bytes[i]);
  return std::bit_cast<double>(bits);
}

QVariant DwordValue(std::int64_t number) {
  return QVariant(static_cast<qint64>(number));
}

QVariant StringValue(const std::u16string& text) {
  return QVariant(QString::fromStdU16String(text));
}

QVariant DoubleValue(double number) {
  std::uint64_t bits = std::bit_cast<std::uint64_t>(number);
  QByteArray bytes(8, '\0');
  for (int i = 0; i < 8; ++i, bits >>= 8) bytes[i] = static_cast<char>(bits & 0xFF);
  return QVariant(bytes);
}

}  // namespace vantaro::app
