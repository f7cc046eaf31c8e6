#include "BinarySave.h"

#include "AtomicFile.h"
#include "UserInterface.h"

#include <string_view>

bool SaveBinary(const std::string& fileName, std::span<const uint8_t> image, uint16_t start,
                uint16_t end, UserInterface& ui) {
  std::string_view bytes;
  if (end >= start && end < image.size())
    bytes = {reinterpret_cast<const char*>(image.data()) + start, size_t{end} - start + 1u};
  std::string why;
  if (!WriteFileAtomically(fileName, bytes, &why)) {
    ui.Message("不能保存文件：" + fileName + " (" + why + ")");
    return false;
  }
  ui.Message("文件：" + fileName + "已经保存完毕");
  return true;
}
