#pragma once

#include <cstddef>
#include <memory>

namespace velmora {

// Frees memory from allocate_large_array.
struct LargeArrayDeleter {
  void operator()(void* memory) const;
};

template <class T>
using LargeArray = std::unique_ptr<T[], LargeArrayDeleter>;

// Uninitialised memory for `count` objects of trivial type T. A large array
// is asked for in huge pages where the system offers them: filling a
// dictionary's tens of megabytes page by page otherwise costs a page fault
// every 4 KiB, which on a virtual machine is most of the load time.
void* allocate_large_bytes(std::size_t bytes);

template <class T>
LargeArray<T> allocate_large_array(std::size_t count) {
  return LargeArray<T>(static_cast<T*>(allocate_large_bytes(count * sizeof(T))));
}

}  // namespace velmora
