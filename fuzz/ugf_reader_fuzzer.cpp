#include "record_fuzzing.h"

// The first byte chooses between the two row conventions.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  vantaro::fuzz::ReadWriteRead(
      data[0] % 2 ? vantaro::RecordFormat::Ugi : vantaro::RecordFormat::Ugf, data, size);
  return 0;
}
