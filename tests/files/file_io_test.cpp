#include "files/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <fstream>
#include <set>
#include <thread>

#include "support/child_process.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

using SaveFunction = FileWriteResult (*)(const fs::path&, std::span<const std::uint8_t>);
FileWriteResult SaveAnyWay(const fs::path& path, std::span<const std::uint8_t> bytes) {
  return WriteFileAtomically(path, bytes);
}
// Both ways a save can go: through an anonymous file, and the fallback through a named one.
const std::pair<const char*, SaveFunction> kSaveWays[] = {
    {"anonymous file", SaveAnyWay},
    {"named file", WriteFileAtomicallyThroughNamedFile},
};

Bytes Pattern(std::size_t size, std::uint8_t seed) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
  return bytes;
}

class FileIoTest : public testing::Test {
 protected:
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_.Path()))
      names.insert(entry.path().filename().string());
    return names;
  }

  TempFolder folder_;
};

TEST_F(FileIoTest, AtomicWriteReplacesALongerFileCompletely) {
  const fs::path file = folder_ / "book.cb";
  for (const auto& [way, save] : kSaveWays) {
    ASSERT_TRUE(save(file, Pattern(100, 1))) << way;
    ASSERT_TRUE(save(file, Pattern(5, 2))) << way;
    EXPECT_EQ(ReadWholeFile(file, 1000), Pattern(5, 2)) << way;
    EXPECT_EQ(Names(), std::set<std::string>{"book.cb"}) << way << ": no temporary file is left behind";
  }
}

// What a killed save left is removed by the next save of that name; the hidden file of a save
// still going (it holds the lock) and the hidden files of other names stay.
TEST_F(FileIoTest, ALeftoverOfAKilledSaveIsRemovedByTheNextSave) {
  const fs::path file = folder_ / "a.dat";
  const std::string killed = TemporaryNameFor("a.dat", "0123456789abcdef", 255);
  const std::string going = TemporaryNameFor("a.dat", "fedcba9876543210", 255);
  const std::string otherName = TemporaryNameFor("b.dat", "0123456789abcdef", 255);
  for (const auto& [way, save] : kSaveWays) {
    WriteFileBytes(folder_ / killed, "half a save");
    WriteFileBytes(folder_ / ".a.dat.hvt-tmp", "half a save of an earlier version");
    WriteFileBytes(folder_ / otherName, "half a save of another file");
    WriteFileBytes(folder_ / going, "a save still going");
    const int held = ::open((folder_ / going).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    ASSERT_TRUE(save(file, Pattern(50, 3))) << way;
    EXPECT_EQ(Names(), (std::set<std::string>{"a.dat", going, otherName})) << way;
    EXPECT_EQ(FileBytes(file), Pattern(50, 3)) << way;
    ::close(held);  // the save still going ends without renaming: killed after all
    ASSERT_TRUE(save(file, Pattern(50, 4))) << way;
    EXPECT_EQ(Names(), (std::set<std::string>{"a.dat", otherName})) << way;
    fs::remove(folder_ / otherName);
  }
  EXPECT_TRUE(IsTemporaryNameFor(killed, "a.dat", 255));
  EXPECT_FALSE(IsTemporaryNameFor(killed, "a.da", 255));
  EXPECT_FALSE(IsTemporaryNameFor(".a.dat.0123456789abcdeX.hvt-tmp", "a.dat", 255));
  EXPECT_FALSE(IsTemporaryNameFor(".a.dat.0123.hvt-tmp", "a.dat", 255));
}

// Saves of one file at the same time, from threads and from processes, all succeed; the file is
// then one of the contents whole, and no hidden file is left.
TEST_F(FileIoTest, SavesOfOneFileAtTheSameTimeAllSucceed) {
  const fs::path file = folder_ / "a.dat";
  constexpr int kSavers = 4;
  constexpr int kRounds = 25;
  std::vector<Bytes> contents;
  for (int i = 0; i < kSavers; ++i) contents.push_back(Pattern(45755, static_cast<std::uint8_t>(i * 31 + 1)));
  const auto isOneWhole = [&](const Bytes& bytes) {
    return std::find(contents.begin(), contents.end(), bytes) != contents.end();
  };
  for (const auto& [way, save] : kSaveWays) {
    std::atomic<int> failed{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < kSavers; ++i) {
      threads.emplace_back([&, i, save = save] {
        for (int round = 0; round < kRounds; ++round) {
          if (!save(file, contents[static_cast<std::size_t>(i)])) ++failed;
        }
      });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(failed, 0) << way << " in threads";
    EXPECT_TRUE(isOneWhole(FileBytes(file))) << way;
    EXPECT_EQ(Names(), std::set<std::string>{"a.dat"}) << way;

    std::vector<pid_t> children;
    for (int i = 0; i < kSavers; ++i) {
      const pid_t child = ::fork();
      if (child == 0) {
        int failures = 0;
        for (int round = 0; round < kRounds; ++round) {
          if (!save(file, contents[static_cast<std::size_t>(i)])) ++failures;
        }
        ::_exit(failures == 0 ? 0 : 1);
      }
      children.push_back(child);
    }
    for (const pid_t child : children) {
      int status = 0;
      ASSERT_EQ(::waitpid(child, &status, 0), child);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << way << " in processes";
    }
    EXPECT_TRUE(isOneWhole(FileBytes(file))) << way;
    EXPECT_EQ(Names(), std::set<std::string>{"a.dat"}) << way;
  }
}

TEST_F(FileIoTest, RefusedTargetsAreNamedWithTheReasonAndLeftAlone) {
  fs::create_directories(folder_ / "target" / "inside");
  ::mkfifo((folder_ / "pipe").c_str(), 0644);
  fs::create_symlink("loop-b", folder_ / "loop-a");
  fs::create_symlink("loop-a", folder_ / "loop-b");
  struct Case {
    fs::path Target;
    std::string Reason;
  };
  const Case cases[] = {
      {folder_ / "target", "Is a directory"},
      {folder_ / "missing" / "file", "No such file or directory"},
      {folder_ / "pipe", "not a regular file"},
      {"/dev/null", "not a regular file"},
      {"/dev/full", "not a regular file"},
      {"/proc/version", "not a regular file"},
      {folder_ / "loop-a", "Too many levels of symbolic links"},
      {folder_ / std::string(256, 'n'), "File name too long"},
  };
  const std::set<std::string> before = Names();
  for (const auto& [way, save] : kSaveWays) {
    for (const Case& c : cases) {
      const FileWriteResult result = save(c.Target, Pattern(10, 4));
      ASSERT_FALSE(result) << way << " " << c.Target;
      EXPECT_EQ(result.Detail(), c.Target.string() + ": " + c.Reason) << way;
    }
  }
  EXPECT_TRUE(fs::is_directory(folder_ / "target" / "inside"));
  EXPECT_TRUE(fs::is_fifo(folder_ / "pipe"));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
  EXPECT_EQ(Names(), before);
}

TEST_F(FileIoTest, ReadSaysWhyItRefusesAFile) {
  const fs::path file = folder_ / "data";
  ASSERT_TRUE(WriteFileAtomically(file, std::string(10, 'x')));
  ::mkfifo((folder_ / "pipe").c_str(), 0644);
  EXPECT_TRUE(ReadWholeFile(file, 10).has_value());
  struct Case {
    fs::path Path;
    std::uintmax_t Limit;
    std::string Detail;
  };
  const Case cases[] = {
      {file, 9, file.string() + ": 10 bytes, more than the 9 allowed"},
      {folder_.Path(), 100, folder_.Path().string() + ": Is a directory"},
      {folder_ / "absent", 100, (folder_ / "absent").string() + ": No such file or directory"},
      {folder_ / "pipe", 100, (folder_ / "pipe").string() + ": not a regular file"},  // and it does not block
      {"/dev/zero", 100, "/dev/zero: not a regular file"},
  };
  for (const Case& c : cases) {
    const FileReadResult read = ReadWholeFile(c.Path, c.Limit);
    EXPECT_FALSE(read.has_value()) << c.Path;
    EXPECT_EQ(read.Detail(), c.Detail);
  }
  EXPECT_EQ(ReadWholeFile(file, 9).Failure()->SizeFound, 10U);
}

TEST_F(FileIoTest, SavedFileKeepsThePermissionsAndOwnerOfTheFileItReplaces) {
  const mode_t oldMask = ::umask(022);
  struct Case {
    const char* What;
    std::optional<mode_t> Existing;  // none: a new file
    mode_t Expected;
  };
  const Case cases[] = {
      {"private", 0600, 0600},
      {"group readable", 0640, 0640},
      {"executable", 0755, 0755},
      {"read-only", 0444, 0444},
      {"new file under umask 022", std::nullopt, 0644},
  };
  for (const auto& [way, save] : kSaveWays) {
    for (const Case& c : cases) {
      const fs::path file = folder_ / "settings";
      fs::remove(file);
      if (c.Existing) {
        WriteFileBytes(file, "old");
        ASSERT_EQ(::chmod(file.c_str(), *c.Existing), 0);
      }
      ASSERT_TRUE(save(file, Pattern(20, 5))) << way << " " << c.What;
      struct stat status {};
      ASSERT_EQ(::stat(file.c_str(), &status), 0);
      EXPECT_EQ(status.st_mode & 07777, c.Expected) << way << " " << c.What;
    }
  }
  ::umask(oldMask);

  // Root gives the new file to the old one's owner; anyone else could not have replaced it anyway.
  if (::geteuid() == 0) {
    const fs::path file = folder_ / "owned";
    WriteFileBytes(file, "old");
    ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
    ASSERT_TRUE(WriteFileAtomically(file, Pattern(20, 6)));
    struct stat status {};
    ASSERT_EQ(::stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, 65534U);
    EXPECT_EQ(status.st_gid, 65534U);
  }
}

TEST_F(FileIoTest, ALinkIsFollowedToTheFileItNamesAndStaysALink) {
  fs::create_directories(folder_ / "real");
  fs::create_directories(folder_ / "links");
  WriteFileBytes(folder_ / "real" / "a.dat", "old");
  fs::create_symlink(folder_ / "real" / "a.dat", folder_ / "absolute");  // absolute
  fs::create_symlink("../real/a.dat", folder_ / "links" / "relative");   // relative to its folder
  fs::create_symlink("links/relative", folder_ / "chained");             // a link to a link
  fs::create_symlink("real/new.dat", folder_ / "dangling");              // names a file not there yet
  std::uint8_t seed = 10;
  for (const auto& [way, save] : kSaveWays) {
    for (const char* link : {"absolute", "links/relative", "chained"}) {
      ASSERT_TRUE(save(folder_ / link, Pattern(30, ++seed))) << way << " " << link;
      EXPECT_EQ(FileBytes(folder_ / "real" / "a.dat"), Pattern(30, seed)) << way << " " << link;
    }
    ASSERT_TRUE(save(folder_ / "dangling", Pattern(30, ++seed))) << way;
    EXPECT_EQ(FileBytes(folder_ / "real" / "new.dat"), Pattern(30, seed)) << way;
  }
  for (const char* link : {"absolute", "links/relative", "chained", "dangling"}) {
    EXPECT_TRUE(fs::is_symlink(folder_ / link)) << link;
  }
  EXPECT_EQ(fs::read_symlink(folder_ / "chained"), "links/relative");
  EXPECT_EQ(Names(), (std::set<std::string>{"real", "links", "absolute", "chained", "dangling"}));
}

TEST_F(FileIoTest, LongNamesSaveWithAShortHiddenTemporaryName) {
  for (const std::size_t length : {240U, 246U, 247U, 255U}) {
    const std::string name(length, 'n');
    for (const auto& [way, save] : kSaveWays) {
      ASSERT_TRUE(save(folder_ / name, Pattern(40, 7))) << way << " " << length;
      ASSERT_TRUE(save(folder_ / name, Pattern(40, 8))) << way << " " << length;
      EXPECT_EQ(FileBytes(folder_ / name), Pattern(40, 8));
      EXPECT_EQ(Names(), std::set<std::string>{name}) << way << " " << length;
    }
    fs::remove(folder_ / name);
  }
  const std::string token = "0123456789abcdef";
  EXPECT_EQ(TemporaryNameFor("a.dat", token, 255), ".a.dat.0123456789abcdef.hvt-tmp");
  const std::string first = TemporaryNameFor(std::string(250, 'n') + "1", token, 255);
  const std::string second = TemporaryNameFor(std::string(250, 'n') + "2", token, 255);
  EXPECT_LE(first.size(), 255U);
  EXPECT_NE(first, second) << "names that differ only at the end keep apart";
  EXPECT_EQ(first.front(), '.');
  EXPECT_TRUE(IsTemporaryNameFor(first, std::string(250, 'n') + "1", 255));
  EXPECT_FALSE(IsTemporaryNameFor(first, std::string(250, 'n') + "2", 255));
  // A shortened name never ends inside a character: "é" is two bytes.
  std::string accented;
  while (accented.size() < 300) accented += "\xC3\xA9";
  const std::string shortened = TemporaryNameFor(accented, token, 255);
  EXPECT_LE(shortened.size(), 255U);
  const std::size_t tilde = shortened.find('~');
  ASSERT_NE(tilde, std::string::npos);
  EXPECT_EQ((tilde - 1) % 2, 0U) << shortened;
}

// A write that fails half-way, as on a full disk: the old file stays and nothing is left over.
TEST_F(FileIoTest, AWriteFailingHalfWayKeepsTheOldFile) {
  const fs::path file = folder_ / "a.dat";
  ASSERT_TRUE(WriteFileAtomically(file, Pattern(2000, 9)));
  for (const auto& [way, save] : kSaveWays) {
    const std::string detail = RunInChild([&file, save = save] {
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{1000, 1000};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      return save(file, Pattern(45755, 10)).Detail();
    });
    EXPECT_EQ(detail, file.string() + ": File too large") << way;
    EXPECT_EQ(FileBytes(file), Pattern(2000, 9)) << way;
    EXPECT_EQ(Names(), std::set<std::string>{"a.dat"}) << way;
  }
}

TEST_F(FileIoTest, AFullDiskKeepsTheOldFile) {
  const fs::path small = folder_ / "small";
  fs::create_directories(small);
  for (const auto& [way, save] : kSaveWays) {
    const std::string answer = RunInChild([&small, save = save]() -> std::string {
      // A private mount, so a failed test leaves nothing mounted behind.
      if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
          ::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0) {
        return "skip";
      }
      const fs::path file = small / "a.dat";
      if (!save(file, Pattern(30000, 11))) return "could not write the old file";
      std::ofstream(small / "filler") << std::string(30000, 'f');
      const std::string detail = save(file, Pattern(45755, 12)).Detail();
      std::string names;
      for (const auto& entry : fs::directory_iterator(small)) names += entry.path().filename().string() + " ";
      const bool kept = FileBytes(file) == Pattern(30000, 11);
      return detail + "|" + names + "|" + (kept ? "kept" : "damaged");
    });
    if (answer == "skip") GTEST_SKIP() << "no private tmpfs here";
    const std::string file = (small / "a.dat").string();
    EXPECT_TRUE(answer == file + ": No space left on device|a.dat filler |kept" ||
                answer == file + ": No space left on device|filler a.dat |kept")
        << way << ": " << answer;
  }
}

// Permission checks do not apply to root, so these run as nobody.
TEST_F(FileIoTest, WithoutPermissionTheReasonIsShownAndNothingChanges) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to become another user";
  const fs::path unreadable = folder_ / "unreadable.dat";
  const fs::path owned = folder_ / "owned.dat";
  WriteFileBytes(unreadable, "secret");
  ::chmod(unreadable.c_str(), 0);
  WriteFileBytes(owned, "old");
  ::chmod(folder_.Path().c_str(), 0755);  // nobody may look but not write
  const std::string answer = RunInChild([&] {
    if (!BecomeNobody()) return std::string("could not drop root");
    return ReadWholeFile(unreadable, 100).Detail() + "\n" +
           WriteFileAtomically(owned, std::string("new")).Detail() + "\n" +
           WriteFileAtomicallyThroughNamedFile(folder_ / "fresh.dat", Pattern(3, 1)).Detail();
  });
  EXPECT_EQ(answer, unreadable.string() + ": Permission denied\n" + owned.string() + ": Permission denied\n" +
                        (folder_ / "fresh.dat").string() + ": Permission denied");
  EXPECT_EQ(FileBytes(owned), (Bytes{'o', 'l', 'd'}));
  EXPECT_EQ(Names(), (std::set<std::string>{"unreadable.dat", "owned.dat"}));
}

}  // namespace
}  // namespace hvt
