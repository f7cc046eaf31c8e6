#include "FileLookup.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool IsRegularFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

// The entry of dir whose name matches name ignoring case; exact matches first.
std::optional<fs::path> FindEntry(const fs::path& dir, const std::string& name) {
  std::error_code ec;
  const fs::path exact = (dir.empty() ? fs::path(".") : dir) / name;
  if (fs::exists(exact, ec)) return dir / name;
  fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (SameIgnoringCase(entry, name)) return dir / entry;
  }
  return std::nullopt;
}

std::optional<fs::path> FindBareName(const fs::path& dir, const std::string& name, int depth) {
  if (auto hit = FindEntry(dir, name); hit && IsRegularFile(*hit)) return hit;
  if (depth <= 0) return std::nullopt;
  std::error_code ec;
  fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec), end;
  std::vector<fs::path> subdirs;
  for (; !ec && it != end; it.increment(ec))
    if (it->is_directory(ec) && !it->is_symlink(ec)) subdirs.push_back(it->path());
  std::sort(subdirs.begin(), subdirs.end());
  for (const fs::path& sub : subdirs)
    if (auto hit = FindBareName(sub, name, depth - 1)) return hit;
  return std::nullopt;
}

} // namespace

std::optional<fs::path> FindFileIgnoringCase(const fs::path& name) {
  if (name.empty()) return std::nullopt;
  if (IsRegularFile(name)) return name;
  fs::path found = name.is_absolute() ? name.root_path() : fs::path();
  for (const fs::path& part : name.relative_path()) {
    const std::string text = part.string();
    if (text == "." || text == "..") {
      found /= part;
      continue;
    }
    auto entry = FindEntry(found, text);
    if (!entry) return std::nullopt;
    found = *entry;
  }
  if (!IsRegularFile(found)) return std::nullopt;
  return found;
}

std::optional<fs::path> ResolveRecordedName(std::string_view recorded, const fs::path& base,
                                            int searchDepth) {
  if (recorded.empty()) return std::nullopt;
  // An object file named without a folder lies in the current one.
  const fs::path baseDir = base.empty() ? fs::path(".") : base;
  const std::string given(recorded);
  if (fs::path(given).is_absolute() && IsRegularFile(given)) return fs::path(given);

  std::string slashed = given;
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  // A drive letter ("C:") means nothing here; the rest is taken as relative.
  if (slashed.size() >= 2 && slashed[1] == ':') slashed.erase(0, 2);
  while (!slashed.empty() && slashed.front() == '/')
    slashed.erase(0, 1);
  // The build may have run in the object's folder or in the one above it.
  const fs::path parent = fs::absolute(baseDir).lexically_normal().parent_path();
  const bool hasParent = !parent.empty() && parent != fs::absolute(baseDir).lexically_normal();
  if (!slashed.empty()) {
    if (auto hit = FindFileIgnoringCase(baseDir / slashed)) return hit->lexically_normal();
    if (hasParent && slashed.find('/') != std::string::npos)
      if (auto hit = FindFileIgnoringCase(parent / slashed)) return hit->lexically_normal();
  }

  // A bare name is looked for below the object and beside its folder, never in
  // a neighbour folder (in a grading folder, another student's).
  const std::string bare = fs::path(slashed).filename().string();
  if (bare.empty()) return std::nullopt;
  if (auto hit = FindBareName(baseDir, bare, searchDepth)) return hit;
  if (hasParent)
    if (auto hit = FindBareName(parent, bare, 0)) return hit;
  return std::nullopt;
}
