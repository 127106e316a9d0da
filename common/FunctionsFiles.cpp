#include "common/FunctionsFiles.h"
#include "common/Functions.h"

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

std::string resourceFile(const std::string& relative) {
  return getResourcePath() + "/" + relative;
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

bool readResourceFile(const std::string& relative, std::string& text) {
  const int fd = ::open(resourceFile(relative).c_str(), O_RDONLY | O_CLOEXEC);
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

bool replaceResourceFile(const std::string& relative, std::string_view text, bool durable) {
  const std::string target = resourceFile(relative);
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
    ::unlink(temporary.c_str());
  }
  return ok;
}

std::vector<std::string> readFile(const std::string& relative) {
  std::vector<std::string> lines;
  std::string text;
  if (!readResourceFile(relative, text)) {
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

std::vector<std::string> splitString(const std::string& s, char separator) {
  std::vector<std::string> fields;
  // previous starts one before the string; the first search starts at the
  // second character, so a leading separator stays in the first field.
  std::size_t previous = std::string::npos;
  std::size_t position = 0;
  do {
    position = s.find(separator, position + 1);
    const std::size_t begin = previous + 1;
    fields.push_back(position == std::string::npos ? s.substr(begin)
                                                   : s.substr(begin, position - begin));
    previous = position;
  } while (position != std::string::npos);
  return fields;
}

std::vector<std::string> getLevelList() {
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator entry(getResourcePath() + "/Levels/", error);
  const fs::directory_iterator end;
  for (; !error && entry != end; entry.increment(error)) {
    std::string name = entry->path().filename().string();
    // Hidden files are not level files: among them the temporaries of a
    // save in progress.
    if (name.empty() || name.front() == '.') {
      continue;
    }
    const std::size_t cut = name.find(".data");
    if (cut != std::string::npos) {
      name.resize(cut);
      names.push_back(std::move(name));
    }
  }
  if (error) {
    return {};
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool parseLeadingInt(std::string_view field, int& value) {
  std::size_t i = 0;
  while (i < field.size() && (field[i] == ' ' || (field[i] >= '\t' && field[i] <= '\r'))) {
    ++i;
  }
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
    negative = field[i] == '-';
    ++i;
  }
  // Accumulated as a negative number, whose range reaches INT_MIN.
  std::int64_t result = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
    result = result * 10 - (field[i] - '0');
    if (result < static_cast<std::int64_t>(INT_MIN)) {
      return false;
    }
  }
  if (!negative) {
    result = -result;
    if (result > INT_MAX) {
      return false;
    }
  }
  value = static_cast<int>(result);
  return true;
}

void appendNumber(std::string& out, double value) {
  // Saved coordinates are nearly always whole tenths. A whole value is written
  // as all of its digits: %g would cut one of a million or more to six
  // significant digits in exponent form, which the loader reads back as its
  // leading digit. Zero keeps its sign through the general path ("-0").
  const bool whole = value != 0 && std::isfinite(value) && value == std::trunc(value);
  // Room for the largest double's 309 digits and a sign.
  char buffer[320];
  char* const last = buffer + sizeof buffer;
  std::to_chars_result written{};
  if (whole && std::fabs(value) < 0x1p63) {
    // The integer conversion writes the same digits several times faster.
    written = std::to_chars(buffer, last, static_cast<std::int64_t>(value));
  } else if (whole) {
    written = std::to_chars(buffer, last, value, std::chars_format::fixed, 0);
  } else {
    written = std::to_chars(buffer, last, value, std::chars_format::general, 6);
  }
  out.append(buffer, static_cast<std::size_t>(written.ptr - buffer));
}
