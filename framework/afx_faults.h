// Faults a test can inject into the stand-in framework, to see that its callers survive them.
// Not part of the framework the plug-in builds against.
#pragma once

#include <cstddef>

namespace afx_faults {

// Reads and writes through CStdioFile fail, with a hard I/O or disk-full error, once `bytes`
// more bytes have passed; the failing write stores the bytes that still fit.
void FailFileIoAfter(std::size_t bytes);
void ClearFileFaults();

}  // namespace afx_faults
