#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "params/atomic_file.h"

namespace params {
namespace {

FileWriteResult Failure(const std::string& what, const std::string& path, int err) {
  return {false, what + " " + path + ": " + std::strerror(err)};
}

// The process's umask without changing it (umask() would, for every thread).
mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(std::strtol(line.c_str() + 6, nullptr, 8));
  return 022;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

FileWriteResult ReplaceFileContents(const std::string& path, std::string_view bytes) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path target = path;
  if (fs::is_symlink(target, ec)) {
    fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) target = resolved;
  }
  fs::path dir = target.parent_path();
  if (dir.empty()) dir = ".";

  struct stat old{};
  const bool existed = ::stat(target.c_str(), &old) == 0;
  if (existed && !S_ISREG(old.st_mode)) return Failure("not a file:", path, EISDIR);

  std::string tmp = (dir / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(tmp.data());
  if (fd < 0) return Failure("cannot create a file beside", path, errno);

  int err = 0;
  const mode_t mode = existed ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
  if (::fchmod(fd, mode) != 0) err = errno;
  if (!err && !WriteAll(fd, bytes)) err = errno;
  if (!err && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && !err) err = errno;
  if (!err && ::rename(tmp.c_str(), target.c_str()) != 0) err = errno;
  if (err) {
    ::unlink(tmp.c_str());
    return Failure("cannot write", path, err);
  }
  // The rename itself reaches the disk with the folder.
  const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return {true, {}};
}

}  // namespace params
