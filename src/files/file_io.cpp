#include "files/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
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

    temporaryName_ = TemporaryNameFor(name_.string(), NameMaxOf(folder_));
    // Whatever an earlier save killed half-way left under the hidden name goes first.
    ::unlinkat(folder_, temporaryName_.c_str(), 0);

#if defined(__linux__)
    if (temporary == Temporary::Anonymous) {
      UniqueFd file(::openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, CreationMode()));
      if (file.Valid()) {
        if (!Fill(file.Get(), error)) return Fail(error);
        if (LinkAnonymous(file.Get())) return Publish();
        // Without /proc the file cannot be given a name; write it again under the hidden name.
      } else if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        return Fail(errno);
      }
    }
#endif

    UniqueFd file(
        ::openat(folder_, temporaryName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, CreationMode()));
    if (!file.Valid()) return Fail(errno);
    if (!Fill(file.Get(), error)) {
      ::unlinkat(folder_, temporaryName_.c_str(), 0);
      return Fail(error);
    }
    return Publish();
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
  bool LinkAnonymous(int fd) const {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), folder_, temporaryName_.c_str(), AT_SYMLINK_FOLLOW) == 0)
      return true;
    return ::linkat(fd, "", folder_, temporaryName_.c_str(), AT_EMPTY_PATH) == 0;
  }
#endif

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

std::string TemporaryNameFor(std::string_view fileName, std::size_t nameMax) {
  std::string name = "." + std::string(fileName) + std::string(kTemporarySuffix);
  if (name.size() <= nameMax) return name;
  // FNV-1a of the whole name keeps two long names with the same beginning apart.
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : fileName) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  const std::size_t fixed = 1 + 1 + 16 + kTemporarySuffix.size();  // ".", "~", the hash, the suffix
  std::size_t keep = nameMax > fixed ? std::min(fileName.size(), nameMax - fixed) : 0;
  while (keep > 0 && IsUtf8Continuation(fileName[keep])) --keep;
  return "." + std::string(fileName.substr(0, keep)) + "~" + hex + std::string(kTemporarySuffix);
}

}  // namespace hvt
