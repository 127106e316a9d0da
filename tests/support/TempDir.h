#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

// A fresh temporary folder of the test's own, removed with everything in it
// when the object goes. Header only, so that every test target has it
// without a source of its own.
class TempDir {
public:
  explicit TempDir(const std::string& prefix = "clamber-test-") {
    std::string templ = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (!mkdtemp(templ.data())) {
      throw std::runtime_error("mkdtemp failed");
    }
    root = templ;
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return root; }

  // Writes content to the file at relative, creating folders as needed.
  void write(const std::filesystem::path& relative, const std::string& content) const {
    const std::filesystem::path file = root / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
  }

  // The bytes of the file at relative; empty when it is missing.
  std::string read(const std::filesystem::path& relative) const {
    std::ifstream in(root / relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

private:
  std::filesystem::path root;
};
