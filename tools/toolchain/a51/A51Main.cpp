// A51: assembles one source file into a relocatable object and a listing.
#include "A51Options.h"
#include "Assembler.h"
#include "ListingWriter.h"
#include "ObjectWriter.h"
#include "ToolControls.h"
#include "ToolFiles.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

using namespace omf51;

namespace {

// INCDIR's folders, then those of C51INC, which the batch file sets.
std::vector<std::string> IncludeDirs(std::vector<std::string> dirs) {
  if (const char* inc = std::getenv("C51INC")) {
    std::stringstream list(inc);
    for (std::string dir; std::getline(list, dir, ';');)
      if (!dir.empty()) dirs.push_back(dir);
  }
  return dirs;
}

// Echoes the listing's messages and summary to the console.
void EchoMessages(const std::string& listing) {
  std::stringstream lines(listing);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("*** ", 0) == 0 || line.rfind("ASSEMBLY COMPLETE", 0) == 0)
      std::printf("%s\n", line.c_str());
  }
}

bool Save(const std::string& name, const std::string& bytes) {
  if (WriteOutputFile(name, bytes)) return true;
  std::fprintf(stderr, "A51: cannot write %s\n", name.c_str());
  return false;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: A51 SOURCE [DB] [SB] [XR] [RB(n)] [PR(LIST)] [OJ(OBJECT)]\n");
    return 2;
  }
  const A51Options o = ParseA51Options(argv[1], JoinArguments(argc, argv, 2));
  ListingOptions listing{o.SourceName, o.ObjectName,      JoinArguments(argc, argv, 0),
                         o.Symbols,    o.UnknownControls, {}};
  std::error_code ec;
  SourceText source;
  source.PredefinedNames = o.PredefinedNames;
  if (!ReadSource(o.SourceName, IncludeDirs(o.IncludeDirs), source)) {
    std::fprintf(stderr, "A51: cannot open source file %s\n", o.SourceName.c_str());
    if (!o.ListingName.empty()) Save(o.ListingName, WriteUnreadableSourceListing(listing));
    if (!o.ObjectName.empty()) std::filesystem::remove(o.ObjectName, ec);
    return 2;
  }
  const AsmModule module =
      Assembler(source, UpperCase(BaseName(o.SourceName)), o.RegisterBank).Run();
  listing.Title = source.Title;
  const bool debug = source.Debug.value_or(o.Debug);
  const std::string text = WriteListing(source, module, listing);
  bool saved = o.ListingName.empty() || Save(o.ListingName, text);
  // A module with errors leaves no object behind, so no stale one gets linked.
  if (!o.ObjectName.empty()) {
    if (module.Errors == 0)
      saved = Save(o.ObjectName,
                   WriteRelocatableObject(module, debug,
                                          o.ListingName.empty() ? o.SourceName : o.ListingName)) &&
              saved;
    else
      std::filesystem::remove(o.ObjectName, ec);
  }
  EchoMessages(text);
  return module.Errors > 0 || !saved ? 1 : 0;
}
