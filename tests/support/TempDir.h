#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A fresh temporary folder of the test's own, removed with all it holds.
class TempDir {
public:
  explicit TempDir(const std::string& prefix = "clamber-test-") {
    std::string name = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
    root = mkdtemp(name.data()) ? name : throw std::runtime_error("mkdtemp failed");
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return root; }
  // Creates the folders on the way.
  void write(const std::filesystem::path& relative, const std::string& content) const {
    std::filesystem::create_directories((root / relative).parent_path());
    std::ofstream(root / relative, std::ios::binary) << content;
  }
  // Empty when the file is missing.
  std::string read(const std::filesystem::path& relative) const {
    std::ifstream in(root / relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

private:
  std::filesystem::path root;
};
