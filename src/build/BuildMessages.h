#pragma once

#include "PathConventions.h"

#include <istream>
#include <string>
#include <string_view>
#include <vector>

class UserInterface;

// What a build's listings and map say: the message lines of the messages window
// in order, the error and warning counts, and whether the link produced an object.
class BuildMessages {
public:
  explicit BuildMessages(UserInterface& ui, PathConventions paths = PathConventions::Native())
      : UI(ui), Paths(std::move(paths)) {}

  std::vector<std::string> Lines;
  // Not 16 bits: a count must not wrap round to 0 and let a failed build pass.
  int Errors = 0;
  int Warnings = 0;
  bool CompileOK = false;

  // Every source's listing, the summary line, and the map of mainName when no
  // source had errors.
  void Collect(const std::vector<std::string>& sources, const std::string& mainName);

  // The listing is looked for next to the source. A missing one is an error.
  void ParseListFile(const std::string& source);
  void ParseListing(std::istream& listing, const std::string& source);

  // The map mainName.M51: success only when its summary counts no error and no
  // fatal error follows it.
  void ParseMapFile(const std::string& mainName);
  void ParseMap(std::istream& map, const std::string& mapName);

  std::string Summary() const;

private:
  void AddMessage(std::string_view line, const std::string& name, std::string_view lineText);
  void ReadAssemblerMessages(class TextFileLines& lines, const std::string& source);
  void ReadCompilerMessages(class TextFileLines& lines, const std::string& source);

  UserInterface& UI;
  PathConventions Paths;
};

// Every character but the last is a blank or a digit and the last one is a digit.
bool IsLineNumberField(std::string_view text);

// What a double click on a message line opens: a file, at a 1-based line or
// (Line -1) where it is; nothing when FileName is empty. Error holds the
// message for a line number that is not a number.
struct MessageTarget {
  std::string FileName;
  int Line = -1;
  std::string Error;
};
MessageTarget TargetOfMessage(std::string_view line, std::string_view mapName);
