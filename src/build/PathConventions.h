#pragma once

#include <string>
#include <string_view>

// How a platform spells the paths the build writes into command lines and
// batch files: the directory separator before a tool's name, the suffix of an
// executable, and the characters that end a file's directory part.
struct PathConventions {
  char Separator = '/';
  std::string ExeSuffix;
  std::string DirDelimiters = "/";

  static PathConventions Windows() { return {'\\', ".exe", "\\:"}; }
  static PathConventions Linux() { return {'/', "", "/"}; }
  static PathConventions Native() { return Linux(); }

  // The extension of a path: from its last dot after the directory part, dot
  // included; empty when there is none.
  std::string_view Extension(std::string_view path) const;
  // The file name without directory and extension.
  std::string Base(std::string_view path) const;
  // The path with its extension replaced by ext (or ext appended).
  std::string ChangeExt(std::string_view path, std::string_view ext) const;
  // The full name of a tool program in dir.
  std::string ToolPath(std::string_view dir, std::string_view tool) const;
};
