#pragma once

#include "PathConventions.h"
#include "TOptionBlock.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class TCPU;
class UserInterface;
struct TaggedRecord;

// The workbench's settings: the fixed block plus the tool-chain strings, kept
// in mcidem.dsk in the start directory. Loading fills the register lists of
// both target instances, which is why it holds them.
class TOption : public TOptionBlock {
public:
  static constexpr const char* FileBaseName = "mcidem.dsk";
  static constexpr const char* DefaultLinkOther = "ramsize(256)";
  static constexpr const char* DefaultBINPath = "/opt/omf51/bin";
  static constexpr const char* DefaultINCPath = "/opt/omf51/inc";
  static constexpr const char* DefaultLIBPath = "/opt/omf51/lib";

  // Loads startDir/mcidem.dsk, or takes the defaults when that fails.
  TOption(TCPU& cpu, TCPU& prevCpu, const std::filesystem::path& startDir);
  // Writes the settings file back unless SaveAtExit was cleared.
  ~TOption();
  TOption(const TOption&) = delete;
  TOption& operator=(const TOption&) = delete;

  std::string ASM_Other;
  std::string C_Other;
  std::string LinkOther;
  // The open project's libraries while it is open; the settings file never keeps them.
  std::vector<std::string> LibName;
  std::string BINPath;
  std::string INCPath;
  std::string LIBPath;
  const std::string DskFileName;
  // workbench-cli reads the settings but never writes them.
  bool SaveAtExit = true;

  // 0 when the block was read, -1 otherwise. A file with a wrong signature
  // counts as read but leaves the defaults.
  int LoadFromFile(const std::string& fileName);
  // 0 on success, -1 when nothing could be written (the old file stays).
  int SaveToFile(const std::string& fileName);
  void SetDefault();

  // The tool command lines for a source, a link of sources plus LibName, and
  // the hex conversion. A source that is neither .ASM nor .C is reported and
  // gives no command.
  std::optional<std::string> CompileCommand(const std::string& fileName,
                                            const PathConventions& paths, UserInterface& ui) const;
  std::string LinkCommand(const std::string& fileName, const std::vector<std::string>& files,
                          const PathConventions& paths) const;
  std::string HexCommand(const std::string& fileName, const PathConventions& paths) const;

private:
  void ApplyRecord(const TaggedRecord& record);

  TCPU& CPU;
  TCPU& PrevCPU;
};
