#include "runtime/large_array.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace velmora {
namespace {

constexpr std::size_t kHugePage = 2 * 1024 * 1024;

}  // namespace

void* allocate_large_bytes(std::size_t bytes) {
  if (bytes < 2 * kHugePage) {
    void* memory = std::malloc(bytes == 0 ? 1 : bytes);
    if (memory == nullptr) throw std::bad_alloc();
    return memory;
  }
  const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* memory = std::aligned_alloc(kHugePage, rounded);
  if (memory == nullptr) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  ::madvise(memory, rounded, MADV_HUGEPAGE);  // only advice: failure changes nothing
#endif
  return memory;
}

void LargeArrayDeleter::operator()(void* memory) const { std::free(memory); }

}  // namespace velmora
