#include "ProgramPreload.h"

#include "AtomicFile.h"
#include "HexReader.h"
#include "OmfWalker.h"
#include "SourceText.h"
#include "TCPU.h"
#include "TOmf.h"
#include "UserInterface.h"

bool PreloadProgram(const std::string& fileName, TCPU& cpu, std::string& error) {
  const std::string ext = UpperExtension(fileName);
  const bool hex = ext == ".HEX";
  if (!hex && ext != ".OMF" && ext != ".O" && ext != ".OBJ") {
    error = fileName + ": an object file (.omf, .o, .obj) or a HEX file (.hex) is needed";
    return false;
  }
  std::string bytes;
  if (!ReadWholeFile(fileName, bytes)) {
    error = "cannot read " + fileName;
    return false;
  }
  SilentUserInterface quiet;
  TOmf loaded(cpu, quiet);
  if (hex) {
    const HexReadResult read = ReadHexText(bytes, cpu, loaded);
    if (read.FirstBad || read.FirstOutside) {
      error = fileName + ": line " +
              std::to_string(read.FirstBad ? read.FirstBad : read.FirstOutside) +
              (read.FirstBad ? " is no valid record" : " lies outside program memory");
      return false;
    }
  } else {
    OmfWalker walker(loaded, cpu);
    walker.Walk(bytes);
    if (!walker.Fault().empty()) {
      error = fileName + ": " + walker.Fault();
      return false;
    }
  }
  if (loaded.StartAddr > loaded.EndAddr) {
    error = fileName + ": no code to load";
    return false;
  }
  return true;
}
