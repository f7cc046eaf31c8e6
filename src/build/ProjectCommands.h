#pragma once

#include <string>

class TOption;
class TProject;

// What the Project menu and the options dialog do to the project and the
// settings' library list, which is the open project's working copy.

// Saves the open project, if any; done before another project is chosen.
void SaveOpenProject(TProject& project);
// Opens name (see TProject::Open) and makes its libraries the working copy.
void OpenProject(TProject& project, TOption& option, const std::string& name);
// Saves and closes the open project and empties the working copy. The file
// lists stay in memory until the next project is opened.
void CloseProject(TProject& project, TOption& option);
// The options dialog was confirmed: its library list becomes the project's,
// also when no project is open.
void ConfirmOptionLibraries(const TOption& option, TProject& project);
