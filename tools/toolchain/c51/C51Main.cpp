// C51: no C compiler comes with this tool chain. It writes a listing that says
// so in the compiler's message form, so a build of a C source fails clearly.
#include "ToolControls.h"
#include "ToolFiles.h"

#include <cstdio>
#include <filesystem>

using namespace omf51;

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: C51 SOURCE [PR(LIST)] [OJ(OBJECT)]\n");
    return 2;
  }
  const std::string source = argv[1];
  std::string listing = BaseName(source) + ".LST";
  std::string object = BaseName(source) + ".OBJ";
  for (const ToolControl& c : ParseControls(JoinArguments(argc, argv, 2))) {
    if ((c.Name == "PR" || c.Name == "PRINT") && c.Argument && !c.Argument->empty())
      listing = *c.Argument;
    if ((c.Name == "OJ" || c.Name == "OBJECT") && c.Argument && !c.Argument->empty())
      object = *c.Argument;
  }
  const ListingStamp stamp = CurrentStamp();
  const std::string message =
      "*** ERROR C000 IN LINE 1 OF " + source + ": no C compiler is installed with this tool chain";
  const std::string text = Pad("C51 COMPILER V1.0", 21) + Pad(UpperCase(BaseName(source)), 69) +
                           stamp.Date + " " + stamp.Time + " PAGE     1\r\n\r\n\r\n" + message +
                           "\r\n\r\nC51 COMPILATION COMPLETE.  0 WARNING(S),  1 ERROR(S)\r\n";
  // An object left from an earlier build must not be linked as if this one worked.
  std::error_code ec;
  std::filesystem::remove(object, ec);
  if (!WriteOutputFile(listing, text))
    std::fprintf(stderr, "C51: cannot write %s\n", listing.c_str());
  std::fprintf(stderr, "%s\n", message.c_str());
  return 1;
}
