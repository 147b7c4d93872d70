// Faults a test can inject into the stand-in framework's file layer, to see that its callers
// survive them. Each injected failure fails the way the system's own would and leaves what such
// a failure leaves. Not part of the framework the plug-in builds against.
#pragma once

#include <cstddef>

namespace afx_faults {

// The file calls that can be made to fail, and what a failing one does.
enum class FileCall {
  open,    // CStdioFile::Open answers FALSE; nothing is created or truncated
  write,   // CStdioFile::WriteString stores nothing and throws (disk full)
  flush,   // CStdioFile::Flush: the buffered bytes stay buffered; throws (disk full)
  sync,    // CStdioFile::Flush: the bytes reached the file but not the disk; throws (hard I/O)
  close,   // CStdioFile::Close closes the file, then throws (disk full)
  rename,  // MoveFileExA moves nothing and answers FALSE; not on Windows, whose own is called
};

// The `nth` call of `call` from now on fails (1: the next one); the others succeed.
void FailFileCall(FileCall call, int nth = 1);
// How many calls of `call` were made since faults were last cleared.
int FileCallCount(FileCall call);

// Reads and writes through CStdioFile fail, with a hard I/O or disk-full error, once `bytes`
// more bytes have passed; the failing write stores the bytes that still fit.
void FailFileIoAfter(std::size_t bytes);
// Removes every injected fault and starts the call counts again.
void ClearFileFaults();

}  // namespace afx_faults
