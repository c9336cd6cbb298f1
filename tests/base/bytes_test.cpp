// bytes_test.cpp: BYTES copying, appending, borrowing and hexadecimal text.
#include "base/bytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "support/recording_sink.h"

namespace cbst {
namespace {

std::vector<std::uint8_t> Contents(const BYTES& buffer) {
  return {buffer.bytes().begin(), buffer.bytes().end()};
}

TEST(Bytes, CopyIntoAFixedBlockNeverOverflowsIt) {
  testing::RecordingSink sink;
  BYTES fixed = BYTES::Make(4);
  EXPECT_TRUE(fixed.Copy("abc"));
  EXPECT_FALSE(fixed.Copy("abcd"));
  EXPECT_EQ(sink.texts(), std::vector<std::string>{"BYTES::memcpy ovflw"});
  EXPECT_STREQ(reinterpret_cast<const char*>(fixed.data()), "abc");
  EXPECT_EQ(fixed.length(), 4);
  EXPECT_TRUE(fixed.Copy("a"));
  EXPECT_EQ(fixed.capacity(), 4);

  BYTES sized;
  sized.Copy("hello");
  EXPECT_EQ(sized.capacity(), 6);
  sized.Copy(sized.data() + 3, 3);  // from its own, replaced, block
  EXPECT_EQ(sized.capacity(), 3);
  EXPECT_STREQ(reinterpret_cast<const char*>(sized.data()), "lo");
  EXPECT_EQ(sink.reports.size(), 1u);
}

TEST(Bytes, AddGrowsByExactlyWhatIsNeeded) {
  BYTES buffer;
  EXPECT_TRUE(buffer.Add("\x01\x02\x03", 3));
  EXPECT_EQ(buffer.capacity(), 3);
  EXPECT_TRUE(buffer.Add(buffer.data(), 2));
  EXPECT_EQ(buffer.capacity(), 5);
  EXPECT_EQ(Contents(buffer), (std::vector<std::uint8_t>{1, 2, 3, 1, 2}));
  buffer.Add(nullptr, 1);
  EXPECT_EQ(Contents(buffer).back(), 0);

  BYTES roomy = BYTES::Make(8);
  roomy.Add("xy", 2);
  EXPECT_EQ(roomy.capacity(), 8);
  roomy.Fill(0x7F);
  EXPECT_EQ(Contents(roomy), std::vector<std::uint8_t>(8, 0x7F));
}

TEST(Bytes, BorrowedMemoryIsWrittenInPlaceButCannotGrow) {
  testing::RecordingSink sink;
  std::uint8_t memory[4] = {};
  BYTES view = BYTES::View(memory, 0, sizeof memory);
  EXPECT_TRUE(view.Add("\x0A\x0B\x0C\x0D", 4));
  EXPECT_EQ(memory[3], 0x0D);
  EXPECT_FALSE(view.Add("\x0E", 1));
  EXPECT_FALSE(view.Copy("12345"));
  EXPECT_EQ(sink.texts(),
            (std::vector<std::string>{"BYTES::Add lnalloc=0", "BYTES::memcpy ovflw"}));
  EXPECT_EQ(view.length(), 4);

  // A copy has bytes of its own; the view still writes to the memory.
  BYTES copy = view;
  copy.Fill(0);
  EXPECT_TRUE(copy.fixed());
  EXPECT_EQ(memory[0], 0x0A);
  BYTES moved = std::move(view);
  EXPECT_FALSE(view.data());
  moved.Release();
  EXPECT_EQ(memory[0], 0x0A);
}

TEST(Bytes, HexTextRoundTrip) {
  BYTES buffer;
  EXPECT_EQ(buffer.FromHex("0A1bFF"), 3u);
  EXPECT_EQ(Contents(buffer), (std::vector<std::uint8_t>{0x0A, 0x1B, 0xFF}));
  EXPECT_EQ(buffer.ToHex(), "0A1BFF");
  EXPECT_EQ(buffer.FromHex("ABC"), 2u);
  EXPECT_EQ(buffer.ToHex(), "AB0C");
  EXPECT_EQ(buffer.FromHex("12zz34"), 1u);
  EXPECT_EQ(buffer.ToHex(), "12");
  EXPECT_EQ(buffer.FromHex(""), 0u);
  EXPECT_EQ(buffer.ToHex(), "");
}

}  // namespace
}  // namespace cbst
