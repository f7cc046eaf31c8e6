#include "SourceFile.h"

#include "AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

} // namespace

std::string WithLfLineEnds(std::string_view text, SourceFile::LineEnd& firstEnd) {
  std::string lf;
  lf.reserve(text.size());
  bool found = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      lf.push_back(c);
      continue;
    }
    SourceFile::LineEnd end = SourceFile::LineEnd::Lf;
    if (c == '\r') {
      end = i + 1 < text.size() && text[i + 1] == '\n' ? SourceFile::LineEnd::CrLf
                                                       : SourceFile::LineEnd::Cr;
      if (end == SourceFile::LineEnd::CrLf) ++i;
    }
    if (!found) firstEnd = end;
    found = true;
    lf.push_back('\n');
  }
  return lf;
}

SourceFile::Stamp SourceFile::StampOf(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return {};
  return {true, static_cast<int64_t>(st.st_size),
          static_cast<int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec,
          static_cast<uint64_t>(st.st_ino)};
}

bool SourceFile::Load(const std::filesystem::path& path, std::string& text) {
  Error.clear();
  std::string bytes;
  const Stamp stamp = StampOf(path);
  if (!ReadWholeFile(path, bytes)) {
    Error = "无法读取文件：" + path.string();
    return false;
  }
  std::string_view body = bytes;
  const bool mark = body.substr(0, Utf8Mark.size()) == Utf8Mark;
  if (mark) body.remove_prefix(Utf8Mark.size());
  const DecodedText decoded = DecodeText(body);
  LineEnd end = LineEnd::CrLf;
  text = WithLfLineEnds(decoded.Utf8, end);
  Path = path;
  Encoding = decoded.Encoding;
  End = end;
  ByteOrderMark = mark;
  Stamped = stamp;
  return true;
}

bool SourceFile::Encode(std::string_view text, std::string& bytes) const {
  const char* end = End == LineEnd::CrLf ? "\r\n" : End == LineEnd::Cr ? "\r" : "\n";
  std::string lines;
  lines.reserve(text.size() + text.size() / 16);
  for (char c : text)
    if (c == '\n')
      lines += end;
    else
      lines.push_back(c);
  bytes = ByteOrderMark ? std::string(Utf8Mark) : std::string();
  if (Encoding == TextEncoding::Utf8) {
    bytes += lines;
    return true;
  }
  const std::string gbk = Utf8ToGbk(lines);
  // Characters without a GBK code come back as '?'.
  if (GbkToUtf8(gbk) != lines) return false;
  bytes += gbk;
  return true;
}

bool SourceFile::Save(const std::filesystem::path& path, std::string_view text) {
  Error.clear();
  NeedsUtf8 = false;
  std::string bytes;
  if (!Encode(text, bytes)) {
    NeedsUtf8 = true;
    Error = "文件(" + path.string() + ")中有 GBK 编码不能表示的字符";
    return false;
  }
  errno = 0;
  if (!WriteFileAtomically(path, bytes)) {
    const int code = errno;
    Error =
        "无法写入文件：" + path.string() + (code ? std::string("：") + std::strerror(code) : "");
    return false;
  }
  Path = path;
  Stamped = StampOf(path);
  return true;
}

bool SourceFile::ChangedOnDisk() const {
  return !Path.empty() && StampOf(Path) != Stamped;
}
