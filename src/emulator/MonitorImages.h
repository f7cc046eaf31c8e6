#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

// The monitor programs uploaded to the emulator at the first connection. The
// real firmware belongs to the emulator's maker and does not ship with the
// workbench: the built-in images are placeholders of the exact sizes the
// monitor expects. A lab that has the real images puts them in a folder named
// by CORVEL_MONITOR_DIR as M1.BIN ... M6.BIN (M3.BIN holds its four variants
// one after the other); each file of the right size replaces its image.
class TMonitorImages {
public:
  enum Image { M1, M2, M3, M4, M5, M6, Count };
  static constexpr size_t VariantSize = 1853;
  static constexpr size_t M3Variants = 4;
  static constexpr size_t Sizes[Count] = {1853, 1977, M3Variants* VariantSize, 1853, 1786, 1853};
  static constexpr const char* FolderVariable = "CORVEL_MONITOR_DIR";

  // The built-in images.
  TMonitorImages();

  // Takes the images from folder that have the right size; a file of another
  // size is left out and named in the returned messages.
  std::vector<std::string> LoadFolder(const std::filesystem::path& folder);

  std::span<const uint8_t> Get(Image image) const { return Bytes[image]; }
  // Variant 0..3 of M3.
  std::span<const uint8_t> M3Variant(int variant) const;

private:
  std::vector<uint8_t> Bytes[Count];
};
