#include "AsmListing.h"

#include "HexText.h"
#include "SourceText.h"
#include "TextEncoding.h"

#include <string>

namespace {

constexpr size_t ShortestSourceLine = 28;
constexpr size_t LineNumberColumn = 19; // 0-based start of the 5-column field
constexpr size_t IncludeMarkColumn = 16;
constexpr size_t TextColumn = 29;

bool IsContinuationByte(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

// The listing cuts long lines after a fixed number of bytes, even inside a
// character: drop a character cut at the end of the text.
std::string_view WithoutCutCharacterAtEnd(std::string_view text) {
  for (size_t back = 1; back <= 4 && back <= text.size(); ++back) {
    const auto c = static_cast<unsigned char>(text[text.size() - back]);
    if (IsContinuationByte(c)) continue;
    if (SequenceLength(c) > back) text.remove_suffix(back);
    break;
  }
  return text;
}

// ... and the rest of that character at the start of the continuation line.
std::string_view WithoutCutCharacterAtStart(std::string_view text) {
  const size_t blanks = text.find_first_not_of(' ');
  if (blanks == std::string_view::npos) return {};
  text.remove_prefix(blanks);
  while (!text.empty() && IsContinuationByte(static_cast<unsigned char>(text.front())))
    text.remove_prefix(1);
  return text;
}

// UTF-8 when every line is, apart from characters cut at the line breaks.
bool IsUtf8Listing(std::string_view listing) {
  if (IsValidUtf8(listing)) return true;
  for (std::string_view line : SplitLines(listing))
    if (!IsValidUtf8(WithoutCutCharacterAtEnd(WithoutCutCharacterAtStart(line)))) return false;
  return true;
}

bool HasNonAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  return false;
}

bool IsBlankOrDigit(char c) {
  return c == ' ' || (c >= '0' && c <= '9');
}

bool IsUpperHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

bool HasLineNumber(std::string_view line) {
  const std::string_view field = line.substr(LineNumberColumn, 5);
  for (size_t i = 0; i < 4; ++i)
    if (!IsBlankOrDigit(field[i])) return false;
  return field[4] >= '0' && field[4] <= '9';
}

// The location counter in columns 1-4, when columns 6-7 show object code too;
// a label line shows an address but no code.
int32_t CodeAddress(std::string_view line) {
  for (size_t i : {0, 1, 2, 3, 5, 6})
    if (!IsUpperHex(line[i])) return -1;
  return HexToInt(line.substr(0, 4));
}

// The located address of a listing line with code, from the object's
// line-number items when they name it.
int32_t LocatedAddress(std::string_view line, int32_t listed, const TLongIntList* lineItems) {
  if (listed < 0 || !lineItems) return listed;
  const int32_t number =
      static_cast<int32_t>(std::stoi(std::string(line.substr(LineNumberColumn, 5))));
  if (number < 1 || number > lineItems->Count()) return listed;
  const int32_t located = lineItems->Get(number - 1);
  return located >= 0 ? located : listed;
}

} // namespace

void ReadAsmListing(std::string_view listing, std::vector<std::string>& sourceLines,
                    TLongIntList& lines, const TLongIntList* lineItems) {
  const bool utf8 = IsUtf8Listing(listing);
  for (std::string_view line : SplitLines(listing)) {
    if (line.size() < ShortestSourceLine || !HasLineNumber(line)) continue;
    if (line[IncludeMarkColumn] == '=') continue;
    // A message about line 1000 on ("*** WARNING #A41 IN 1000 ...") has digits there too.
    if (line.substr(0, 4) == "*** ") continue;
    // The assembler copies a source's byte-order mark into the first line's text.
    const std::string_view text = WithoutByteOrderMark(
        line.size() > TextColumn ? line.substr(TextColumn) : std::string_view());
    if (!HasNonAscii(text))
      sourceLines.emplace_back(text);
    else if (utf8)
      sourceLines.emplace_back(WithoutCutCharacterAtEnd(text));
    else
      sourceLines.push_back(GbkToUtf8(text));
    lines.Add(LocatedAddress(line, CodeAddress(line), lineItems));
  }
}
