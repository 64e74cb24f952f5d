#pragma once
// What a lookup the test goes on with must have found: a miss fails the test at the caller's line
// and ends it (GoogleTest reports the exception and runs the next test), where a dereference of
// null would kill the whole test program and leave the other tests unreported.

#include <gtest/gtest.h>

#include <source_location>
#include <stdexcept>
#include <type_traits>

template <class Pointer>
decltype(auto) Found(Pointer&& found, std::source_location at = std::source_location::current()) {
  if (!found) {
    ADD_FAILURE_AT(at.file_name(), static_cast<int>(at.line())) << "the lookup found nothing";
    throw std::runtime_error("a lookup the test needs found nothing");
  }
  if constexpr (std::is_pointer_v<std::remove_reference_t<Pointer>>) {
    return *found;
  } else {
    return *found.operator->();  // a handle may have no operator*
  }
}
