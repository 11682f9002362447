#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/stream.h"
#include "platform/text.h"

namespace {

namespace fs = std::filesystem;

struct TempDir {
  fs::path path = fs::temp_directory_path() / ("skitterworm-test-" + std::to_string(::getpid()) + "-" +
                                               std::to_string(reinterpret_cast<uintptr_t>(this)));
  TempDir() { fs::create_directories(path); }
  ~TempDir() { fs::remove_all(path); }
  std::string operator/(const std::string& name) const { return (path / name).string(); }
};

TEST(Text, ParseIntReadsDecimalHexAndBinary) {
  EXPECT_EQ(ParseInt("42"), 42);
  EXPECT_EQ(ParseInt("  -17xyz"), -17);
  EXPECT_EQ(ParseInt("+8"), 8);
  EXPECT_EQ(ParseInt("$ff"), 255);
  EXPECT_EQ(ParseInt("$7F"), 127);
  EXPECT_EQ(ParseInt("$G1"), 0);
  EXPECT_EQ(ParseInt("%101"), 5);
  EXPECT_EQ(ParseInt("%102"), 2);
  EXPECT_EQ(ParseInt(""), 0);
  EXPECT_EQ(ParseInt("abc"), 0);
  EXPECT_EQ(ParseInt("-$10"), -16);
}

TEST(Text, FloatTextUsesNineSignificantDigitsWithPoint) {
  EXPECT_EQ(FloatText(1.0), "1.00000000");
  EXPECT_EQ(Left(FloatText(3.0), 4), "3.00");
  EXPECT_EQ(Left(FloatText(2.5), 4), "2.50");
}

TEST(Text, SlicesTrimCaseAndHex) {
  EXPECT_EQ(Left("abcdef", 2), "ab");
  EXPECT_EQ(Left("ab", 5), "ab");
  EXPECT_EQ(Right("abcdef", 2), "ef");
  EXPECT_EQ(Right("ab", 0), "");
  EXPECT_EQ(Mid("abcdef", 3, 2), "cd");
  EXPECT_EQ(Mid("abcdef", 5), "ef");
  EXPECT_EQ(Mid("abc", 9, 2), "");
  EXPECT_EQ(Trim("\t  name \r\n"), "name");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Lower("MiXeD 123 ÄB"), "mixed 123 Äb");
  EXPECT_EQ(Hex8(255), "000000FF");
  EXPECT_EQ(Hex8(0xDEADBEEF), "DEADBEEF");
  EXPECT_EQ(Chr(65), "A");
}

TEST(Stream, ValuesRoundTripLittleEndian) {
  TempDir dir;
  const std::string file = dir / "values.bin";
  {
    auto out = Stream::OpenWrite(file);
    ASSERT_TRUE(out);
    out->WriteLine("1.2.0");
    out->WriteByte(200);
    out->WriteShort(0xBEEF);
    out->WriteInt(-123456789);
    out->WriteFloat(3.25f);
    ASSERT_TRUE(out->Close());
  }
  EXPECT_EQ(fs::file_size(file), 7u + 1 + 2 + 4 + 4);
  std::ifstream raw(file, std::ios::binary);
  char bytes[9];
  raw.read(bytes, 9);
  EXPECT_EQ(std::string(bytes, 7), "1.2.0\r\n");
  EXPECT_EQ(uint8_t(bytes[8]), 0xEF);  // low byte of the short first

  auto in = Stream::OpenRead(file);
  ASSERT_TRUE(in);
  EXPECT_EQ(in->ReadLine(16), "1.2.0");
  EXPECT_EQ(in->ReadByte(), 200);
  EXPECT_EQ(in->ReadShort(), 0xBEEF);
  EXPECT_EQ(in->ReadInt(), -123456789);
  EXPECT_EQ(in->ReadFloat(), 3.25f);
  EXPECT_FALSE(in->eof());
  EXPECT_EQ(in->ReadByte(), 0);
  EXPECT_TRUE(in->eof());
}

TEST(Stream, TruncatedReadsGiveZeroAndNeverPassTheEnd) {
  TempDir dir;
  const std::string file = dir / "short.bin";
  std::ofstream(file, std::ios::binary) << "ab";
  auto in = Stream::OpenRead(file);
  ASSERT_TRUE(in);
  EXPECT_EQ(in->ReadInt(), 0);
  EXPECT_TRUE(in->eof());
  EXPECT_EQ(in->ReadLine(16), "");
  EXPECT_FALSE(Stream::OpenRead(dir / "missing.bin"));
}

TEST(Stream, LinesEndAtLineFeedAndDropCarriageReturnWithinTheirBound) {
  TempDir dir;
  const std::string file = dir / "lines.txt";
  std::ofstream(file, std::ios::binary) << "one\r\ntwo\nlong line\nfive";
  auto in = Stream::OpenRead(file);
  EXPECT_EQ(in->ReadLine(3), "one");
  EXPECT_EQ(in->ReadLine(3), "two");
  EXPECT_FALSE(in->overlong());
  in->ReadLine(3);  // read no further than a CR LF past its bound
  EXPECT_TRUE(in->overlong());
  EXPECT_EQ(in->ReadLine(16), "line");
  EXPECT_EQ(in->ReadLine(16), "five");
  EXPECT_TRUE(in->eof());
}

TEST(Files, TypesListingDeletionAndExtensions) {
  TempDir dir;
  std::ofstream(dir / "a.png") << "x";
  fs::create_directories(dir.path / "sub.dir");
  EXPECT_EQ(FileType(dir / "a.png"), FileKind::kFile);
  EXPECT_EQ(FileType(dir / "sub.dir"), FileKind::kDirectory);
  EXPECT_EQ(FileType(dir / "none"), FileKind::kNone);
  auto names = ReadDirectory(dir.path.string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.png", "sub.dir"}));
  EXPECT_TRUE(DeleteFile(dir / "a.png"));
  EXPECT_TRUE(DeleteFile(dir / "never-there"));
  EXPECT_EQ(ExtractExt("music/track.XM"), "XM");
  EXPECT_EQ(ExtractExt("sub.dir/file"), "");
  EXPECT_EQ(ExtractExt("noext"), "");
  EXPECT_EQ(ExtractExt("a.b.ogg"), "ogg");
}

TEST(Files, AtomicWriteReplacesOnlyOnSuccess) {
  TempDir dir;
  const std::string file = dir / "data.bin";
  ASSERT_TRUE(WriteFileAtomically(file, [](Stream& s) { s.WriteInt(1); }));
  EXPECT_EQ(fs::file_size(file), 4u);
  ASSERT_TRUE(WriteFileAtomically(file, [](Stream& s) { s.WriteLine("hello"); }));
  EXPECT_EQ(fs::file_size(file), 7u);
  EXPECT_FALSE(fs::exists(file + ".tmp"));

  // A folder that cannot be written keeps the old file untouched.
  const std::string locked = dir / "locked";
  fs::create_directories(locked);
  std::ofstream(locked + "/data.bin") << "old";
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  const bool written = WriteFileAtomically(locked + "/data.bin", [](Stream& s) { s.WriteLine("new"); });
  fs::permissions(locked, fs::perms::owner_all);
  if (::geteuid() != 0) {  // root writes anywhere, so only a normal user sees the refusal
    EXPECT_FALSE(written);
    std::ifstream in(locked + "/data.bin");
    std::string content;
    in >> content;
    EXPECT_EQ(content, "old");
  }
}

TEST(Files, SavesWriteThroughALinkAndAroundAForeignTemporaryName) {
  TempDir dir;
  fs::create_directories(dir / "real");
  const std::string link = dir / "data.bin";
  fs::create_symlink("real/target.bin", link);
  // Another program's file (here a folder) where a fixed temporary name would go.
  fs::create_directories(link + ".tmp");
  fs::create_directories(dir / "real/target.bin.tmp");
  ASSERT_TRUE(WriteFileAtomically(link, [](Stream& s) { s.WriteInt(7); }));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::file_size(dir / "real/target.bin"), 4u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path / "real"), fs::directory_iterator()), 2)
      << "no temporary file is left";
}

TEST(Files, AStreamReportsAFullDisk) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  // A full disk makes the write fail at the flush; the stream must report it,
  // because the atomic save relies on that to keep the old file.
  auto out = Stream::OpenWrite("/dev/full");
  ASSERT_TRUE(out);
  std::string big(1 << 16, 'x');
  out->WriteBytes(big.data(), big.size());
  EXPECT_FALSE(out->Close());
}

}  // namespace
