#include "BatchFile.h"

#include "FileLookup.h"
#include "TOption.h"

#include <system_error>

BatchFile::BatchFile(const TOption& option, const PathConventions& paths, UserInterface& ui)
    : DeleteFile(DeleteOutputFile), CheckModified([](const std::string&) { return true; }),
      Option(option), Paths(paths), UI(ui) {}

void BatchFile::Begin(const std::string& mainName) {
  Name = Paths.ChangeExt(mainName, ".BAT");
  Body.clear();
  Add("SET PATH=" + Option.BINPath);
  Add("SET C51LIB=" + Option.LIBPath);
  Add("SET C51INC=" + Option.INCPath);
}

void BatchFile::Add(const std::string& line) {
  Body += line;
  Body += "\r\n";
}

std::string BatchFile::Text() const {
  return Body + "echo off\r\ncls\r\n";
}

bool BatchFile::MakeFileBatch(const std::string& source) {
  Begin(source);
  DeleteFile(Paths.ChangeExt(source, ".HEX"));
  DeleteFile(Paths.ChangeExt(source, ".LST"));
  const auto compile = Option.CompileCommand(source, Paths, UI);
  if (!compile) return false;
  Add(*compile);
  Add(Option.LinkCommand(source, {source}, Paths));
  Add(Option.HexCommand(source, Paths));
  return true;
}

bool BatchFile::MakeProjectBatch(const std::string& projectFile,
                                 const std::vector<std::string>& files) {
  Begin(projectFile);
  DeleteFile(Paths.ChangeExt(projectFile, ".HEX"));
  for (const std::string& source : files) {
    DeleteFile(Paths.ChangeExt(source, ".LST"));
    if (!CheckModified(source)) return false;
    const auto compile = Option.CompileCommand(source, Paths, UI);
    if (!compile) return false;
    Add(*compile);
  }
  Add(Option.LinkCommand(projectFile, files, Paths));
  Add(Option.HexCommand(projectFile, Paths));
  return true;
}

void DeleteOutputFile(const std::string& fileName) {
  std::error_code ec;
  if (const auto found = FindFileIgnoringCase(fileName)) std::filesystem::remove(*found, ec);
}
