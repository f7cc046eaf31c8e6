#pragma once

#include "../platform/TempDir.h"

#include "AtomicFile.h"
#include "OmfReader.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

// Bytes written as hex pairs separated by blanks ("02 08 00").
inline std::string Bytes(const std::string& hexPairs) {
  std::string out;
  std::stringstream in(hexPairs);
  for (std::string pair; in >> pair;)
    out += static_cast<char>(std::stoi(pair, nullptr, 16));
  return out;
}

inline std::string ReadText(const std::filesystem::path& path) {
  std::string bytes;
  ReadWholeFile(path, bytes);
  return bytes;
}

// The records of an object file, each as its complete bytes; records of the
// listed types are left out.
inline std::vector<std::string> RecordsOf(const std::string& file,
                                          const std::vector<uint8_t>& skip = {}) {
  std::vector<std::string> records;
  omf51::RecordWalker walker(file);
  omf51::RecordView r;
  while (walker.Next(r)) {
    bool skipped = false;
    for (uint8_t t : skip)
      skipped = skipped || r.Type == t;
    if (!skipped) records.push_back(file.substr(r.Offset, r.Content.size() + 4));
  }
  return records;
}

// Lines of a text file without their CR LF.
inline std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// Runs one of the tool programs in dir, as the workbench's batch file does.
inline int RunTool(const std::filesystem::path& dir, const std::string& commandLine) {
  const std::string command =
      "cd '" + dir.string() + "' && SOURCE_DATE_EPOCH=0 " + commandLine + " >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A folder holding copies of the fixture sources, where the tools run.
struct BuildDir : TempDir {
  explicit BuildDir(std::initializer_list<const char*> fixtures = {}) {
    for (const char* name : fixtures)
      std::filesystem::copy_file(std::filesystem::path(TOOL_TEST_DATA) / name, Path / name);
  }

  // Runs a tool with its arguments as the batch runner passes them (no shell
  // parsing of the parentheses).
  int Run(const char* program, const std::vector<std::string>& args) const {
    std::string line = std::string("'") + program + "'";
    for (const std::string& a : args)
      line += " '" + a + "'";
    return RunTool(Path, line);
  }
  int Assemble(const std::string& source) const {
    const std::string base = std::filesystem::path(source).stem().string();
    std::string upper = base;
    for (char& c : upper)
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return Run(A51_PROGRAM, {(Path / source).string(), "DB", "SB", "XR", "RB(0)",
                             "PR(" + upper + ".LST)", "", "OJ(" + upper + ".o)"});
  }
  std::string Read(const std::string& name) const { return ReadText(Path / name); }
  std::string LastLine(const std::string& name) const { return LinesOf(Read(name)).back(); }
};
