// The language real lab sources use beyond plain instructions: C comments
// and preprocessor lines, $IF controls, and the limits that keep a hostile
// source from exhausting the assembler.
#include "AssemblerFixture.h"

#include "AsmListing.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace omf51;

namespace {

struct BytesCase {
  const char* Name;
  std::string Source; // assembled after "CSEG AT 0", followed by END
  std::string Bytes;  // the code from address 0
};

std::string CodeOf(const Assembled& a) {
  return a.CodeBytes(0, a.Code().size());
}

void ExpectBytes(const std::vector<BytesCase>& cases,
                 const std::map<std::string, std::string>& includes = {}) {
  for (const BytesCase& c : cases) {
    const Assembled a = Assemble("        CSEG AT 0\n" + c.Source + "        END\n", includes);
    EXPECT_EQ(a.Module.Errors, 0) << c.Name;
    EXPECT_EQ(a.Module.Warnings, 0) << c.Name;
    EXPECT_EQ(CodeOf(a), c.Bytes) << c.Name;
  }
}

struct ErrorCase {
  const char* Name;
  std::string Source;
  std::vector<std::string> Messages; // as the build messages window reads them
};

// The source lines the workbench's listing reader rebuilds.
std::vector<std::string> WorkbenchSource(const Assembled& a) {
  std::string listing;
  for (const std::string& line : a.Listing)
    listing += line + "\r\n";
  std::vector<std::string> lines;
  TLongIntList addresses;
  ReadAsmListing(listing, lines, addresses);
  return lines;
}

void ExpectMessages(const std::vector<ErrorCase>& cases,
                    const std::map<std::string, std::string>& includes = {}) {
  for (const ErrorCase& c : cases) {
    const Assembled a = Assemble(c.Source, includes);
    EXPECT_EQ(BuildMessages(a.Listing), c.Messages) << c.Name;
  }
}

} // namespace

TEST(AssemblerLanguage, CCommentsAroundCode) {
  ExpectBytes({
      {"line comment", "        MOV A,#1 // load\n", "7401"},
      {"block over lines", "/* MOV A,#1\n        MOV A,#2\n*/      MOV A,#3\n", "7403"},
      {"block inside a line", "        MOV /* x */ A,#4 /* y */ ; z\n", "7404"},
      {"slashes in a string", "        DB '//','/*',0\n", "2F2F2F2A00"},
      {"after a semicolon", "        MOV A,#5 ; /* no block\n        MOV A,#6\n", "74057406"},
      {"division stays", "        MOV A,#12/4\n", "7403"},
  });
}

TEST(AssemblerLanguage, PreprocessorLines) {
  ExpectBytes(
      {
          {"define in an operand", "#define COUNT 0x10\n        MOV A,#COUNT+1\n", "7411"},
          {"define of a name", "#define LED P1.0\n        SETB LED\n", "D290"},
          {"define keeps case", "#define n 1\n        MOV A,#n\nN       EQU 2\n        MOV A,#N\n",
           "74017402"},
          {"if elif else",
           "#define MODE 2\n#if MODE == 1\n        NOP\n#elif MODE == 2\n        INC A\n"
           "#else\n        DEC A\n#endif\n",
           "04"},
          {"ifdef and ifndef",
           "#define HAVE\n#ifdef HAVE\n        INC A\n#endif\n#ifndef HAVE\n        DEC A\n"
           "#endif\n#ifndef OTHER\n        NOP\n#endif\n",
           "0400"},
          {"defined() and undef",
           "#define A1\n#undef A1\n#if !defined(A1) && defined B1 == 0\n        INC A\n#endif\n",
           "04"},
          {"nested, outer false",
           "#if 0\n#if 1\n        NOP\n#else\n        NOP\n#endif\n        NOP\n#else\n        INC "
           "A\n#endif\n",
           "04"},
          {"include in quotes and brackets",
           "#include \"defs.inc\"\n#include <more.inc>\n        MOV A,#VALUE+MORE\n", "7403"},
      },
      {{"DEFS.INC", "VALUE   EQU 1\n"}, {"MORE.INC", "MORE    EQU 2\n"}});
}

TEST(AssemblerLanguage, ControlConditionals) {
  ExpectBytes({
      {"set and if", "$SET (DEBUG)\n$IF (DEBUG)\n        INC A\n$ELSE\n        DEC A\n$ENDIF\n",
       "04"},
      {"reset", "$SET (DEBUG)\n$RESET (DEBUG)\n$IF (DEBUG)\n        INC A\n$ENDIF\n", ""},
      {"unset is false", "$IF (NEVER)\n        INC A\n$ENDIF\n", ""},
      {"value and elseif",
       "$SET (MODEL = 2, FAST)\n$IF (MODEL = 1)\n        NOP\n$ELSEIF (MODEL = 2)\n        INC "
       "A\n$ELSEIF (FAST)\n        NOP\n$ENDIF\n",
       "04"},
      {"false branch skips controls",
       "$IF (0)\n$INCLUDE (missing.inc)\n$SET (X)\n$ENDIF\n$IF (X)\n        NOP\n$ENDIF\n", ""},
  });
}

// A false branch is listed with its line numbers and no code, so the
// workbench's listing reader gives back the source file line for line;
// $NOCOND leaves it out of the listing.
TEST(AssemblerLanguage, FalseBranchesKeepTheLineNumbers) {
  const std::string source = "        CSEG AT 0\n"
                             "$IF (0)\n"
                             "        MOV A,#1\n"
                             "$ENDIF\n"
                             "#if 0\n"
                             "        MOV A,#2\n"
                             "#endif\n"
                             "        MOV A,#3\n"
                             "        MOV A,UNDEFINED_X\n"
                             "        END\n";
  const Assembled a = Assemble(source);
  EXPECT_EQ(WorkbenchSource(a), LinesOf(source));
  EXPECT_EQ(RebuildSource(a.Listing).Text, LinesOf(source));
  EXPECT_EQ(RebuildSource(a.Listing).Address,
            (std::vector<int>{-1, -1, -1, -1, -1, -1, -1, 0, -1, -1}));
  EXPECT_EQ(BuildMessages(a.Listing), std::vector<std::string>{"(LINE 9), UNDEFINED SYMBOL"});

  const Assembled hidden = Assemble("$NOCOND\n" + source);
  const RebuiltSource rebuilt = RebuildSource(hidden.Listing);
  ASSERT_EQ(rebuilt.Text.size(), 9u);
  EXPECT_EQ(rebuilt.Text[7], "        MOV A,UNDEFINED_X");
  for (const std::string& l : hidden.Listing) {
    if (l.find("UNDEFINED_X") != std::string::npos && l.rfind("***", 0) != 0) {
      EXPECT_EQ(l.substr(19, 5), "   10");
    }
  }
}

TEST(AssemblerLanguage, ErrorsInConditionalsAndPreprocessorLines) {
  ExpectMessages({
      {"endif without if", "$ENDIF\n        END\n", {"(LINE 1), ELSEIF, ELSE OR ENDIF WITHOUT IF"}},
      {"else after else",
       "#if 1\n#else\n#else\n#endif\n        END\n",
       {"(LINE 3), ELSEIF, ELSE OR ENDIF WITHOUT IF"}},
      {"kinds do not mix",
       "$IF (1)\n#endif\n$ENDIF\n        END\n",
       {"(LINE 2), ELSEIF, ELSE OR ENDIF WITHOUT IF"}},
      {"if left open", "$IF (1)\n        END\n", {"(LINE 2), IF WITHOUT ENDIF"}},
      {"error line", "#error stop here\n        END\n", {"(LINE 1), INVALID PREPROCESSOR LINE"}},
      {"function-like define",
       "#define F(x) x\n        END\n",
       {"(LINE 1), INVALID PREPROCESSOR LINE"}},
      {"define that refers to itself",
       "#define A B\n#define B A\n        DB A\n        END\n",
       {"(LINE 3), UNDEFINED SYMBOL"}},
      {"unknown directive", "#pragma once\n        END\n", {"(LINE 1), UNKNOWN CONTROL IGNORED"}},
      {"missing include",
       "#include \"nothere.inc\"\n        END\n",
       {"(LINE 1), CANNOT OPEN INCLUDE FILE"}},
  });
}

TEST(AssemblerLanguage, HostileSourcesEndWithAnError) {
  std::string deepIf;
  for (int i = 0; i < 70; ++i)
    deepIf += "$IF (1)\n";
  for (int i = 0; i < 70; ++i)
    deepIf += "$ENDIF\n";
  const Assembled nested = Assemble(deepIf + "        END\n");
  EXPECT_EQ(BuildMessages(nested.Listing).front(), "(LINE 65), IF OR MACRO NESTED TOO DEEPLY");

  const std::vector<std::pair<std::string, std::string>> expressions = {
      {"parentheses", std::string(20000, '(') + "1" + std::string(20000, ')')},
      {"minus signs", std::string(300000, '-') + "1"},
      {"NOT words",
       [] {
         std::string s;
         for (int i = 0; i < 20000; ++i)
           s += "NOT ";
         return s + "1";
       }()},
      {"101 levels", std::string(101, '(') + "1" + std::string(101, ')')},
  };
  for (const auto& [name, expression] : expressions) {
    const Assembled a = Assemble("        DW " + expression + "\n        END\n");
    EXPECT_EQ(BuildMessages(a.Listing),
              std::vector<std::string>{"(LINE 1), EXPRESSION NESTED TOO DEEPLY"})
        << name;
  }
  const Assembled hundred =
      Assemble("        DW " + std::string(99, '(') + "1" + std::string(99, ')') + "\n END\n");
  EXPECT_EQ(hundred.Module.Errors, 0);
}

TEST(AssemblerLanguage, FilesThatIncludeThemselvesAreErrors) {
  ExpectMessages(
      {
          {"directly", "$INCLUDE (test.asm)\n        END\n", {"(LINE 1), FILE INCLUDES ITSELF"}},
          {"through another",
           "#include \"a.inc\"\n        END\n",
           {"(LINE 1), FILE INCLUDES ITSELF"}},
          {"the same file twice is fine",
           "#include \"b.inc\"\n#include \"b.inc\"\n        END\n",
           {}},
      },
      {{"a.inc", "$INCLUDE (B.INC)\n$INCLUDE (A.INC)\n"}, {"b.inc", "X SET 1\n"}});
}

TEST(AssemblerLanguage, IfBlocks) {
  ExpectBytes({
      {"true and false",
       "        IF 1\n        INC A\n        ELSE\n        DEC A\n        ENDIF\n", "04"},
      {"nested, elseif",
       "        IF 0\n        IF 1\n        NOP\n        ENDIF\n        ELSEIF 1\n        INC A\n"
       "        ELSE\n        DEC A\n        ENDIF\n",
       "04"},
      {"symbols defined before",
       "X       EQU 3\n        IF X > 2 AND X < 5\n        INC A\n        ENDIF\n", "04"},
      {"byte of a length",
       "XDATALEN EQU 1200H\n        IF (LOW (XDATALEN)) <> 0\n        NOP\n        ELSE\n"
       "        INC A\n        ENDIF\n",
       "04"},
      {"start-up style",
       "IDATALEN EQU 80H\n        IF IDATALEN <> 0\n        MOV R0,#IDATALEN - 1\n        ENDIF\n",
       "787F"},
      {"false branch holds no code", "        IF 0\n        \xB2\xE2\xCA\xD4 $%\n        ENDIF\n",
       ""},
      {"set variable in a loop of ifs",
       "N       SET 1\n        IF N = 1\nN       SET 2\n        ENDIF\n"
       "        DB N\n",
       "02"},
  });
}

TEST(AssemblerLanguage, MacrosAndRepeatBlocks) {
  ExpectBytes({
      {"parameters",
       "LOAD    MACRO P1, P2\n        MOV P1,#P2\n        ENDM\n        LOAD A, 5\n"
       "        load r0, 0x10\n",
       "74057810"},
      {"local label expanded twice",
       "WAIT    MACRO N\n        LOCAL L\n        MOV R7,#N\nL:      DJNZ R7,L\n        ENDM\n"
       "        WAIT 3\n        WAIT 4\n",
       "7F03DFFE7F04DFFE"},
      {"exitm",
       "PUT     MACRO X\n        IF X = 0\n        EXITM\n        ENDIF\n        DB X\n"
       "        ENDM\n        PUT 0\n        PUT 7\n",
       "07"},
      {"rept", "        REPT 3\n        NOP\n        ENDM\n", "000000"},
      {"irp", "        IRP R, <R0, R1>\n        INC R\n        ENDM\n", "0809"},
      {"irpc", "        IRPC D, 123\n        DB D\n        ENDM\n", "010203"},
      {"label on the call",
       "ONE     MACRO\n        NOP\n        ENDM\nHERE:   ONE\n        SJMP HERE\n", "0080FD"},
      {"& glues a parameter",
       "SPIN    MACRO N\nL&N:    NOP\n        SJMP L&N\n        ENDM\n        SPIN 1\n        SPIN "
       "2\n",
       "0080FD0080FD"},
      {"a macro calls a macro",
       "INNER   MACRO\n        INC A\n        ENDM\nOUTER   MACRO\n        INNER\n        INNER\n"
       "        ENDM\n        OUTER\n",
       "0404"},
      {"bracketed argument", "BYTES   MACRO L\n        DB L\n        ENDM\n        BYTES <1, 2>\n",
       "0102"},
      {"rept inside a macro",
       "PAD     MACRO N\n        REPT N\n        DB 0FFH\n        ENDM\n        ENDM\n        PAD "
       "2\n",
       "FFFF"},
  });
}

// Expansion lines are listed under the call without a line number, so the
// workbench's reader rebuilds the source line for line and counts a message
// in an expansion at the call.
TEST(AssemblerLanguage, ExpansionLinesKeepTheLineNumbers) {
  const std::string source = "        CSEG AT 0\n"
                             "TWICE   MACRO X\n"
                             "        INC X\n"
                             "        INC X\n"
                             "        ENDM\n"
                             "        TWICE A\n"
                             "        IF 0\n"
                             "        NOP\n"
                             "        ENDIF\n"
                             "        TWICE UNDEFINED_X\n"
                             "        SJMP $\n"
                             "        END\n";
  const Assembled a = Assemble(source);
  const RebuiltSource rebuilt = RebuildSource(a.Listing);
  EXPECT_EQ(WorkbenchSource(a), LinesOf(source));
  EXPECT_EQ(rebuilt.Text, LinesOf(source));
  EXPECT_EQ(rebuilt.Address, (std::vector<int>{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 6, -1}));
  EXPECT_EQ(BuildMessages(a.Listing), (std::vector<std::string>{"(LINE 10), UNDEFINED SYMBOL",
                                                                "(LINE 10), UNDEFINED SYMBOL"}));
  const auto first = std::find_if(a.Listing.begin(), a.Listing.end(), [](const std::string& l) {
    return l.find("INC A") != std::string::npos && l.find("+") != std::string::npos;
  });
  ASSERT_NE(first, a.Listing.end());
  EXPECT_EQ(first->substr(0, 29), "0000 04          +           ");
  // The object's line numbers name the call's line.
  std::vector<std::pair<uint16_t, int>> lines;
  for (const CodeRun& run : a.Module.Runs)
    lines.insert(lines.end(), run.Lines.begin(), run.Lines.end());
  EXPECT_EQ(lines, (std::vector<std::pair<uint16_t, int>>{{0, 6}, {1, 6}, {0, 11}}));
}

TEST(AssemblerLanguage, ErrorsInIfBlocksAndMacros) {
  ExpectMessages({
      {"endif without if",
       "        ENDIF\n        END\n",
       {"(LINE 1), ELSEIF, ELSE OR ENDIF WITHOUT IF"}},
      {"if open at end", "        IF 1\n        END\n", {"(LINE 2), IF WITHOUT ENDIF"}},
      {"if open without end",
       "        IF 1\n",
       {"(LINE 1), IF WITHOUT ENDIF", "(LINE 1), MISSING 'END' STATEMENT"}},
      {"macro without endm",
       "M       MACRO\n        NOP\n        END\n",
       {"(LINE 1), MACRO WITHOUT ENDM", "(LINE 3), MISSING 'END' STATEMENT"}},
      {"stray endm",
       "        ENDM\n        END\n",
       {"(LINE 1), ENDM, EXITM OR LOCAL OUTSIDE A MACRO"}},
      {"exitm outside",
       "        EXITM\n        END\n",
       {"(LINE 1), ENDM, EXITM OR LOCAL OUTSIDE A MACRO"}},
      {"endless recursion",
       "M       MACRO\n        M\n        ENDM\n        M\n        END\n",
       {"(LINE 4), IF OR MACRO NESTED TOO DEEPLY"}},
      {"an argument that doubles at every level",
       "M       MACRO X\n        M X&X\n        ENDM\n        M AB\n        END\n",
       {"(LINE 4), MACRO EXPANSION TOO LONG"}},
      {"too long",
       "        REPT 60000\n        NOP\n        NOP\n        ENDM\n        END\n",
       {"(LINE 1), MACRO EXPANSION TOO LONG"}},
      {"forward reference",
       "        IF LATER\n        ENDIF\nLATER   EQU 1\n        END\n",
       {"(LINE 1), ILLEGAL FORWARD REFERENCE"}},
      {"if left open in a macro",
       "M       MACRO\n        IF 1\n        ENDM\n        M\n        NOP\n        END\n",
       {"(LINE 4), IF WITHOUT ENDIF"}},
      {"endif of the caller",
       "        IF 1\nM       MACRO\n        ENDIF\n        ENDM\n        M\n        ENDIF\n       "
       " END\n",
       {"(LINE 5), ELSEIF, ELSE OR ENDIF WITHOUT IF"}},
  });
  std::string deepIf;
  for (int i = 0; i < 70; ++i)
    deepIf += "        IF 1\n";
  for (int i = 0; i < 70; ++i)
    deepIf += "        ENDIF\n";
  EXPECT_EQ(BuildMessages(Assemble(deepIf + "        END\n").Listing).front(),
            "(LINE 65), IF OR MACRO NESTED TOO DEEPLY");
}

// A source of errors lists the first thousand; the summary counts them all.
TEST(AssemblerLanguage, ListsAThousandMessagesAtMost) {
  std::string source;
  for (int i = 0; i < 1500; ++i)
    source += "        MOV A,UNDEFINED_X\n";
  const Assembled a = Assemble(source + "        END\n");
  const std::vector<std::string> messages = BuildMessages(a.Listing);
  ASSERT_EQ(messages.size(), 1001u);
  EXPECT_EQ(messages.back(), "(LINE 1001), FURTHER MESSAGES NOT LISTED");
  EXPECT_EQ(a.Module.Errors, 1500);
  // A warning about a line from 1000 on shows digits in the line-number
  // columns; the readers take no source line from it.
  EXPECT_EQ(WorkbenchSource(a).size(), 1501u);
}

// Every name of the bundled REG52.INC, used after $NOMOD51, gives the bytes
// the predefined name gives; REG51.INC is the 8051 part of it.
TEST(AssemblerLanguage, BundledRegisterFilesMatchThePredefinedNames) {
  const std::string reg52 = ReadText(std::filesystem::path(TOOLCHAIN_DIR) / "inc/REG52.INC");
  const std::string reg51 = ReadText(std::filesystem::path(TOOLCHAIN_DIR) / "inc/REG51.INC");
  std::string uses = "        CSEG AT 0\n";
  std::vector<std::string> names51;
  for (const std::string& line : LinesOf(reg52)) {
    std::stringstream words(line);
    std::string name, kind;
    if (!(words >> name >> kind) || name[0] == ';') continue;
    uses += kind == "BIT" ? "        SETB " + name + "\n" : "        MOV " + name + ",A\n";
    if (reg51.find("\n" + line + "\n") != std::string::npos) names51.push_back(name);
  }
  const Assembled predefined = Assemble(uses + "        END\n");
  const Assembled included =
      Assemble("$NOMOD51\n$INCLUDE (REG52.INC)\n" + uses + "        END\n", {{"REG52.INC", reg52}});
  ASSERT_EQ(predefined.Module.Errors, 0);
  EXPECT_EQ(included.Module.Errors, 0);
  EXPECT_EQ(CodeOf(included), CodeOf(predefined));
  EXPECT_EQ(predefined.Code().size(), 26u * 2 + 54u * 2);
  EXPECT_EQ(names51.size(), 21u + 42u);
  EXPECT_GT(Assemble("$NOMOD51\n" + uses + "        END\n").Module.Errors, 0);
}

TEST(AssemblerLanguage, ListingControlsInTheSource) {
  const Assembled a = Assemble("$TITLE('Lab 3: timers')\n"
                               "        CSEG AT 0\n"
                               "$NOLIST\n"
                               "        MOV A,#1\n"
                               "$LIST\n"
                               "        MOV A,#2\n"
                               "$NODEBUG PAGEWIDTH(132) NOLINES\n"
                               "        END\n");
  EXPECT_EQ(a.Source.Title, "Lab 3: timers");
  EXPECT_EQ(a.Source.Debug, false);
  EXPECT_EQ(a.Module.Warnings, 0);
  EXPECT_EQ(CodeOf(a), "74017402");
  const std::vector<std::string> shown = RebuildSource(a.Listing).Text;
  EXPECT_EQ(std::count(shown.begin(), shown.end(), "        MOV A,#1"), 0);
  EXPECT_EQ(std::count(shown.begin(), shown.end(), "        MOV A,#2"), 1);
}

TEST(AssemblerLanguage, IncludeFileAbove64MbIsNotRead) {
  TempDir dir;
  const std::filesystem::path big = dir.Write("BIG.INC", "");
  std::filesystem::resize_file(big, 64u * 1024 * 1024 + 1);
  EXPECT_EQ(BuildMessages(Assemble("$INCLUDE (" + big.string() + ")\n        END\n").Listing),
            std::vector<std::string>{"(LINE 1), CANNOT OPEN INCLUDE FILE"});
}
