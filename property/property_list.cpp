#include "property/property_list.h"

#include <memory>

#include <utility>
#include "memory/small_blocks.h"

namespace vantaro {
namespace {
BlockAllocator<Property> allocator;
}

PropertyList::PropertyList(const PropertyList& other) {
  Reserve(other.size_);
  for (const Property& property : other) std::construct_at(data() + size_++, property);
}

PropertyList& PropertyList::operator=(const PropertyList& other) {
  if (this == &other) return *this;
  ReleaseStorage();
  Reserve(other.size_);
  for (const Property& property : other) std::construct_at(data() + size_++, property);
  return *this;
}

PropertyList::PropertyList(PropertyList&& other) noexcept {
  *this = std::move(other);
}

PropertyList& PropertyList::operator=(PropertyList&& other) noexcept {
  if (this == &other) return *this;
  ReleaseStorage();
  if (other.capacity_ <= 1) {
    if (other.size_ == 1) std::construct_at(&storage_.single, std::move(other.storage_.single));
    capacity_ = 1;
  } else {
    storage_.heap = other.storage_.heap;
    capacity_ = other.capacity_;
  }
  size_ = other.size_;
  if (other.capacity_ <= 1 && other.size_ == 1) std::destroy_at(&other.storage_.single);
  other.size_ = 0;
  other.capacity_ = 1;
  return *this;
}

PropertyList::~PropertyList() {
  ReleaseStorage();
}

void PropertyList::ReleaseStorage() {
  std::destroy(begin(), end());
  if (capacity_ > 1) allocator.deallocate(storage_.heap, capacity_);
  size_ = 0;
  capacity_ = 1;
}

void PropertyList::Reserve(std::size_t capacity) {
  if (capacity <= capacity_) return;
  Property* fresh = allocator.allocate(capacity);
  Property* old = data();
  for (std::uint32_t i = 0; i < size_; ++i) {
    std::construct_at(fresh + i, std::move(old[i]));
    std::destroy_at(old + i);
  }
  if (capacity_ > 1) allocator.deallocate(storage_.heap, capacity_);
  storage_.heap = fresh;
  capacity_ = static_cast<std::uint32_t>(capacity);
}

void PropertyList::push_back(Property&& property) {
  if (size_ == capacity_) Reserve(capacity_ * 2);
  std::construct_at(data() + size_, std::move(property));
  ++size_;
}

void PropertyList::insert(std::size_t index, Property property) {
  if (index >= size_) {
    push_back(std::move(property));
    return;
  }
  if (size_ == capacity_) Reserve(capacity_ * 2);
  Property* items = data();
  std::construct_at(items + size_, std::move(items[size_ - 1]));
  for (std::size_t i = size_ - 1; i > index; --i) items[i] = std::move(items[i - 1]);
  items[index] = std::move(property);
  ++size_;
}

void PropertyList::erase(std::size_t index) {
  Property* items = data();
  for (std::size_t i = index; i + 1 < size_; ++i) items[i] = std::move(items[i + 1]);
  std::destroy_at(items + size_ - 1);
  --size_;
}

void PropertyList::clear() {
  ReleaseStorage();
}

}  // namespace vantaro
