#pragma once

#include <filesystem>
#include <string>
#include <unistd.h>

// A scratch folder for the files a fuzz run writes, removed when the fuzzer exits.
class FuzzScratchDir {
public:
  explicit FuzzScratchDir(const char* prefix) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    Path = mkdtemp(pattern.data());
  }
  ~FuzzScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(Path, ec);
  }

  std::filesystem::path Path;
};
