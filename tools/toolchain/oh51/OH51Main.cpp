// OH51: converts a linked absolute object into an Intel HEX file.
#include "HexConverter.h"
#include "ToolFiles.h"

#include <cstdio>

using namespace omf51;

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: OH51 FILE.omf\n");
    return 2;
  }
  const std::string input = argv[1];
  std::string object;
  if (!ReadInputFile(input, object)) {
    std::fprintf(stderr, "OH51: cannot open %s\n", input.c_str());
    return 2;
  }
  std::string hex, problem;
  if (!AbsoluteObjectToHex(object, hex, problem)) {
    std::fprintf(stderr, "OH51: %s: %s\n", input.c_str(), problem.c_str());
    return 1;
  }
  const std::string output = WithoutExtension(input) + ".HEX";
  if (!WriteOutputFile(output, hex)) {
    std::fprintf(stderr, "OH51: cannot write %s\n", output.c_str());
    return 1;
  }
  std::printf("HEX FILE %s WRITTEN\n", output.c_str());
  return 0;
}
