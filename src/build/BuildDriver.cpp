#include "BuildDriver.h"

#include "AtomicFile.h"
#include "BatchFile.h"
#include "BuildHost.h"
#include "BuildMessages.h"
#include "FileLookup.h"
#include "Workbench.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr const char* CannotLoad = "编译连接产生错误，不能装载";
constexpr const char* Loaded = "装 载 完 毕";
constexpr const char* BuiltAndLoaded = "编译、连接成功";

std::string CannotRead(const std::string& name) {
  return "无法读取文件：" + name;
}

} // namespace

BuildDriver::BuildDriver(Workbench& wb, BuildHost& host, PathConventions paths)
    : WB(wb), Host(host), Paths(std::move(paths)) {}

BuildDriver::Availability BuildDriver::RuleB() const {
  if (!WB.Project.FileName.empty()) return {true, "项目编译、连接", "项目编译、连接、装载"};
  if (!Host.ActiveEditorFile().empty()) return {true, "文件编译、连接", "文件编译、连接、装载"};
  return {};
}

std::string BuildDriver::MainName() const {
  return WB.Project.FileName.empty() ? CompileFileName : WB.Project.FileName;
}

bool BuildDriver::ACompileLink() {
  CompileOK = false;
  const bool built = WB.Project.FileName.empty() ? MakeFileBatch() : MakeProjectBatch();
  if (!built) return false;
  ShowCompileResult();
  return true;
}

void BuildDriver::ACompileLinkLoad() {
  if (!ACompileLink()) return;
  if (CompileOK)
    LoadModule(Paths.ChangeExt(MainName(), ".omf"));
  else
    WB.UI.Message(CannotLoad);
}

bool BuildDriver::MakeFileBatch() {
  const std::string source = Host.ActiveEditorFile();
  if (source.empty() || !Host.CheckModified(source)) return false;
  CompileFileName = source;
  BatchFile batch(WB.Option, Paths, WB.UI);
  const bool complete = batch.MakeFileBatch(source);
  return RunBatch(batch, complete ? source : std::string());
}

bool BuildDriver::MakeProjectBatch() {
  BatchFile batch(WB.Option, Paths, WB.UI);
  batch.CheckModified = [this](const std::string& source) { return Host.CheckModified(source); };
  const std::string& project = WB.Project.FileName;
  const bool complete = batch.MakeProjectBatch(project, WB.Project.Files);
  return RunBatch(batch, complete ? project : std::string());
}

// Writes the batch file, also an abandoned one (empty mainName), and runs a
// complete one in the folder of mainName.
bool BuildDriver::RunBatch(const BatchFile& batch, const std::string& mainName) {
  if (!WriteFileAtomically(batch.FileName(), batch.Text())) {
    WB.UI.Message("无法写入文件：" + batch.FileName());
    return false;
  }
  if (mainName.empty()) return false;
  // A map left from an earlier build would pass a link that did not run.
  DeleteOutputFile(Paths.ChangeExt(mainName, ".M51"));
  std::error_code ec;
  const fs::path dir = fs::path(mainName).parent_path();
  if (!dir.empty()) fs::current_path(dir, ec);
  Host.ExecuteAndWait(batch.FileName(), WB.Option.C_CmdShow);
  return true;
}

void BuildDriver::ShowCompileResult() {
  const std::string main = MainName();
  Host.BeginCompileResult(main + " : 编译结果");
  BuildMessages messages(WB.UI, Paths);
  const std::vector<std::string> sources =
      WB.Project.FileName.empty() ? std::vector<std::string>{CompileFileName} : WB.Project.Files;
  messages.Collect(sources, main);
  CompileOK = messages.CompileOK;
  Host.ShowCompileResult(messages.Lines);
}

bool BuildDriver::LoadModule(const std::string& fileName) {
  // A missing object changes nothing: the views keep the program they show.
  const auto found = FindFileIgnoringCase(fileName);
  std::error_code ec;
  if (!found || !fs::is_regular_file(*found, ec)) {
    WB.UI.Message(CannotRead(fileName));
    return false;
  }
  Host.CloseDisassembly();
  WB.BreakPoints.Clear();
  WB.Port.ResetTarget();
  TOmf& info = WB.DebugInfo;
  const int result = info.LoadFile(found->string());
  // An object whose code went in but whose source could not be read is loaded:
  // the loader has said which source is missing.
  const bool loaded = info.StartAddr <= info.EndAddr && (result == 0 || info.FileKind == fkOmf);
  WB.ShowPC();
  if (!loaded) {
    WB.UI.Message("装载失败：" + fileName);
    WB.ReloadViews();
    WB.RepaintViews();
    return false;
  }
  WB.UI.Message(WB.Port.IsOpen() ? Loaded : BuiltAndLoaded);
  WB.ReloadViews();
  WB.RepaintViews();
  const auto withSource = std::find_if(info.Modules.begin(), info.Modules.end(),
                                       [](const auto& m) { return !m->SourceLines.empty(); });
  Host.OpenDisassembly(withSource == info.Modules.end() ? nullptr : withSource->get());
  if (std::any_of(info.Modules.begin(), info.Modules.end(),
                  [](const auto& m) { return m->SourceKind == stC; }))
    Host.UseInterrupt();
  return true;
}
