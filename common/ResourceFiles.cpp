#include "common/ResourceFiles.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string resourceFile(const ResourceRoot& root, const std::string& relative) {
  return root.getPath() + "/" + relative;
}

bool readAll(int fd, std::string& text) {
  struct stat info {};
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    return false;
  }
  text.clear();
  if (S_ISREG(info.st_mode) && info.st_size > 0) {
    text.reserve(static_cast<std::size_t>(info.st_size));
  }
  char chunk[65536];
  for (;;) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got > 0) {
      text.append(chunk, static_cast<std::size_t>(got));
    } else if (got == 0) {
      return true;
    } else if (errno != EINTR) {
      return false;
    }
  }
}

bool writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t put = ::write(fd, text.data(), text.size());
    if (put > 0) {
      text.remove_prefix(static_cast<std::size_t>(put));
    } else if (put < 0 && errno == EINTR) {
      continue;
    } else {
      return false;
    }
  }
  return true;
}

// A new, empty, hidden file in folder, created exclusively so that two
// saves never share one. -1 when none can be made.
int createTemporary(const std::string& folder, std::string& name) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = folder + "/.clamber-save-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  return -1;
}

} // namespace

bool readResourceFile(const ResourceRoot& root, const std::string& relative, std::string& text) {
  const int fd = ::open(resourceFile(root, relative).c_str(), O_RDONLY | O_CLOEXEC);
  bool ok = fd >= 0 && readAll(fd, text);
  if (fd >= 0) {
    ::close(fd);
  }
  if (!ok) {
    text.clear();
    std::fputs("FAILED\n", stdout);
    std::fflush(stdout);
  }
  return ok;
}

bool replaceResourceFile(const ResourceRoot& root, const std::string& relative,
                         std::string_view text, bool durable) {
  const std::string target = resourceFile(root, relative);
  const std::string folder = target.substr(0, target.rfind('/'));
  // A file its user may not write is left alone, as writing it in place
  // would leave it: the rename alone needs only the folder's permission.
  if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT) {
    return false;
  }
  std::string temporary;
  const int fd = createTemporary(folder, temporary);
  if (fd < 0) {
    return false;
  }
  bool ok = true;
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    ok = ::fchmod(fd, old.st_mode & 07777) == 0;
  }
  ok = ok && writeAll(fd, text) && (!durable || ::fsync(fd) == 0);
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) {
    const int error = errno;
    ::unlink(temporary.c_str());
    errno = error;
  }
  return ok;
}

bool resourceFileExists(const ResourceRoot& root, const std::string& relative) {
  std::error_code error;
  return fs::exists(resourceFile(root, relative), error);
}

void removeResourceFile(const ResourceRoot& root, const std::string& relative) {
  std::error_code ignored;
  fs::remove(resourceFile(root, relative), ignored);
}

std::vector<std::string> readFile(const ResourceRoot& root, const std::string& relative) {
  std::vector<std::string> lines;
  std::string text;
  if (!readResourceFile(root, relative, text)) {
    return lines;
  }
  // Every line feed ends a line, and whatever follows the last one (nothing,
  // for a file that ends with one) is one more line.
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.emplace_back(text, start);
      return lines;
    }
    lines.emplace_back(text, start, end - start);
    start = end + 1;
  }
}
