#include "property/property.h"

#include <atomic>
#include <cstring>
#include <limits>
#include <new>

#include "memory/small_blocks.h"
#include "text/text_conversion.h"

namespace vantaro {

namespace {

// Two units of length, then the units.
char16_t* MakeWideBlock(std::u16string_view text) {
  auto* block = static_cast<char16_t*>(AllocateBlock((text.size() + 2) * sizeof(char16_t)));
  const auto length = static_cast<std::uint32_t>(text.size());
  std::memcpy(block, &length, sizeof length);
  std::memcpy(block + 2, text.data(), text.size() * sizeof(char16_t));
  return block;
}

std::u16string_view WideBlockText(const char16_t* block) {
  std::uint32_t length;
  std::memcpy(&length, block, sizeof length);
  return {block + 2, length};
}

void ReleaseWideBlock(char16_t* block) {
  ReleaseBlock(block, (WideBlockText(block).size() + 2) * sizeof(char16_t));
}

// The head of a block of UTF-8 bytes, which follow it.
struct Utf8Head {
  std::uint32_t size;
  std::atomic<char16_t*> wide{nullptr};  // a wide block once viewed
};
static_assert(alignof(Utf8Head) <= kBlockAlignment);

std::string_view Utf8HeadBytes(const Utf8Head* head) {
  return {reinterpret_cast<const char*>(head + 1), head->size};
}

}  // namespace

PackedText PackedText::FromUtf8(std::string_view bytes) {
  PackedText text;
  if (bytes.empty()) return text;
  if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
    text.Assign(BytesToWide(bytes, kUtf8CodePage));
    return text;
  }
  void* block = AllocateBlock(sizeof(Utf8Head) + bytes.size());
  auto* head = new (block) Utf8Head{static_cast<std::uint32_t>(bytes.size())};
  std::memcpy(static_cast<void*>(head + 1), bytes.data(), bytes.size());
  text.data_ = reinterpret_cast<std::uintptr_t>(head) | kUtf8Tag;
  return text;
}

PackedText& PackedText::operator=(const PackedText& other) {
  if (this != &other) CopyFrom(other);
  return *this;
}

void PackedText::CopyFrom(const PackedText& other) {
  if (const std::optional<std::string_view> bytes = other.utf8()) {
    *this = FromUtf8(*bytes);
  } else {
    Assign(other.view());
  }
}

PackedText& PackedText::operator=(PackedText&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, 0);
  }
  return *this;
}

std::u16string_view PackedText::view() const {
  if (data_ == 0) return {};
  if ((data_ & kUtf8Tag) == 0) return WideBlockText(reinterpret_cast<const char16_t*>(data_));
  auto* head = reinterpret_cast<Utf8Head*>(data_ & ~kUtf8Tag);
  char16_t* wide = head->wide.load(std::memory_order_acquire);
  if (wide == nullptr) {
    char16_t* made = MakeWideBlock(BytesToWide(Utf8HeadBytes(head), kUtf8CodePage));
    if (head->wide.compare_exchange_strong(wide, made, std::memory_order_acq_rel)) {
      wide = made;
    } else {
      ReleaseWideBlock(made);
    }
  }
  return WideBlockText(wide);
}

std::optional<std::string_view> PackedText::utf8() const {
  if ((data_ & kUtf8Tag) == 0) return std::nullopt;
  return Utf8HeadBytes(reinterpret_cast<const Utf8Head*>(data_ & ~kUtf8Tag));
}

void PackedText::Assign(std::u16string_view text) {
  Release();
  if (!text.empty()) data_ = reinterpret_cast<std::uintptr_t>(MakeWideBlock(text));
}

void PackedText::Release() {
  if (data_ == 0) return;
  if ((data_ & kUtf8Tag) == 0) {
    ReleaseWideBlock(reinterpret_cast<char16_t*>(data_));
  } else {
    auto* head = reinterpret_cast<Utf8Head*>(data_ & ~kUtf8Tag);
    if (char16_t* wide = head->wide.load(std::memory_order_acquire)) ReleaseWideBlock(wide);
    const std::size_t bytes = sizeof(Utf8Head) + head->size;
    head->~Utf8Head();
    ReleaseBlock(head, bytes);
  }
  data_ = 0;
}

Property::Property(int id) : id_(static_cast<std::uint8_t>(id)) {
  if (id == kPropSZ) {
    kind_ = ValueKind::Size;
    payload_.size = {19, 19};
    return;
  }
  switch (PropertyRow(id).elementType) {
    case ValueType::Number:
      kind_ = ValueKind::Number;
      break;
    case ValueType::Real:
      kind_ = ValueKind::Real;
      payload_.real = 0.0;
      break;
    case ValueType::Point:
      kind_ = ValueKind::Point;
      break;
    case ValueType::Text:
      kind_ = ValueKind::Text;
      std::construct_at(&payload_.text);
      break;
    case ValueType::PointText:
      kind_ = ValueKind::PointText;
      std::construct_at(&payload_.text);
      break;
    default:
      kind_ = ValueKind::Unknown;
      std::construct_at(&payload_.unknown);  // null: no identifier, no values
      break;
  }
}

Property::Property(const Property& other)
    : id_(other.id_), kind_(other.kind_), x_(other.x_), y_(other.y_) {
  CopyPayloadFrom(other);
}

Property& Property::operator=(const Property& other) {
  if (this == &other) return *this;
  DestroyPayload();
  id_ = other.id_;
  kind_ = other.kind_;
  x_ = other.x_;
  y_ = other.y_;
  CopyPayloadFrom(other);
  return *this;
}

Property& Property::operator=(Property&& other) noexcept {
  if (this == &other) return *this;
  DestroyPayload();
  id_ = other.id_;
  kind_ = other.kind_;
  x_ = other.x_;
  y_ = other.y_;
  MovePayloadFrom(other);
  return *this;
}

void Property::CopyPayloadFrom(const Property& other) {
  if (HoldsText()) {
    std::construct_at(&payload_.text, other.payload_.text);
  } else if (kind_ == ValueKind::Unknown) {
    std::construct_at(
        &payload_.unknown,
        other.payload_.unknown ? std::make_unique<UnknownValue>(*other.payload_.unknown) : nullptr);
  } else if (kind_ == ValueKind::Real) {
    payload_.real = other.payload_.real;
  } else if (kind_ == ValueKind::Size) {
    payload_.size = other.payload_.size;
  } else {
    payload_.number = other.payload_.number;
  }
}

Property Property::WithNumber(int id, int number) {
  Property property(id);
  property.SetNumber(number);
  return property;
}

Property Property::WithReal(int id, double real) {
  Property property(id);
  if (property.kind_ == ValueKind::Real) property.payload_.real = real;
  return property;
}

Property Property::WithPoint(int id, Point point) {
  Property property(id);
  property.SetPoint(point);
  return property;
}

Property Property::WithText(int id, std::u16string_view text) {
  Property property(id);
  property.SetText(text);
  return property;
}

Property Property::WithUtf8Text(int id, std::string_view bytes) {
  Property property(id);
  if (property.kind_ == ValueKind::Text) property.payload_.text = PackedText::FromUtf8(bytes);
  return property;
}

Property Property::WithPointText(int id, Point point, std::u16string_view text) {
  Property property(id);
  property.SetPoint(point);
  property.SetText(text);
  return property;
}

Property Property::WithSize(int columns, int rows) {
  return WithPoint(kPropSZ, Point{columns, rows});
}

Property Property::Verbatim(int id, std::u16string_view text) {
  Property property(kPropUnknown);
  std::destroy_at(&property.payload_.unknown);
  property.id_ = static_cast<std::uint8_t>(id);
  property.kind_ = ValueKind::Verbatim;
  std::construct_at(&property.payload_.text, text);
  return property;
}

Property Property::Unrecognised(UnknownValue value) {
  Property property(kPropUnknown);
  property.payload_.unknown = std::make_unique<UnknownValue>(std::move(value));
  return property;
}

Point Property::point() const {
  switch (kind_) {
    case ValueKind::Point:
    case ValueKind::PointText:
      return {x_, y_};
    case ValueKind::Size:
      return {payload_.size.columns, payload_.size.rows};
    default:
      return {};
  }
}

std::u16string_view Property::text() const {
  return HoldsText() ? payload_.text.view() : std::u16string_view();
}

std::optional<std::string_view> Property::utf8Text() const {
  return kind_ == ValueKind::Text ? payload_.text.utf8() : std::nullopt;
}

const UnknownValue* Property::unknown() const {
  static const UnknownValue kEmpty;
  if (kind_ != ValueKind::Unknown) return nullptr;
  return payload_.unknown ? payload_.unknown.get() : &kEmpty;
}

void Property::SetNumber(int number) {
  if (kind_ == ValueKind::Verbatim && PropertyRow(id_).elementType == ValueType::Number) {
    DestroyPayload();
    kind_ = ValueKind::Number;
  }
  if (kind_ == ValueKind::Number) payload_.number = number;
}

void Property::SetPoint(Point point) {
  if (kind_ == ValueKind::Size) {
    payload_.size = {point.x, point.y};
  } else if (kind_ == ValueKind::Point || kind_ == ValueKind::PointText) {
    x_ = static_cast<std::int16_t>(point.x);
    y_ = static_cast<std::int16_t>(point.y);
  }
}

void Property::SetText(std::u16string_view text) {
  if (HoldsText()) payload_.text.Assign(text);
}

std::string_view Property::Name() const {
  return kind_ == ValueKind::Unknown ? std::string_view(unknown()->identifier)
                                     : PropertyRow(id_).name;
}

int Property::MemorySize() const {
  int valueSize = 0;
  switch (kind_) {
    case ValueKind::Number:
      valueSize = 8;
      break;
    case ValueKind::Real:
      valueSize = 16;
      break;
    case ValueKind::Point:
    case ValueKind::Size:
      valueSize = 12;
      break;
    case ValueKind::Text:
    case ValueKind::Verbatim:
      valueSize = (static_cast<int>(text().size()) + 10) * 2;
      break;
    case ValueKind::PointText:
      valueSize = (static_cast<int>(text().size()) + 14) * 2;
      break;
    case ValueKind::Unknown: {
      const UnknownValue& value = *unknown();
      valueSize = 36 + static_cast<int>(value.identifier.size());
      for (const std::u16string& text : value.values) {
        valueSize += (static_cast<int>(text.size()) + 8) * 2;
      }
      break;
    }
  }
  return 12 + valueSize;
}

bool Property::operator==(const Property& other) const {
  if (id_ != other.id_ || kind_ != other.kind_) return false;
  switch (kind_) {
    case ValueKind::Number:
      return payload_.number == other.payload_.number;
    case ValueKind::Real:
      return payload_.real == other.payload_.real;
    case ValueKind::Point:
    case ValueKind::Size:
      return point() == other.point();
    case ValueKind::Text:
    case ValueKind::Verbatim:
      return text() == other.text();
    case ValueKind::PointText:
      return point() == other.point() && text() == other.text();
    case ValueKind::Unknown:
      return *unknown() == *other.unknown();
  }
  return false;
}

}  // namespace vantaro
