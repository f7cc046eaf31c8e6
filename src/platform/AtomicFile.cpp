#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool Fail(std::string* why, const std::string& reason) {
  if (why) *why = reason;
  return false;
}

bool FailErrno(std::string* why) {
  return Fail(why, std::strerror(errno));
}

bool WriteAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = EIO;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// The file a chain of symbolic links ends at (the path itself when it is none).
bool FollowLinks(fs::path& path, std::string* why) {
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(path, ec)) return true;
    const fs::path target = fs::read_symlink(path, ec);
    if (ec) return Fail(why, ec.message());
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return Fail(why, std::strerror(ELOOP));
}

bool SyncFolder(const fs::path& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = fsync(fd) == 0;
  ::close(fd);
  return ok;
}

// Other names see the file only if its own inode is rewritten.
bool RewriteInPlace(const fs::path& path, std::string_view bytes, std::string* why) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return FailErrno(why);
  const bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
  const int error = errno;
  if (close(fd) != 0 && ok) return FailErrno(why);
  errno = error;
  return ok || FailErrno(why);
}

} // namespace

bool WriteFileAtomically(const fs::path& name, std::string_view bytes, std::string* why) {
  fs::path path = name;
  if (!FollowLinks(path, why)) return false;
  struct stat st {};
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (!exists && errno != ENOENT) return FailErrno(why);
  if (exists && !S_ISREG(st.st_mode)) return Fail(why, "not a regular file");
  if (exists && st.st_nlink > 1) return RewriteInPlace(path, bytes, why);

  const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
  std::string temp = (dir / ("." + path.filename().string() + ".XXXXXX")).string();
  const int fd = mkstemp(temp.data());
  if (fd < 0) return FailErrno(why);
  // Keep the mode and owner an existing file had; new files get the usual 0644.
  bool ok = WriteAll(fd, bytes) && fchmod(fd, exists ? (st.st_mode & 07777) : 0644) == 0;
  if (ok && exists && (st.st_uid != geteuid() || st.st_gid != getegid()) &&
      fchown(fd, st.st_uid, st.st_gid) != 0 && errno != EPERM)
    ok = false;
  ok = ok && fsync(fd) == 0;
  int error = ok ? 0 : errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    errno = error;
    return FailErrno(why);
  }
  // The rename itself lasts only once the folder is on disk.
  SyncFolder(dir);
  return true;
}

bool ReadWholeFile(const fs::path& path, std::string& bytes) {
  // Opened without blocking, so a FIFO or a device in the file's place is
  // refused instead of waiting for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  std::string data;
  if (ok) data.reserve(static_cast<size_t>(st.st_size));
  char buffer[65536];
  while (ok) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    data.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  if (ok) bytes = std::move(data);
  return ok;
}
