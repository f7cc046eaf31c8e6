#include "ToolControls.h"

#include <cctype>

namespace omf51 {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

std::vector<ToolControl> ParseControls(std::string_view text) {
  std::vector<ToolControl> controls;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i]))
      ++i;
    if (i >= text.size()) break;
    const size_t start = i;
    while (i < text.size() && !IsBlank(text[i]) && text[i] != '(')
      ++i;
    ToolControl control{UpperCase(std::string(text.substr(start, i - start))), std::nullopt};
    size_t look = i;
    while (look < text.size() && IsBlank(text[look]))
      ++look;
    if (look < text.size() && text[look] == '(') {
      const size_t close = text.find(')', look);
      const size_t end = close == std::string_view::npos ? text.size() : close;
      std::string argument(text.substr(look + 1, end - look - 1));
      while (!argument.empty() && IsBlank(argument.back()))
        argument.pop_back();
      while (!argument.empty() && IsBlank(argument.front()))
        argument.erase(0, 1);
      control.Argument = argument;
      i = close == std::string_view::npos ? text.size() : close + 1;
    }
    controls.push_back(std::move(control));
  }
  return controls;
}

std::string JoinArguments(int argc, char** argv, int from) {
  std::string joined;
  for (int i = from; i < argc; ++i) {
    if (!joined.empty()) joined += ' ';
    joined += argv[i];
  }
  return joined;
}

std::string UpperCase(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

} // namespace omf51
