// What the fuzz targets make of their input: the texts the host and the person hand the
// plug-in (names, turns, counts, long and odd texts), each drawn from the input's bytes, so
// that one input always plays out the same way.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Lists the host hands over ("Count" of a selection, a list of races or games, the stored
// dictionary's size) stay under this bound: the host's contract makes the plug-in walk them,
// and how long they are is the host's business.
inline constexpr int kHostCountBound = 10000;

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : provider_(data, size) {}

  bool Exhausted() { return provider_.remaining_bytes() == 0; }
  // A number from 0 to count - 1.
  int Pick(int count);
  bool Coin() { return provider_.ConsumeBool(); }
  // Any bytes, zero bytes included, at most `longest`.
  std::string Bytes(std::size_t longest) { return provider_.ConsumeRandomLengthString(longest); }

  // A game or race name: a usual one, or one with "%", "/", ",", "@", blanks or control bytes.
  std::string Name();
  // A turn or other number as text: usual, empty, huge, negative, signed, spaced, not a number.
  std::string Number();
  // A count as the host writes it, its value within the bound.
  std::string Count();
  // Any of the above, a long text, or plain bytes.
  std::string Text();

 private:
  FuzzedDataProvider provider_;
};

// A fresh folder for a target's files, in memory where the system offers one (/dev/shm), so
// that the store's syncs to the disk do not slow the fuzzing down.
std::string ScratchFolder();

}  // namespace fuzz
