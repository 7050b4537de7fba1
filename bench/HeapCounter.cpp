// Replacement global allocation operators that count the bytes in use, for the memory figures of
// the benchmarks.
#include <atomic>
#include <cstdlib>
#include <new>

#include "bench/HeapCounter.h"

namespace {

std::atomic<size_t> inUse{0};
std::atomic<size_t> peak{0};
constexpr size_t kHeader = alignof(std::max_align_t);

void* Allocate(size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr)
        throw std::bad_alloc();
    *reinterpret_cast<size_t*>(block) = size;
    size_t now = inUse.fetch_add(size) + size;
    size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return block + kHeader;
}

void Release(void* p) {
    if (p == nullptr)
        return;
    auto* block = static_cast<unsigned char*>(p) - kHeader;
    inUse.fetch_sub(*reinterpret_cast<size_t*>(block));
    std::free(block);
}

}  // namespace

void* operator new(size_t size) {
    return Allocate(size);
}
void* operator new[](size_t size) {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, size_t) noexcept {
    Release(p);
}

namespace qv::bench {

size_t HeapInUse() {
    return inUse.load();
}
size_t HeapPeak() {
    return peak.load();
}
void ResetHeapPeak() {
    peak.store(inUse.load());
}

}  // namespace qv::bench
