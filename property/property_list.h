#pragma once

#include <cstddef>
#include <cstdint>

#include "property/property.h"

namespace vantaro {

// The properties of one node, in order. Most nodes of a record hold a single
// move, so one property lives inside the list and only longer lists take a
// heap array.
class PropertyList {
 public:
  PropertyList() = default;
  PropertyList(const PropertyList& other);
  PropertyList& operator=(const PropertyList& other);
  PropertyList(PropertyList&& other) noexcept;
  PropertyList& operator=(PropertyList&& other) noexcept;
  ~PropertyList();

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  Property* begin() { return data(); }
  Property* end() { return data() + size_; }
  const Property* begin() const { return data(); }
  const Property* end() const { return data() + size_; }
  Property& back() { return data()[size_ - 1]; }
  const Property& back() const { return data()[size_ - 1]; }
  Property& operator[](std::size_t index) { return data()[index]; }
  const Property& operator[](std::size_t index) const { return data()[index]; }

  void reserve(std::size_t capacity) { Reserve(capacity); }
  void push_back(Property&& property);
  void insert(std::size_t index, Property property);
  void erase(std::size_t index);
  void clear();

 private:
  Property* data() { return capacity_ <= 1 ? &storage_.single : storage_.heap; }
  const Property* data() const { return capacity_ <= 1 ? &storage_.single : storage_.heap; }
  void Reserve(std::size_t capacity);
  void ReleaseStorage();

  union Storage {
    Storage() {}
    ~Storage() {}
    Property single;  // constructed only while capacity_ is 1 and size_ is 1
    Property* heap;
  } storage_;
  std::uint32_t size_ = 0;
  std::uint32_t capacity_ = 1;
};

}  // namespace vantaro
