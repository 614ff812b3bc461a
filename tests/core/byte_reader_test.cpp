#include "base/byte_reader.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/input_limits.h"

namespace klarvik {

namespace {

struct ShortRead : std::runtime_error {
  using std::runtime_error::runtime_error;
};
[[noreturn]] void Throw(const char* field) { throw ShortRead(field); }

const std::vector<std::uint8_t> kBytes = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};

TEST(ByteReader, ReadsBothByteOrdersAndMovesOnlyWhenReading) {
  ByteReader r(kBytes, Throw);
  EXPECT_EQ(r.Be32At(1, "x"), 0x3456789Au);
  EXPECT_EQ(r.Le32At(1, "x"), 0x9A785634u);
  EXPECT_EQ(r.Position(), 0u);
  EXPECT_EQ(r.Le16("a"), 0x3412u);
  EXPECT_EQ(r.Be16("b"), 0x5678u);
  EXPECT_EQ(r.U8("c"), 0x9Au);
  EXPECT_EQ(r.Remaining(), 1u);
  r.Seek(2, "d");
  EXPECT_EQ(r.Be32("e"), 0x56789ABCu);
  EXPECT_EQ(r.Remaining(), 0u);
  r.Seek(0, "f");
  EXPECT_EQ(r.Le32("g"), 0x78563412u);
  EXPECT_EQ(r.Rest().size(), 2u);
}

TEST(ByteReader, EveryReadPastTheEndFailsNamingItsField) {
  struct Case {
    const char* field;
    void (*read)(ByteReader&, const char*);
  } cases[] = {
      {"le32 at 3", [](ByteReader& r, const char* f) { r.Le32At(3, f); }},
      {"be16 at 5", [](ByteReader& r, const char* f) { r.Be16At(5, f); }},
      {"far position", [](ByteReader& r, const char* f) { r.Le16At(SIZE_MAX - 1, f); }},
      {"take 7", [](ByteReader& r, const char* f) { r.Take(7, f); }},
      {"seek 7", [](ByteReader& r, const char* f) { r.Seek(7, f); }},
      {"be32 after four", [](ByteReader& r, const char* f) { r.Skip(4, "skip"); r.Be32(f); }},
  };
  for (const Case& c : cases) {
    ByteReader r(kBytes, Throw);
    try {
      c.read(r, c.field);
      ADD_FAILURE() << c.field << " read past the end";
    } catch (const ShortRead& e) {
      EXPECT_STREQ(e.what(), c.field);
    }
  }
}

TEST(InputLimits, PicturesAreBoundedBySideAndByPixels) {
  struct Case {
    std::int64_t width, height;
    bool allowed;
  } cases[] = {
      {1, 1, true},           {16384, 4096, true},  {4096, 16384, true},   {16384, 4097, false},
      {16385, 1, false},      {1, 16385, false},    {0, 10, false},        {10, 0, false},
      {-1, -1, false},        {16384, 16384, false}, {2147483647, 2147483647, false},
  };
  for (const Case& c : cases) EXPECT_EQ(PictureSizeAllowed(c.width, c.height), c.allowed) << c.width << " x " << c.height;
}

}  // namespace

}  // namespace klarvik
