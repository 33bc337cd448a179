#pragma once

#include <cstddef>

namespace vantaro {

// Keeps a file mapping from killing the process when the file shrinks under
// it: touching a page past the file's new end raises SIGBUS, which the guard
// answers by putting zero-filled memory in place of the rest of the mapping
// and marking it cut. Faults outside guarded mappings go to the handler that
// was there before.

// Returns the mapping's slot, or -1 when every slot is taken (the mapping is
// then simply unguarded).
int GuardMapping(const void* begin, std::size_t size);
// Whether the file shrank under the mapping since it was guarded.
bool MappingWasCut(int slot);
// Before the mapping goes.
void UnguardMapping(int slot);

}  // namespace vantaro
