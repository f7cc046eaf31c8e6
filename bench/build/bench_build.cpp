// A build of the bundled example with the project's own tool chain, from the
// Compile menu's command to the program loaded and shown in source mode; and
// typing in a 10 000-line source with highlighting on.
#include "BatchRunner.h"
#include "BuildDriver.h"
#include "BuildHost.h"
#include "TSourceHighlighter.h"
#include "TSourceTextEdit.h"
#include "TempDir.h"
#include "UserInterface.h"
#include "Workbench.h"

#include <QApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

// The window side of a build: the batch file runs as its own process, as the
// window runs it, and the disassembly window is "opened" on the module.
class BenchHost : public BuildHost {
public:
  std::string ActiveEditorFile() const override { return Source; }
  bool CheckModified(const std::string&) override { return true; }
  bool ExecuteAndWait(const std::string& batchFile, int) override {
    std::ostringstream quiet;
    BatchRunner(quiet).Run(batchFile);
    return true;
  }
  void BeginCompileResult(const std::string&) override {}
  void ShowCompileResult(const std::vector<std::string>&) override {}
  void CloseDisassembly() override {}
  void OpenDisassembly(const TDefModuleInfo* module) override { Shown = module; }
  void UseInterrupt() override {}

  std::string Source;
  const TDefModuleInfo* Shown = nullptr;
};

void BM_BuildAndLoadBundledExample(benchmark::State& state) {
  TempDir dir;
  const auto source = dir.Path / "copyblock.asm";
  std::filesystem::copy_file(EXAMPLES_DIR "/copyblock.asm", source);
  SilentUserInterface ui;
  Workbench wb(ui, dir.Path);
  wb.Option.BINPath = TOOLCHAIN_DIR;
  BenchHost host;
  host.Source = source.string();
  BuildDriver driver(wb, host);
  // The tools write to the hidden console, not into the benchmark's report.
  const int report = dup(STDOUT_FILENO);
  const int hidden = open("/dev/null", O_WRONLY);
  dup2(hidden, STDOUT_FILENO);
  for (auto _ : state) {
    host.Shown = nullptr;
    driver.ACompileLinkLoad();
    if (!driver.CompileOK || !host.Shown) state.SkipWithError("the build failed");
  }
  dup2(report, STDOUT_FILENO);
  close(hidden);
  close(report);
}
BENCHMARK(BM_BuildAndLoadBundledExample)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TypingInALongHighlightedSource(benchmark::State& state) {
  TSourceTextEdit editor;
  TSourceHighlighter highlighter(editor.document(), SourceLanguage::Assembler);
  QString text;
  for (int i = 0; i < 10000; ++i)
    text +=
        QStringLiteral("LOOP%1:  MOV     A,#0%2H        ; 第 %1 行\n").arg(i).arg(i % 256, 2, 16);
  editor.setPlainText(text);
  editor.resize(800, 600);
  editor.show();
  QCoreApplication::processEvents();
  editor.moveCursor(QTextCursor::Start);
  for (int i = 0; i < 5000; ++i)
    editor.moveCursor(QTextCursor::Down);
  for (auto _ : state) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(&editor, &press);
    editor.viewport()->repaint();
  }
}
BENCHMARK(BM_TypingInALongHighlightedSource)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
