// The language real lab sources use beyond plain instructions: C comments
// and preprocessor lines, $IF controls, and the limits that keep a hostile
// source from exhausting the assembler.
#include "AssemblerFixture.h"

#include <gtest/gtest.h>

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
