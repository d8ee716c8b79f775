#include "files/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <mutex>
#include <random>
#include <system_error>

// Anonymous files and the kernel's file systems are Linux's; elsewhere a save takes the hidden
// named file and no file system counts as the kernel's.
#if defined(__linux__)
#include <linux/magic.h>
#include <sys/statfs.h>
#endif

namespace hvt {

namespace {

namespace fs = std::filesystem;

constexpr int kMostLinksFollowed = 40;  // as the kernel's own limit for a path
constexpr std::string_view kTemporarySuffix = ".hvt-tmp";
constexpr std::size_t kTokenLength = 16;  // hex digits that tell one save's hidden file from another's
constexpr int kMostNameTries = 8;

// A token no other save, in this process or another, is using: random bits mixed with the
// process and a count, so neither two threads nor the children of one fork draw the same one.
std::string NewToken() {
  static std::mutex mutex;
  static std::mt19937_64 random = [] {
    std::random_device device;
    std::seed_seq seed{device(), device(), device(), device()};
    return std::mt19937_64(seed);
  }();
  static std::atomic<std::uint64_t> count{0};
  std::uint64_t bits = 0;
  {
    const std::lock_guard lock(mutex);
    bits = random();
  }
  bits ^= count.fetch_add(1) * 0x9E3779B97F4A7C15ULL;
  bits ^= static_cast<std::uint64_t>(::getpid()) << 40;
  char hex[kTokenLength + 1];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(bits));
  return hex;
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

std::string SystemReason(int error) { return std::generic_category().message(error); }

FileFailure SystemFailure(const fs::path& path, int error) { return {path, SystemReason(error), {}, error}; }

class UniqueFd {
 public:
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }

 private:
  int fd_;
};

// The file a save replaces: the path itself or, for a link, the end of its chain of links. A
// path that does not exist yet is its own target.
std::optional<fs::path> FinalTarget(fs::path path, int& error) {
  for (int hops = 0; hops <= kMostLinksFollowed; ++hops) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
      if (errno == ENOENT) return path;
      error = errno;
      return std::nullopt;
    }
    if (!S_ISLNK(status.st_mode)) return path;
    std::error_code readError;
    const fs::path next = fs::read_symlink(path, readError);
    if (readError) {
      error = readError.value();
      return std::nullopt;
    }
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  error = ELOOP;
  return std::nullopt;
}

// Files of /proc, /sys and their kin look regular but are the kernel's interfaces.
bool OnKernelFileSystem([[maybe_unused]] int folder) {
#if defined(__linux__)
  struct statfs system {};
  if (::fstatfs(folder, &system) != 0) return false;
  switch (static_cast<unsigned long>(system.f_type)) {
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC:
    case SECURITYFS_MAGIC:
    case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC:
    case BPF_FS_MAGIC:
      return true;
    default:
      return false;
  }
#else
  return false;
#endif
}

std::size_t NameMaxOf(int folder) {
  const long max = ::fpathconf(folder, _PC_NAME_MAX);
  return max > 0 ? static_cast<std::size_t>(max) : NAME_MAX;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes, int& error) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      error = errno;
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

enum class Temporary { Anonymous, Named };

class AtomicSave {
 public:
  AtomicSave(const fs::path& path, std::span<const std::uint8_t> bytes) : path_(path), bytes_(bytes) {}

  FileWriteResult Run([[maybe_unused]] Temporary temporary) {
    int error = 0;
    const auto target = FinalTarget(path_, error);
    if (!target) return Fail(error);
    name_ = target->filename();
    if (name_.empty() || name_ == "." || name_ == "..") return Fail(EISDIR);
    const fs::path folderPath = target->has_parent_path() ? target->parent_path() : fs::path(".");
    UniqueFd folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.Valid()) return Fail(errno);
    folder_ = folder.Get();
    if (OnKernelFileSystem(folder_)) return FileFailure{path_, std::string(kNotARegularFile), {}};

    struct stat old {};
    if (::fstatat(folder_, name_.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0) {
      if (S_ISDIR(old.st_mode)) return Fail(EISDIR);
      if (!S_ISREG(old.st_mode)) return FileFailure{path_, std::string(kNotARegularFile), {}};
      replaced_ = old;
    } else if (errno != ENOENT) {
      return Fail(errno);
    }

    nameMax_ = NameMaxOf(folder_);
    RemoveAbandonedTemporaries();

#if defined(__linux__)
    if (temporary == Temporary::Anonymous) {
      UniqueFd file(::openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, CreationMode()));
      if (file.Valid()) {
        // Locked before it has a name, so no other save ever takes it for abandoned.
        static_cast<void>(Lock(file.Get()));
        if (!Fill(file.Get(), error)) return Fail(error);
        if (LinkAnonymous(file.Get())) return Publish();
        // Without /proc the file cannot be given a name; write it again under a hidden name.
      } else if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        return Fail(errno);
      }
    }
#endif

    for (int tries = 0; tries < kMostNameTries; ++tries) {
      temporaryName_ = TemporaryNameFor(name_.string(), NewToken(), nameMax_);
      UniqueFd file(
          ::openat(folder_, temporaryName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, CreationMode()));
      if (!file.Valid()) {
        if (errno == EEXIST) continue;
        return Fail(errno);
      }
      // Another save may have found the file between its creation and the lock, taken it for
      // abandoned and removed it; then this save starts again under a new name.
      if (Lock(file.Get()) == Locked::ByAnother || !StillNamed(file.Get())) continue;
      if (!Fill(file.Get(), error)) {
        ::unlinkat(folder_, temporaryName_.c_str(), 0);
        return Fail(error);
      }
      return Publish();
    }
    return Fail(EEXIST);
  }

 private:
  // A replaced file's bits are set after its owner; until then no one else may read the data.
  mode_t CreationMode() const { return replaced_ ? 0600 : 0666; }

  FileWriteResult Fail(int error) const { return SystemFailure(path_, error); }

  bool Fill(int fd, int& error) const {
    if (!WriteAll(fd, bytes_, error)) return false;
    if (replaced_) {
      // Only root may give a file away; anyone else keeps their own ownership.
      if (::fchown(fd, replaced_->st_uid, replaced_->st_gid) != 0 && errno != EPERM) {
        error = errno;
        return false;
      }
      if (::fchmod(fd, replaced_->st_mode & 07777) != 0) {
        error = errno;
        return false;
      }
    }
    if (::fsync(fd) != 0) {
      error = errno;
      return false;
    }
    return true;
  }

#if defined(__linux__)
  bool LinkAnonymous(int fd) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int tries = 0; tries < kMostNameTries; ++tries) {
      temporaryName_ = TemporaryNameFor(name_.string(), NewToken(), nameMax_);
      if (::linkat(AT_FDCWD, self.c_str(), folder_, temporaryName_.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
          ::linkat(fd, "", folder_, temporaryName_.c_str(), AT_EMPTY_PATH) == 0)
        return true;
      if (errno != EEXIST) return false;
    }
    return false;
  }
#endif

  // A save holds a lock on its hidden file until the file is renamed; a file nobody holds is
  // what a killed save left. The lock goes with the process, whatever ends it. Where the file
  // system has no locks, saves go on without and leave what killed saves left.
  enum class Locked { Here, ByAnother, NotSupported };
  static Locked Lock(int fd) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return Locked::Here;
    return errno == EWOULDBLOCK ? Locked::ByAnother : Locked::NotSupported;
  }

  bool StillNamed(int fd) const {
    struct stat named {};
    struct stat opened {};
    return ::fstatat(folder_, temporaryName_.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           ::fstat(fd, &opened) == 0 && named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
  }

  // Removes the hidden files of earlier saves of this name that were killed half-way; those of
  // saves still going are locked and stay.
  void RemoveAbandonedTemporaries() {
    const int listed = ::dup(folder_);
    if (listed < 0) return;
    DIR* folder = ::fdopendir(listed);
    if (folder == nullptr) {
      ::close(listed);
      return;
    }
    std::vector<std::string> candidates;
    // The one fixed hidden name of earlier versions is taken too.
    const std::string earlier = "." + name_.string() + std::string(kTemporarySuffix);
    while (const dirent* entry = ::readdir(folder)) {
      if (IsTemporaryNameFor(entry->d_name, name_.string(), nameMax_) || entry->d_name == earlier)
        candidates.emplace_back(entry->d_name);
    }
    ::closedir(folder);
    for (const std::string& candidate : candidates) {
      UniqueFd file(::openat(folder_, candidate.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
      if (!file.Valid()) continue;
      struct stat status {};
      if (::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode) || Lock(file.Get()) != Locked::Here)
        continue;
      struct stat named {};
      // Still the file that was locked: never remove a name that has moved on.
      if (::fstatat(folder_, candidate.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
          named.st_dev == status.st_dev && named.st_ino == status.st_ino) {
        ::unlinkat(folder_, candidate.c_str(), 0);
      }
    }
  }

  FileWriteResult Publish() const {
    if (::renameat(folder_, temporaryName_.c_str(), folder_, name_.c_str()) != 0) {
      const int error = errno;
      ::unlinkat(folder_, temporaryName_.c_str(), 0);
      return Fail(error);
    }
    // The new name is durable only once the folder is; some file systems cannot sync a folder.
    if (::fsync(folder_) != 0 && errno != EINVAL && errno != EROFS) return Fail(errno);
    return {};
  }

  const fs::path& path_;
  std::span<const std::uint8_t> bytes_;
  fs::path name_;
  int folder_ = -1;
  std::size_t nameMax_ = NAME_MAX;
  std::optional<struct stat> replaced_;
  std::string temporaryName_;
};

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

namespace {

// Opens a regular file for reading. Non-blocking, so a pipe cannot hold the open; a regular file
// reads the same either way.
std::optional<FileFailure> OpenRegularFile(const std::filesystem::path& path, int& fd, struct stat& status) {
  fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return SystemFailure(path, errno);
  if (::fstat(fd, &status) != 0) return SystemFailure(path, errno);
  if (S_ISDIR(status.st_mode)) return SystemFailure(path, EISDIR);
  if (!S_ISREG(status.st_mode)) return FileFailure{path, std::string(kNotARegularFile), {}};
  return std::nullopt;
}

// Up to `count` bytes from the start; fewer when the file is shorter.
FileReadResult ReadUpTo(const std::filesystem::path& path, int fd, std::size_t count) {
  FileReadResult::Bytes bytes(count);
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      return SystemFailure(path, errno);
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return bytes;
}

}  // namespace

FileReadResult ReadWholeFile(const std::filesystem::path& path, std::uintmax_t maxSize) {
  int fd = -1;
  struct stat status {};
  auto failure = OpenRegularFile(path, fd, status);
  const UniqueFd file(fd);
  if (failure) return *std::move(failure);
  const auto size = static_cast<std::uintmax_t>(status.st_size);
  if (size > maxSize) {
    return FileFailure{
        path, std::to_string(size) + " bytes, more than the " + std::to_string(maxSize) + " allowed", size};
  }
  return ReadUpTo(path, file.Get(), static_cast<std::size_t>(size));
}

FileReadResult ReadFileStart(const std::filesystem::path& path, std::size_t count) {
  int fd = -1;
  struct stat status {};
  auto failure = OpenRegularFile(path, fd, status);
  const UniqueFd file(fd);
  if (failure) return *std::move(failure);
  return ReadUpTo(path, file.Get(), count);
}

FileWriteResult WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  return AtomicSave(path, bytes).Run(Temporary::Anonymous);
}

FileWriteResult WriteFileAtomically(const std::filesystem::path& path, std::string_view text) {
  return WriteFileAtomically(
      path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));  // NOLINT
}

FileWriteResult WriteFileAtomicallyThroughNamedFile(const std::filesystem::path& path,
                                                    std::span<const std::uint8_t> bytes) {
  return AtomicSave(path, bytes).Run(Temporary::Named);
}

namespace {

// ".name." (the name shortened with a hash of the whole when needed) that comes before the token.
std::string TemporaryPrefixFor(std::string_view fileName, std::size_t nameMax) {
  const std::size_t tail = 1 + kTokenLength + kTemporarySuffix.size();  // ".", the token, the suffix
  std::string prefix = "." + std::string(fileName);
  if (prefix.size() + tail <= nameMax) return prefix;
  // FNV-1a of the whole name keeps two long names with the same beginning apart.
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : fileName) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  const std::size_t fixed = 1 + 1 + 16 + tail;  // ".", "~", the hash
  std::size_t keep = nameMax > fixed ? std::min(fileName.size(), nameMax - fixed) : 0;
  while (keep > 0 && IsUtf8Continuation(fileName[keep])) --keep;
  return "." + std::string(fileName.substr(0, keep)) + "~" + hex;
}

}  // namespace

std::string TemporaryNameFor(std::string_view fileName, std::string_view token, std::size_t nameMax) {
  return TemporaryPrefixFor(fileName, nameMax) + "." + std::string(token) + std::string(kTemporarySuffix);
}

bool IsTemporaryNameFor(std::string_view candidate, std::string_view fileName, std::size_t nameMax) {
  const std::string prefix = TemporaryPrefixFor(fileName, nameMax) + ".";
  if (candidate.size() != prefix.size() + kTokenLength + kTemporarySuffix.size()) return false;
  if (!candidate.starts_with(prefix) || !candidate.ends_with(kTemporarySuffix)) return false;
  const std::string_view token = candidate.substr(prefix.size(), kTokenLength);
  return std::ranges::all_of(token, IsHexDigit);
}

}  // namespace hvt
