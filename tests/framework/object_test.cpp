#include <gtest/gtest.h>

#include <cstddef>
#include <limits>

#include "afx_standin.h"

TEST(CObject, MemoryThatCannotBeHadIsReportedByTheFrameworksMemoryException) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the address sanitizer ends the program at an allocation this large";
#endif
  // The exception needs no memory of its own, so Delete() leaves it for the next failure.
  for (int attempt = 0; attempt < 2; ++attempt) {
    CMemoryException* caught = nullptr;
    try {
      CObject::operator new((std::numeric_limits<std::size_t>::max)());
    } catch (CMemoryException* error) {
      caught = error;
      error->Delete();
    }
    ASSERT_NE(caught, nullptr) << "attempt " << attempt;
  }
}
