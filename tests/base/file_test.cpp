// file_test.cpp: open modes, one-transfer access, temporary files and the
// whole-file operations.
#include "base/file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/file_replacement.h"
#include "base/file_system.h"
#include "base/file_temp.h"
#include "base/pathname.h"
#include "base/status_codes.h"
#include "support/recording_sink.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

class FileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() /
                 ("cbst-file-test-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(directory_);
  }
  void TearDown() override {
    fs::permissions(directory_, fs::perms::owner_all);
    fs::remove_all(directory_);
  }

  std::string Path(const char* name) const { return (directory_ / name).string(); }
  void Make(const char* name, const std::string& content) const {
    std::ofstream(Path(name), std::ios::binary) << content;
  }
  std::string Content(const char* name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  fs::path directory_;
  testing::RecordingSink sink_;
};

TEST_F(FileTest, WritingCreatesAMissingFileWhileReadingFailsWithItsName) {
  File written(Path("new.puz").c_str());
  ASSERT_EQ(written.Open(kOpenWrite).code(), 0);
  EXPECT_GT(written.handle(), 0);
  EXPECT_EQ(written.Write(5, "hello").code(), 0);
  ASSERT_EQ(written.Close().code(), 0);
  EXPECT_EQ(written.handle(), 0);
  EXPECT_EQ(Content("new.puz"), "hello");

  File missing(Path("missing.puz").c_str());
  Status status = missing.Open(kOpenRead);
  EXPECT_EQ(status.code(), kStatusOpenFailed);
  EXPECT_NE(status.text().find(Path("missing.puz")), std::string::npos);
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_EQ(missing.handle(), 0);
  EXPECT_TRUE(sink_.reports.empty());
}

TEST_F(FileTest, AWholeFileThatCannotBeWrittenIsNamedAsItself) {
  const std::uint8_t bytes[] = {1, 2, 3};
  const std::string target = Path("missing/game.sav");
  Status status = WriteWholeFile(target.c_str(), bytes);
  EXPECT_EQ(status.code(), kStatusOpenFailed);
  EXPECT_EQ(status.text(), target + " (Doserr=2)");
  EXPECT_FALSE(fs::exists(directory_ / "missing"));
}

TEST_F(FileTest, CreateTruncatesAndReadOnlyRefusesToWrite) {
  Make("a.sav", "old content");
  File file(Path("a.sav").c_str());
  ASSERT_EQ(file.Open(kOpenWrite).code(), 0);  // no truncation without kOpenCreate
  EXPECT_EQ(file.Size(), 11);
  ASSERT_EQ(file.Open(kOpenWrite | kOpenCreate).code(), 0);
  EXPECT_EQ(file.Size(), 0);
  file.Close().MarkHandled();

  Make("a.sav", "kept");
  ASSERT_EQ(file.Open(kOpenRead).code(), 0);
  EXPECT_EQ(file.Write(3, "new").code(), kStatusWriteFailed);
  file.Close().MarkHandled();
  EXPECT_EQ(Content("a.sav"), "kept");
}

TEST_F(FileTest, TransfersOnAClosedFileOpenAndCloseAgain) {
  const int open_before = File::OpenCount();
  File file(Path("one.bin").c_str());
  EXPECT_EQ(file.Write(3, "abc").code(), 0);
  EXPECT_FALSE(file.IsOpen());
  char buffer[8] = {};
  EXPECT_EQ(file.Read(8, buffer), 3);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(File::OpenCount(), open_before);

  // Read-only files are still read.
  ::chmod(Path("one.bin").c_str(), 0444);
  if (::geteuid() != 0) {
    EXPECT_EQ(file.Read(8, buffer), 3);
  }

  File missing(Path("none.bin").c_str());
  EXPECT_EQ(missing.Read(4, buffer), -1);
  EXPECT_EQ(PendingStatus().code(), kStatusOpenFailed);
  EXPECT_EQ(File::OpenCount(), open_before);
}

TEST_F(FileTest, ExclusiveOpenShutsOthersOut) {
  File first(Path("locked").c_str());
  File second(Path("locked").c_str());
  ASSERT_EQ(first.Open(kOpenWrite | kOpenExclusive).code(), 0);
  EXPECT_EQ(second.Open(kOpenRead | kOpenDenyWrite).code(), kStatusOpenFailed);
  first.Close().MarkHandled();
  EXPECT_EQ(second.Open(kOpenRead | kOpenDenyWrite).code(), 0);
}

TEST_F(FileTest, PositionsAndLength) {
  File file(Path("sized").c_str());
  ASSERT_EQ(file.Open(kOpenWrite | kOpenCreate).code(), 0);
  ASSERT_TRUE(file.Write(10, "0123456789").ok());
  EXPECT_EQ(file.Seek(4), 4);
  EXPECT_EQ(file.SetLength(6).code(), 0);
  EXPECT_EQ(file.Tell(), 4);
  EXPECT_EQ(file.Size(), 6);
  EXPECT_EQ(file.SetLength(100).code(), 0);
  EXPECT_EQ(file.Size(), 100);
  EXPECT_EQ(file.Tell(), 4);
  std::byte bytes[2];
  EXPECT_EQ(file.Read(bytes), 2);
  EXPECT_EQ(static_cast<char>(bytes[1]), '5');
}

TEST_F(FileTest, TemporaryFilesLeaveNothingBehind) {
  std::string name;
  {
    FileTemp temp;
    ASSERT_TRUE(temp.made());
    name = temp.path().Compose().str();
    EXPECT_EQ(temp.path().name.view().substr(0, 3), "tmp");
    EXPECT_TRUE(FileExists(name.c_str()));
    Status written;
    const char text[] = "scratch";
    temp.Write(std::as_bytes(std::span(text)), written);
    EXPECT_EQ(written.code(), 0);
    temp.Seek(0);
    char back[sizeof text] = {};
    EXPECT_EQ(temp.Read(sizeof back, back), static_cast<std::int32_t>(sizeof text));
    EXPECT_STREQ(back, text);
    EXPECT_EQ(temp.Close().code(), 0);
    EXPECT_FALSE(FileExists(name.c_str()));
  }
  {
    FileTemp dropped;
    name = dropped.path().Compose().str();
  }
  EXPECT_FALSE(FileExists(name.c_str()));
}

TEST_F(FileTest, RenameAndCopy) {
  Make("source", "picture bytes");
  const auto old_time = fs::last_write_time(Path("source")) - std::chrono::hours(48);
  fs::last_write_time(Path("source"), old_time);

  EXPECT_EQ(CopyFile(Path("source").c_str(), Path("copy").c_str()).code(), 0);
  EXPECT_EQ(Content("copy"), "picture bytes");
  EXPECT_EQ(fs::last_write_time(Path("copy")), old_time);
  EXPECT_EQ(CopyFile(Path("source").c_str(), Path("copy").c_str(), true).code(), kStatusOpenFailed);

  Status status = RenameFile(Path("nothing").c_str(), Path("other").c_str());
  EXPECT_EQ(status.code(), kStatusRenameFailed);
  EXPECT_EQ(status.text(), Path("nothing") + "->" + Path("other"));
  EXPECT_EQ(RenameFile(Path("copy").c_str(), Path("moved").c_str()).code(), 0);
  EXPECT_TRUE(FileExists(Path("moved").c_str()));
  EXPECT_TRUE(DeleteFile(Path("moved").c_str()));
  EXPECT_FALSE(DeleteFile(Path("moved").c_str()));
  EXPECT_TRUE(sink_.reports.empty());
}

TEST_F(FileTest, CopyingAFileOntoItselfChangesNothing) {
  Make("same", "keep me");
  const std::string roundabout = (directory_ / "." / "same").string();
  Status status = CopyFile(Path("same").c_str(), roundabout.c_str());
  EXPECT_TRUE(status.reported());  // the message was shown already
  EXPECT_EQ(status.code(), kStatusCopyOntoItself);
  EXPECT_EQ(sink_.texts(),
            std::vector<std::string>{"No puede copiarse un archivo sobre si mismo (" +
                                     Path("same") + ")"});
  EXPECT_EQ(Content("same"), "keep me");
}

TEST_F(FileTest, DirectoryFacts) {
  EXPECT_TRUE(IsDirectoryWritable(directory_.string().c_str()));
  EXPECT_TRUE(fs::is_empty(directory_));  // the probe cleaned up
  EXPECT_FALSE(IsDirectoryWritable(Path("no such directory").c_str()));
  if (::geteuid() != 0) {
    fs::permissions(directory_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(IsDirectoryWritable(directory_.string().c_str()));
  }
  EXPECT_EQ(DriveNumber('w'), 23);
  EXPECT_EQ(DriveNumber('A'), 1);
  EXPECT_EQ(DriveNumber('?'), 0);
  EXPECT_GT(FreeDiskSpace(directory_.string().c_str()), 0u);
  // A drive letter stands for the disk of the current folder. Other
  // programs write meanwhile, so the two figures are only close.
  constexpr double kWrittenMeanwhile = 256.0 * 1024 * 1024;
  EXPECT_NEAR(static_cast<double>(FreeDiskSpace("w:")), static_cast<double>(FreeDiskSpace(".")),
              kWrittenMeanwhile);
  EXPECT_EQ(DriveType(Path("no such directory").c_str()), kDriveNoRoot);
  EXPECT_NE(DriveType("/"), kDriveNoRoot);
}

TEST(PathName, SplitsWithEitherSeparatorAndComposesByMask) {
  PathName stored("C:\\Puzzles\\Autumn.leaves.puz");
  EXPECT_EQ(stored.drive, "C:");
  EXPECT_EQ(stored.directory, "\\Puzzles\\");
  EXPECT_EQ(stored.name, "Autumn.leaves");
  EXPECT_EQ(stored.extension, "puz");
  EXPECT_EQ(stored.Compose(kPathName | kPathExtension), "Autumn.leaves.puz");

  PathName path("/home/player/puzzles/dogs.sav");
  EXPECT_EQ(path.Compose(), "/home/player/puzzles/dogs.sav");
  path.directory = "/tmp";
  path.extension = "puz";
  EXPECT_EQ(path.Compose(), "/tmp/dogs.puz");
  EXPECT_EQ(path.Compose(kPathDirectory), "/tmp");
  EXPECT_EQ(path.Compose(kPathName), "dogs");

  PathName bare("README");
  EXPECT_TRUE(bare.directory.empty());
  EXPECT_TRUE(bare.extension.empty());
  EXPECT_EQ(PathName(".hidden").name, ".hidden");
  EXPECT_EQ(FullPathName("/a/b/../c\\d.puz"), "/a/c/d.puz");
}

}  // namespace
}  // namespace cbst
