// Arbitrary bytes as the listing of a build's source: the assembler's or the
// compiler's, by the first line, with any line ends.
#include "BuildMessages.h"
#include "UserInterface.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SilentUserInterface ui;
  BuildMessages messages(ui);
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  messages.ParseListing(in, "/lab/main.c");
  // Every message counts once, and a double click on any line is safe.
  if (static_cast<size_t>(messages.Errors + messages.Warnings) != messages.Lines.size())
    __builtin_trap();
  for (const std::string& line : messages.Lines)
    TargetOfMessage(line, "/lab/main.m51");
  return 0;
}
