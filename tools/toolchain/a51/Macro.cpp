#include "Macro.h"

#include "AsmError.h"
#include "Defines.h"
#include "ToolControls.h"

#include <cctype>
#include <cstdio>

namespace omf51 {

namespace {

// An argument used many times, passed on from expansion to expansion, could
// double a line at every level.
constexpr size_t MaxLine = 64 * 1024;

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::vector<std::string> Macro::Expand(const std::vector<std::string>& arguments,
                                       int& uniqueNames) const {
  std::map<std::string, std::string> names;
  for (size_t i = 0; i < Parameters.size(); ++i)
    names[Parameters[i]] = i < arguments.size() ? arguments[i] : std::string();
  for (const std::string& local : Locals) {
    char unique[16];
    std::snprintf(unique, sizeof unique, "??%04d", uniqueNames++ % 10000);
    names[local] = unique;
  }
  std::vector<std::string> lines;
  lines.reserve(Body.size());
  for (const std::string& line : Body) {
    lines.push_back(names.empty() ? line : ReplaceNames(line, names));
    if (lines.back().size() > MaxLine) throw AsmFailure{ErrExpansionTooLong};
  }
  return lines;
}

std::string ReplaceNames(std::string_view line, const std::map<std::string, std::string>& names) {
  std::string out;
  char quote = 0;
  bool afterReplaced = false;
  const auto replaced = [&](std::string_view name) {
    return !name.empty() && names.count(UpperCase(std::string(name))) > 0;
  };
  for (size_t i = 0; i < line.size();) {
    const char c = line[i];
    if (quote) {
      if (c == quote) quote = 0;
      out += c;
      ++i;
      continue;
    }
    if (c == '\'' || c == '"') {
      quote = c;
      out += c;
      ++i;
      afterReplaced = false;
      continue;
    }
    if (std::isdigit(static_cast<unsigned char>(c))) {
      while (i < line.size() && std::isalnum(static_cast<unsigned char>(line[i])))
        out += line[i++];
      afterReplaced = false;
      continue;
    }
    const std::string_view name = NameAt(line, i);
    if (!name.empty()) {
      const auto it = names.find(UpperCase(std::string(name)));
      afterReplaced = it != names.end();
      out += afterReplaced ? std::string_view(it->second) : name;
      i += name.size();
      continue;
    }
    if (c == '&' && (afterReplaced || replaced(NameAt(line, i + 1)))) {
      ++i;
      afterReplaced = false;
      continue;
    }
    out += c;
    ++i;
    afterReplaced = false;
  }
  return out;
}

std::vector<std::string> SplitArguments(std::string_view text) {
  std::vector<std::string> arguments;
  text = Trim(text);
  if (text.empty()) return arguments;
  int parentheses = 0;
  int brackets = 0;
  char quote = 0;
  size_t start = 0;
  const auto take = [&](size_t end) {
    std::string_view argument = Trim(text.substr(start, end - start));
    if (argument.size() >= 2 && argument.front() == '<' && argument.back() == '>')
      argument = argument.substr(1, argument.size() - 2);
    arguments.emplace_back(argument);
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == '(') {
      ++parentheses;
    } else if (c == ')') {
      --parentheses;
    } else if (c == '<') {
      ++brackets;
    } else if (c == '>') {
      --brackets;
    } else if (c == ',' && parentheses <= 0 && brackets <= 0) {
      take(i);
      start = i + 1;
    }
  }
  take(text.size());
  return arguments;
}

std::string_view TextAfterWords(std::string_view code, int count) {
  size_t i = 0;
  for (int word = 0; word < count; ++word) {
    while (i < code.size() && (code[i] == ' ' || code[i] == '\t'))
      ++i;
    const size_t length = i < code.size() && code[i] == ':' ? 1 : NameAt(code, i).size();
    if (length == 0) return {};
    i += length;
  }
  return code.substr(i);
}

} // namespace omf51
