#pragma once
#include <cstddef>

namespace qv::bench {

// The program's heap as operator new sees it: bytes in use now and the most since the last
// reset. Counted by the replacement operators in HeapCounter.cpp.
size_t HeapInUse();
size_t HeapPeak();
void ResetHeapPeak();

}  // namespace qv::bench
