#pragma once
// Heap allocations made so far by this program, counted by a replacement of the global
// operator new (link counting_new.cpp into the program).

#include <cstddef>

namespace velunta::holidays::testing {

std::size_t HeapAllocations() noexcept;

}  // namespace velunta::holidays::testing
