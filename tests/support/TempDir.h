#pragma once

#include <filesystem>
#include <fstream>
#include <string>

// A fresh temporary folder, removed with all it holds. write() creates the
// folders on the way; read() gives "" for a missing file.
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

  const std::filesystem::path& path() const { return root; }
  void write(const std::filesystem::path& relative, const std::string& content) const {
    std::filesystem::create_directories((root / relative).parent_path());
    std::ofstream(root / relative, std::ios::binary) << content;
  }
  std::string read(const std::filesystem::path& relative) const {
    std::ifstream in(root / relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

private:
  std::filesystem::path root;
};
