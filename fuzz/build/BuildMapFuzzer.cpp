// Arbitrary bytes as a linker map: the link passes only on a summary that
// counts no error.
#include "BuildMessages.h"
#include "UserInterface.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SilentUserInterface ui;
  BuildMessages messages(ui);
  const std::string map(reinterpret_cast<const char*>(data), size);
  std::istringstream in(map);
  messages.ParseMap(in, "/lab/main.M51");
  if (messages.Lines.empty()) __builtin_trap();
  if (messages.CompileOK && messages.Lines.front().find("ERROR") == std::string::npos)
    __builtin_trap();
  for (const std::string& line : messages.Lines)
    TargetOfMessage(line, "/lab/main.m51");
  return 0;
}
