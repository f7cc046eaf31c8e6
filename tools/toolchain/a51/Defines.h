#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace omf51 {

// The object-like names of #define lines and their replacement texts. Names
// are matched with their case, as in C.
class Defines {
public:
  void Define(const std::string& name, std::string value) { Names[name] = std::move(value); }
  void Undefine(const std::string& name) { Names.erase(name); }
  bool IsDefined(const std::string& name) const { return Names.count(name) > 0; }

  // The text with every defined name outside quotes replaced, again inside
  // replacements (a name is not replaced inside its own replacement); nothing
  // when the result grows past 64 KB.
  std::optional<std::string> Substitute(std::string_view text) const;

  // For #if: defined(NAME) and defined NAME become 1 or 0, then names are replaced.
  std::optional<std::string> SubstituteCondition(std::string_view text) const;

private:
  bool Replace(std::string_view text, std::string& out, int depth,
               std::map<std::string, bool>& active) const;

  std::map<std::string, std::string> Names;
};

// The name that starts at text[at], or empty.
std::string_view NameAt(std::string_view text, size_t at);

} // namespace omf51
