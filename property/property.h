#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "property/property_table.h"

namespace vantaro {

// A board point: column from the left and row from the top, both from 0.
// (-1, -1) stands for a pass or for no point.
struct Point {
  int x = -1;
  int y = -1;
  bool operator==(const Point&) const = default;
};

// The value of a property whose identifier is not in the table: the
// identifier as read and every bracketed value in file order.
struct UnknownValue {
  std::string identifier;
  std::vector<std::u16string> values;
  bool operator==(const UnknownValue&) const = default;
};

// What a Property holds. Point, PointText and Text follow the table's element
// types; Size is the SZ value (columns and rows); Verbatim is a number or
// real property whose text is not a number and is kept as written.
enum class ValueKind : std::uint8_t {
  Unknown,
  Number,
  Real,
  Point,
  Text,
  PointText,
  Size,
  Verbatim
};

// UTF-16 text in a single allocation (length and units together); records
// hold millions of short texts. Text read as UTF-8 may keep its bytes
// instead, turned into UTF-16 the first time it is viewed: the comments of a
// large record are most of its text and of its reading time, bytes take
// half the room of UTF-16, and most comments are never looked at.
class PackedText {
 public:
  PackedText() = default;
  explicit PackedText(std::u16string_view text) { Assign(text); }
  // The text these UTF-8 bytes read as (a byte that is not UTF-8 as the
  // decoding of the text module keeps it).
  static PackedText FromUtf8(std::string_view bytes);
  // A copy of text kept as UTF-8 keeps the bytes too.
  PackedText(const PackedText& other) { CopyFrom(other); }
  PackedText& operator=(const PackedText& other);
  PackedText(PackedText&& other) noexcept : data_(std::exchange(other.data_, 0)) {}
  PackedText& operator=(PackedText&& other) noexcept;
  ~PackedText() {
    if (data_ != 0) Release();
  }

  // Like any const member, safe on several threads at once: the first view
  // of UTF-8 bytes is made once, whichever thread gets there first.
  std::u16string_view view() const;
  // The UTF-8 bytes the text keeps, if it keeps them.
  std::optional<std::string_view> utf8() const;
  void Assign(std::u16string_view text);

 private:
  static constexpr std::uintptr_t kUtf8Tag = 1;
  void CopyFrom(const PackedText& other);
  void Release();
  // A block of two units of length then the text, or (tagged kUtf8Tag) a
  // block of UTF-8 bytes with their UTF-16 once viewed; 0 when empty.
  std::uintptr_t data_ = 0;
};

// One SGF property with exactly one value (a list such as AB[aa][bb] is held
// as several properties with the same id). The value is owned and never
// shared: copying a property copies its value.
class Property {
 public:
  // A property of the row with that row's default value: 0, 0.0, the point
  // (-1, -1), empty text, or a 19 x 19 size for SZ.
  explicit Property(int id = kPropUnknown);
  Property(const Property& other);
  Property& operator=(const Property& other);
  // Moving and destroying are inline: a reader moves every property it
  // builds into its node, millions of them in a large record.
  Property(Property&& other) noexcept
      : id_(other.id_), kind_(other.kind_), x_(other.x_), y_(other.y_) {
    MovePayloadFrom(other);
  }
  Property& operator=(Property&& other) noexcept;
  ~Property() { DestroyPayload(); }

  static Property WithNumber(int id, int number);
  static Property WithReal(int id, double real);
  static Property WithPoint(int id, Point point);
  static Property WithText(int id, std::u16string_view text);
  // A Text property whose value is read from UTF-8 bytes when first asked for.
  static Property WithUtf8Text(int id, std::string_view bytes);
  static Property WithPointText(int id, Point point, std::u16string_view text);
  static Property WithSize(int columns, int rows);
  static Property Verbatim(int id, std::u16string_view text);
  static Property Unrecognised(UnknownValue value);

  int id() const { return id_; }
  ValueKind kind() const { return kind_; }

  // Each accessor gives the default (0, 0.0, (-1, -1), empty) for a value of
  // another kind. point() is (columns, rows) for SZ.
  int number() const { return kind_ == ValueKind::Number ? payload_.number : 0; }
  double real() const { return kind_ == ValueKind::Real ? payload_.real : 0.0; }
  Point point() const;
  std::u16string_view text() const;
  // The bytes a text read as UTF-8 keeps, which text() reads as it
  // decodes them; nullopt for any other text or value.
  std::optional<std::string_view> utf8Text() const;
  const UnknownValue* unknown() const;

  void SetNumber(int number);
  void SetPoint(Point point);  // for SZ, the columns and rows
  void SetText(std::u16string_view text);

  // The identifier: the row's name, or the stored one of an unrecognised property.
  std::string_view Name() const;

  // Size estimate in the units the undo history is bounded by.
  int MemorySize() const;

  bool operator==(const Property& other) const;

 private:
  struct Dimensions {
    std::int32_t columns;
    std::int32_t rows;
  };
  union Payload {
    Payload() : number(0) {}
    ~Payload() {}
    std::int32_t number;
    double real;
    Dimensions size;
    PackedText text;
    std::unique_ptr<UnknownValue> unknown;
  };

  bool HoldsText() const {
    return kind_ == ValueKind::Text || kind_ == ValueKind::PointText ||
           kind_ == ValueKind::Verbatim;
  }
  void DestroyPayload() {
    if (HoldsText()) {
      std::destroy_at(&payload_.text);
    } else if (kind_ == ValueKind::Unknown) {
      std::destroy_at(&payload_.unknown);
    }
    payload_.number = 0;
  }
  void CopyPayloadFrom(const Property& other);
  void MovePayloadFrom(Property& other) noexcept {
    switch (kind_) {
      case ValueKind::Text:
      case ValueKind::PointText:
      case ValueKind::Verbatim:
        std::construct_at(&payload_.text, std::move(other.payload_.text));
        break;
      case ValueKind::Unknown:
        std::construct_at(&payload_.unknown, std::move(other.payload_.unknown));
        break;
      case ValueKind::Real:
        payload_.real = other.payload_.real;
        break;
      case ValueKind::Size:
        payload_.size = other.payload_.size;
        break;
      default:
        payload_.number = other.payload_.number;
        break;
    }
  }

  std::uint8_t id_;
  ValueKind kind_;
  std::int16_t x_ = -1;
  std::int16_t y_ = -1;
  Payload payload_;
};

}  // namespace vantaro
