#include "PathConventions.h"

namespace {

size_t NameStart(std::string_view path, std::string_view delimiters) {
  const size_t last = path.find_last_of(delimiters);
  return last == std::string_view::npos ? 0 : last + 1;
}

size_t ExtensionStart(std::string_view path, std::string_view delimiters) {
  const size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < NameStart(path, delimiters)) return path.size();
  return dot;
}

} // namespace

std::string_view PathConventions::Extension(std::string_view path) const {
  return path.substr(ExtensionStart(path, DirDelimiters));
}

std::string PathConventions::Base(std::string_view path) const {
  const size_t start = NameStart(path, DirDelimiters);
  return std::string(path.substr(start, ExtensionStart(path, DirDelimiters) - start));
}

std::string PathConventions::ChangeExt(std::string_view path, std::string_view ext) const {
  return std::string(path.substr(0, ExtensionStart(path, DirDelimiters))) + std::string(ext);
}

std::string PathConventions::ToolPath(std::string_view dir, std::string_view tool) const {
  return std::string(dir) + Separator + std::string(tool) + ExeSuffix;
}
