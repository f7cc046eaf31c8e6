// L51: links relocatable modules into one absolute module and writes the map.
#include "AbsoluteWriter.h"
#include "L51Options.h"
#include "MapWriter.h"
#include "ObjectReader.h"
#include "ToolControls.h"
#include "ToolFiles.h"

#include <cstdio>
#include <filesystem>

using namespace omf51;

namespace {

// Reads every input; a file that cannot be used ends the link with a fatal error.
bool ReadInputs(const L51Options& o, std::vector<ObjectFile>& files, LinkResult& failed) {
  for (const std::string& name : o.Inputs) {
    ObjectFile& file = files.emplace_back();
    file.FileName = name;
    std::string bytes;
    if (!ReadInputFile(name, bytes)) {
      failed.Diagnostics.push_back(
          {LinkDiagnostic::Level::Fatal, 210, "I/O ERROR ON INPUT FILE", {"FILE:    " + name}});
      return false;
    }
    const std::string problem = ReadObjectFile(bytes, file);
    if (!problem.empty()) {
      failed.Diagnostics.push_back(
          {LinkDiagnostic::Level::Fatal, 211, problem, {"FILE:    " + name}});
      return false;
    }
  }
  if (o.Inputs.empty())
    failed.Diagnostics.push_back({LinkDiagnostic::Level::Fatal, 200, "NO INPUT FILES", {}});
  return !o.Inputs.empty();
}

void AddControlWarnings(const L51Options& o, LinkResult& result) {
  for (const std::string& c : o.UnknownControls)
    result.Diagnostics.push_back(
        {LinkDiagnostic::Level::Warning, 10, "UNKNOWN CONTROL IGNORED", {"CONTROL: " + c}});
  for (const std::string& c : o.BadControls)
    result.Diagnostics.push_back({LinkDiagnostic::Level::Warning,
                                  10,
                                  "INVALID CONTROL ARGUMENT IGNORED",
                                  {"CONTROL: " + c}});
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: L51 OBJ[,OBJ...] [TO OUT] [RAMSIZE(n)]\n");
    return 2;
  }
  const L51Options o = ParseL51Options(JoinArguments(argc, argv, 1));
  std::vector<ObjectFile> files;
  LinkResult result;
  const bool readable = ReadInputs(o, files, result);
  if (readable) result = Link(files, o.Settings);
  AddControlWarnings(o, result);

  std::error_code ec;
  bool saved = true;
  if (readable) {
    saved = WriteOutputFile(o.Output, WriteAbsoluteObject(result));
  } else {
    std::filesystem::remove(o.Output, ec);
  }
  const MapOptions map{JoinArguments(argc, argv, 0), WithoutExtension(o.Output), o.Inputs};
  const std::string text = WriteMap(result, map);
  saved = WriteOutputFile(o.MapName, text) && saved;
  if (!saved) std::fprintf(stderr, "L51: cannot write the output files\n");
  std::printf("LINK/LOCATE RUN COMPLETE.  %d WARNING(S),  %d ERROR(S)\n", result.Warnings(),
              result.Errors());
  for (const LinkDiagnostic& d : result.Diagnostics) {
    std::printf("*** %s L%d: %s\n",
                d.Severity == LinkDiagnostic::Level::Warning ? "WARNING"
                : d.Severity == LinkDiagnostic::Level::Error ? "ERROR"
                                                             : "FATAL ERROR",
                d.Number, d.Text.c_str());
    for (const std::string& detail : d.Details)
      std::printf("    %s\n", detail.c_str());
  }
  return result.Errors() > 0 || !saved ? 1 : 0;
}
