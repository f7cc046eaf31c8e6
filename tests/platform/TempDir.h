#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

// A fresh folder under the system's temporary folder, removed with its contents.
class TempDir {
public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "corvel-XXXXXX").string();
    Path = mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(Path, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // Writes a file (creating folders) and returns its path.
  std::filesystem::path Write(const std::string& relative, std::string_view bytes) const {
    const std::filesystem::path p = Path / relative;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p;
  }

  std::filesystem::path Path;
};
