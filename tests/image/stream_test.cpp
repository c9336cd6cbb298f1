// stream_test.cpp: the stream registry, memory, file and Dib streams, and the
// stdio-shaped access the codec uses.
#include "image/stream.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "base/file_temp.h"
#include "gfx/dib.h"
#include "image/stream_stdio.h"
#include "support/recording_sink.h"

namespace cbst {
namespace {

TEST(Stream, EveryLiveStreamIsRegisteredUntilDestroyed) {
  ASSERT_EQ(StreamRegistry().count(), 0);
  DynArray bytes(0, 64, 1);
  Dib dib;
  {
    MemStream memory(bytes);
    DibTarget target(dib);
    EXPECT_EQ(StreamRegistry().count(), 2);
    EXPECT_TRUE(IsRegisteredStream(&memory));
    EXPECT_TRUE(IsRegisteredStream(&target));
    EXPECT_EQ(target.TargetDib(), &dib);
    EXPECT_EQ(memory.TargetDib(), nullptr);
  }
  EXPECT_EQ(StreamRegistry().count(), 0);
  EXPECT_FALSE(IsRegisteredStream(&bytes));
}

TEST(Stream, MemoryStreamReadsBackWhatWasAppended) {
  DynArray bytes(0, 16, 1);
  MemStream stream(bytes);
  EXPECT_EQ(StreamWrite("abcdef", 1, 6, &stream), 6u);
  EXPECT_EQ(StreamPutByte('g', &stream), 'g');
  EXPECT_EQ(bytes.count(), 7);

  stream.PrepareForReading();
  EXPECT_TRUE(bytes.flags() & kArrayGrowthReturnsError);
  char buffer[8] = {};
  EXPECT_EQ(StreamRead(buffer, 1, 4, &stream), 4u);
  EXPECT_EQ(std::string(buffer, 4), "abcd");
  // As with fread, 3 bytes left make one whole item of 2, and all 3 are read.
  EXPECT_EQ(StreamRead(buffer, 2, 4, &stream), 1u);
  EXPECT_EQ(std::string(buffer, 3), "efg");
  EXPECT_EQ(StreamRead(buffer, 1, 4, &stream), 0u);
  EXPECT_EQ(StreamFlush(&stream), 0);
  EXPECT_EQ(StreamError(&stream), 0);
}

TEST(Stream, OnlyFileStreamsSeek) {
  testing::RecordingSink sink;
  DynArray bytes(0, 16, 1);
  MemStream memory(bytes);
  memory.Write(4, "wxyz");
  EXPECT_NE(StreamSeek(&memory, 2), 0);
  ASSERT_EQ(sink.texts(), std::vector<std::string>{kStreamSeekMessage});
  EXPECT_EQ(sink.reports[0].kind, ReportKind::kUnexpected);
  char first = 0;
  memory.Read(1, &first);
  EXPECT_EQ(first, 'w');  // the position did not move

  FileTemp file;
  ASSERT_TRUE(file.made());
  FileStream stream(file);
  EXPECT_EQ(stream.Write(5, "12345"), 5);
  EXPECT_EQ(StreamSeek(&stream, 1), 0);
  char buffer[3] = {};
  EXPECT_EQ(stream.Read(3, buffer), 3);
  EXPECT_EQ(std::string(buffer, 3), "234");
  EXPECT_EQ(sink.reports.size(), 1u);
}

TEST(Stream, WritesToAClosedFileFail) {
  testing::RecordingSink sink;
  File file("/nonexistent-directory/picture.bin");
  FileStream stream(file);
  EXPECT_EQ(stream.Write(3, "abc"), 0);
  EXPECT_EQ(stream.Read(3, nullptr), 0);
}

TEST(Stream, TemporaryStreamsDeleteTheirFileOnClose) {
  void* stream = StreamTemporary();
  ASSERT_NE(stream, nullptr);
  auto* rxio = static_cast<RXIO*>(stream);
  std::string path = static_cast<FileStream*>(rxio)->file().FullName().c_str();
  EXPECT_EQ(StreamPutByte('1', stream), '1');
  EXPECT_EQ(StreamSeek(stream, 0), 0);
  char byte = 0;
  EXPECT_EQ(StreamRead(&byte, 1, 1, stream), 1u);
  EXPECT_EQ(byte, '1');
  StreamClose(stream);
  EXPECT_EQ(StreamRegistry().count(), 0);
  EXPECT_EQ(std::fopen(path.c_str(), "rb"), nullptr);
}

TEST(Stream, OtherPointersAreFiles) {
  testing::RecordingSink sink;
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(StreamWrite("hello", 1, 5, file), 5u);
  EXPECT_EQ(StreamPutByte('!', file), '!');
  EXPECT_EQ(StreamFlush(file), 0);
  EXPECT_EQ(StreamSeek(file, 4), 0);
  char buffer[2] = {};
  EXPECT_EQ(StreamRead(buffer, 1, 2, file), 2u);
  EXPECT_EQ(std::string(buffer, 2), "o!");
  EXPECT_EQ(StreamError(file), 0);
  // Only temporary streams may be closed here.
  StreamClose(file);
  EXPECT_EQ(sink.texts(), std::vector<std::string>{kStreamNotRegisteredMessage});
  std::fclose(file);
}

}  // namespace
}  // namespace cbst
