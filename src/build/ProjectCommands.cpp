#include "ProjectCommands.h"

#include "TOption.h"
#include "TProject.h"

void SaveOpenProject(TProject& project) {
  if (!project.FileName.empty()) project.SaveToFile(project.FileName);
}

void OpenProject(TProject& project, TOption& option, const std::string& name) {
  project.Open(name);
  option.LibName = project.LibFiles;
}

void CloseProject(TProject& project, TOption& option) {
  SaveOpenProject(project);
  option.LibName.clear();
  project.FileName.clear();
}

void ConfirmOptionLibraries(const TOption& option, TProject& project) {
  project.LibFiles = option.LibName;
}
