#include "record_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vantaro::fuzz::ReadWriteRead(vantaro::RecordFormat::Gos, data, size);
  return 0;
}
