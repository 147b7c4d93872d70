#include "common/decimal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

TEST(Decimal, NumbersReadAsTheCLibraryReadsThemClampedTo32Bits) {
  const char* const texts[] = {"0",
                               "7",
                               "123456789",
                               "1234567890",
                               "0000000012",
                               "2147483647",
                               "2147483648",
                               "4294967295",
                               "99999999999",
                               "-5",
                               "+5",
                               " 12",
                               "\t-2147483649",
                               "12ab",
                               "7,8",
                               "",
                               "x",
                               "-",
                               "000000000x",
                               "12 "};
  for (const char* text : texts) {
    char* stop = nullptr;
    const long expected = std::clamp<long>(std::strtol(text, &stop, 10), INT_MIN, INT_MAX);
    const char* end = nullptr;
    EXPECT_EQ(ReadDecimal(text, &end), expected) << '"' << text << '"';
    EXPECT_EQ(end, stop) << '"' << text << '"';
    EXPECT_EQ(ReadDecimal(text), expected) << '"' << text << '"';
  }
}

TEST(Decimal, AFormatWithOneNumberWritesWhatFormatWrites) {
  constexpr DecimalFormat pact("Pact(%d)");
  constexpr DecimalFormat bare("%d");
  constexpr DecimalFormat wordy(
      "A text longer than any table cell the plug-in writes, number %d, and then some more");
  const int values[] = {0, 7, -1, 20, INT_MAX, INT_MIN};
  for (const int value : values) {
    CString expected, text = "old";
    expected.Format("Pact(%d)", value);
    pact.Format(text, value);
    EXPECT_EQ(text, expected);
    expected.Format("%d", value);
    bare.Format(text, value);
    EXPECT_EQ(text, expected);
    expected.Format(
        "A text longer than any table cell the plug-in writes, number %d, and then some more",
        value);
    wordy.Format(text, value);
    EXPECT_EQ(text, expected);
  }
}
