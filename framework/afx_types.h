// The basic Windows types and constants the framework's interfaces are written in. On Windows
// they are the system's own, from <windows.h>; elsewhere they are defined here, sized as the
// Windows data model sizes them where the plug-in relies on it (DWORD and LONG are 32 bits) and
// as the platform needs where an address must fit (the pointer-sized integers).
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using DWORD_PTR = std::uintptr_t;
using ULONG_PTR = std::uintptr_t;
using LPSTR = char*;
using LPCSTR = const char*;
using LPTSTR = char*;
using LPCTSTR = const char*;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using COLORREF = DWORD;

// Handles as <windows.h> declares them: pointers to distinct types of nothing, which the
// framework's own objects (a window, an icon) derive from.
struct HWND__ {
  int unused;
};
using HWND = HWND__*;

// A loaded module, and the address of one of its exports.
struct HINSTANCE__ {
  int unused;
};
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;
using FARPROC = INT_PTR (*)();

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

// The calling conventions' keyword of the Windows compilers. A 64-bit POSIX system has one
// calling convention, so here it names nothing.
#define __cdecl

// A kernel object's handle, and the value the file calls answer on failure.
using HANDLE = void*;
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
#endif

// An opaque iterator over a framework list or map.
struct __POSITION {};
using POSITION = __POSITION*;
