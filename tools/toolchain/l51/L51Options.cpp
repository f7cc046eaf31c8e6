#include "L51Options.h"

#include "ToolControls.h"
#include "ToolFiles.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <sstream>

namespace omf51 {

namespace {

std::string Trim(std::string text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A decimal number, or a hexadecimal one with an H suffix.
std::optional<uint32_t> Number(const std::optional<std::string>& text) {
  if (!text || text->empty()) return std::nullopt;
  std::string digits = UpperCase(*text);
  int radix = 10;
  if (digits.back() == 'H') {
    radix = 16;
    digits.pop_back();
  }
  if (digits.empty() || digits.size() > 6) return std::nullopt;
  uint32_t value = 0;
  for (char c : digits) {
    const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : 99;
    if (d >= radix) return std::nullopt;
    value = value * static_cast<uint32_t>(radix) + static_cast<uint32_t>(d);
  }
  return value;
}

bool IsAcceptedControl(const std::string& name) {
  static const char* const Accepted[] = {"IXREF",
                                         "IX",
                                         "NOLINES",
                                         "NOSYMBOLS",
                                         "NOPUBLICS",
                                         "NOMAP",
                                         "MAP",
                                         "NOOVERLAY",
                                         "NOOL",
                                         "OVERLAY",
                                         "NODEBUGLINES",
                                         "NODEBUGSYMBOLS",
                                         "NODEBUGPUBLICS",
                                         "NOAMAKE",
                                         "DISABLEWARNING",
                                         "DW"};
  return std::any_of(std::begin(Accepted), std::end(Accepted),
                     [&name](const char* a) { return name == a; });
}

void ApplyControl(const ToolControl& c, L51Options& o) {
  const std::string& n = c.Name;
  const auto number = Number(c.Argument);
  if (n == "RAMSIZE" || n == "RS") {
    if (number && *number >= 128 && *number <= 256)
      o.Settings.RamSize = *number;
    else
      o.BadControls.push_back(n);
  } else if (n == "CODE" || n == "XDATA") {
    if (number && *number <= 0xFFFF)
      (n == "CODE" ? o.Settings.CodeStart : o.Settings.XDataStart) = *number;
    else
      o.BadControls.push_back(n);
  } else if ((n == "PRINT" || n == "PR") && c.Argument && !c.Argument->empty()) {
    o.MapName = *c.Argument;
  } else if (!IsAcceptedControl(n)) {
    o.UnknownControls.push_back(c.Argument ? n + "(" + *c.Argument + ")" : n);
  }
}

} // namespace

L51Options ParseL51Options(const std::string& commandTail) {
  L51Options o;
  std::vector<std::string> words;
  std::stringstream split(commandTail);
  for (std::string w; split >> w;)
    words.push_back(w);
  const auto to = std::find_if(words.begin(), words.end(),
                               [](const std::string& w) { return UpperCase(w) == "TO"; });
  std::string inputs, controls;
  for (auto it = words.begin(); it != words.end(); ++it) {
    if (it < to && it->find('(') == std::string::npos)
      inputs += *it + " ";
    else if (it > to + 1 || (it < to) || (to == words.end()))
      controls += *it + " ";
    else if (it == to + 1)
      o.Output = *it;
  }
  std::stringstream list(inputs);
  for (std::string name; std::getline(list, name, ',');)
    if (!Trim(name).empty()) o.Inputs.push_back(Trim(name));
  if (o.Output.empty() && !o.Inputs.empty()) o.Output = WithoutExtension(o.Inputs.front());
  for (const ToolControl& c : ParseControls(controls))
    ApplyControl(c, o);
  if (o.MapName.empty()) o.MapName = WithoutExtension(o.Output) + ".M51";
  return o;
}

} // namespace omf51
