#include "SourceTokens.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>

namespace {

constexpr std::string_view Mnemonics[] = {
    "ACALL", "ADD",  "ADDC", "AJMP", "ANL",  "CALL", "CJNE", "CLR",  "CPL", "DA",   "DEC",   "DIV",
    "DJNZ",  "INC",  "JB",   "JBC",  "JC",   "JMP",  "JNB",  "JNC",  "JNZ", "JZ",   "LCALL", "LJMP",
    "MOV",   "MOVC", "MOVX", "MUL",  "NOP",  "ORL",  "POP",  "PUSH", "RET", "RETI", "RL",    "RLC",
    "RR",    "RRC",  "SETB", "SJMP", "SUBB", "SWAP", "XCH",  "XCHD", "XRL"};
constexpr std::string_view Registers[] = {
    "A",  "AB",   "ACC",  "B",    "C",    "DPH", "DPL", "DPTR", "IE",  "IP",  "P0", "P1",
    "P2", "P3",   "PC",   "PCON", "PSW",  "R0",  "R1",  "R2",   "R3",  "R4",  "R5", "R6",
    "R7", "SBUF", "SCON", "SP",   "TCON", "TH0", "TH1", "TL0",  "TL1", "TMOD"};
constexpr std::string_view Directives[] = {
    "AT",     "BIT",  "BSEG",    "CODE", "CSEG",  "DATA",  "DB",   "DBIT",  "DS",
    "DSEG",   "DW",   "END",     "EQU",  "EXTRN", "IDATA", "ISEG", "NAME",  "ORG",
    "PUBLIC", "RSEG", "SEGMENT", "SET",  "USING", "XDATA", "XSEG", "INPAGE"};
constexpr std::string_view CKeywords[] = {
    "auto",   "break",  "case",      "char",   "const",    "continue", "default",  "do",
    "double", "else",   "enum",      "extern", "float",    "for",      "goto",     "if",
    "int",    "long",   "register",  "return", "short",    "signed",   "sizeof",   "static",
    "struct", "switch", "typedef",   "union",  "unsigned", "void",     "volatile", "while",
    "bit",    "sbit",   "sfr",       "sfr16",  "data",     "idata",    "xdata",    "pdata",
    "code",   "bdata",  "interrupt", "using"};

bool IsWordStart(char16_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '?';
}
bool IsDigit(char16_t c) {
  return c >= '0' && c <= '9';
}
bool IsWordChar(char16_t c) {
  return IsWordStart(c) || IsDigit(c);
}

template <size_t N>
bool Contains(const std::string_view (&words)[N], std::u16string_view word, bool ignoreCase) {
  return std::any_of(std::begin(words), std::end(words), [&](std::string_view w) {
    if (w.size() != word.size()) return false;
    for (size_t i = 0; i < w.size(); ++i) {
      char16_t c = word[i];
      if (ignoreCase && c >= 'a' && c <= 'z') c = static_cast<char16_t>(c - 'a' + 'A');
      if (c != static_cast<char16_t>(w[i])) return false;
    }
    return true;
  });
}

// A quoted text from i, up to its closing quote or the end of the line.
size_t QuotedEnd(std::u16string_view line, size_t i, bool escapes) {
  const char16_t quote = line[i];
  for (size_t j = i + 1; j < line.size(); ++j) {
    if (escapes && line[j] == '\\') {
      ++j;
      continue;
    }
    if (line[j] == quote) return j + 1;
  }
  return line.size();
}

void Add(std::vector<SourceToken>& tokens, size_t start, size_t end, TokenKind kind) {
  tokens.push_back({static_cast<int>(start), static_cast<int>(end - start), kind});
}

std::optional<TokenKind> AssemblerWordKind(std::u16string_view word) {
  if (Contains(Mnemonics, word, true)) return TokenKind::Mnemonic;
  if (Contains(Registers, word, true)) return TokenKind::Register;
  if (Contains(Directives, word, true)) return TokenKind::Directive;
  return std::nullopt;
}

std::vector<SourceToken> AssemblerTokens(std::u16string_view line) {
  std::vector<SourceToken> tokens;
  size_t i = 0;
  while (i < line.size()) {
    const char16_t c = line[i];
    if (c == ';') {
      Add(tokens, i, line.size(), TokenKind::Comment);
      break;
    }
    if (c == '\'' || c == '"') {
      const size_t end = QuotedEnd(line, i, false);
      Add(tokens, i, end, TokenKind::String);
      i = end;
    } else if (c == '$' && i == 0) {
      // A control line ($INCLUDE, $NOLIST ...).
      size_t end = i + 1;
      while (end < line.size() && IsWordChar(line[end]))
        ++end;
      Add(tokens, i, end, TokenKind::Directive);
      i = end;
    } else if (IsDigit(c)) {
      size_t end = i;
      while (end < line.size() && IsWordChar(line[end]))
        ++end;
      Add(tokens, i, end, TokenKind::Number);
      i = end;
    } else if (IsWordStart(c)) {
      size_t end = i;
      while (end < line.size() && IsWordChar(line[end]))
        ++end;
      const std::u16string_view word = line.substr(i, end - i);
      // The extension of a file name (REG51.INC) is no instruction.
      const auto kind = AssemblerWordKind(word);
      if (kind && (i == 0 || line[i - 1] != '.')) Add(tokens, i, end, *kind);
      i = end;
    } else {
      ++i;
    }
  }
  return tokens;
}

std::vector<SourceToken> CTokens(std::u16string_view line, bool& inComment) {
  std::vector<SourceToken> tokens;
  size_t i = 0;
  if (inComment) {
    const size_t close = line.find(u"*/");
    const size_t end = close == std::u16string_view::npos ? line.size() : close + 2;
    Add(tokens, 0, end, TokenKind::Comment);
    if (close == std::u16string_view::npos) return tokens;
    inComment = false;
    i = end;
  }
  const size_t firstText = line.find_first_not_of(u" \t");
  if (firstText != std::u16string_view::npos && firstText >= i && line[firstText] == '#') {
    size_t end = firstText + 1;
    while (end < line.size() && (line[end] == ' ' || line[end] == '\t'))
      ++end;
    while (end < line.size() && IsWordChar(line[end]))
      ++end;
    Add(tokens, firstText, end, TokenKind::Preprocessor);
    i = end;
  }
  while (i < line.size()) {
    const char16_t c = line[i];
    if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') {
      Add(tokens, i, line.size(), TokenKind::Comment);
      break;
    }
    if (c == '/' && i + 1 < line.size() && line[i + 1] == '*') {
      const size_t close = line.find(u"*/", i + 2);
      const size_t end = close == std::u16string_view::npos ? line.size() : close + 2;
      Add(tokens, i, end, TokenKind::Comment);
      if (close == std::u16string_view::npos) inComment = true;
      i = end;
    } else if (c == '\'' || c == '"') {
      const size_t end = QuotedEnd(line, i, true);
      Add(tokens, i, end, TokenKind::String);
      i = end;
    } else if (IsDigit(c)) {
      size_t end = i;
      while (end < line.size() && (IsWordChar(line[end]) || line[end] == '.'))
        ++end;
      Add(tokens, i, end, TokenKind::Number);
      i = end;
    } else if (IsWordStart(c)) {
      size_t end = i;
      while (end < line.size() && IsWordChar(line[end]))
        ++end;
      if (Contains(CKeywords, line.substr(i, end - i), false))
        Add(tokens, i, end, TokenKind::Keyword);
      i = end;
    } else {
      ++i;
    }
  }
  return tokens;
}

} // namespace

SourceLanguage LanguageOfFile(std::string_view fileName) {
  const size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos || fileName.find_first_of("/\\", dot) != std::string_view::npos)
    return SourceLanguage::Assembler;
  const std::string_view ext = fileName.substr(dot + 1);
  return ext == "c" || ext == "C" || ext == "h" || ext == "H" ? SourceLanguage::C
                                                              : SourceLanguage::Assembler;
}

std::vector<SourceToken> TokensOfLine(std::u16string_view line, SourceLanguage language,
                                      bool& inComment) {
  if (language == SourceLanguage::C) return CTokens(line, inComment);
  inComment = false;
  return AssemblerTokens(line);
}
