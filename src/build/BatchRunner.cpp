#include "BatchRunner.h"

#include "Process.h"
#include "TextFileLines.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iostream>

extern char** environ;

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

} // namespace

BatchRunner::BatchRunner(std::ostream& messages) : Messages(messages) {
  for (char** variable = environ; *variable; ++variable)
    Environment.emplace_back(*variable);
}

std::vector<std::string> CommandWords(std::string_view line) {
  std::vector<std::string> words;
  size_t start = 0;
  while ((start = line.find_first_not_of(" \t", start)) != std::string_view::npos) {
    const size_t end = std::min(line.find_first_of(" \t", start), line.size());
    words.emplace_back(line.substr(start, end - start));
    start = end;
  }
  return words;
}

int BatchRunner::Run(const std::filesystem::path& batchFile) {
  std::ifstream file;
  if (!OpenTextFile(batchFile, file)) {
    Messages << "cannot read " << batchFile.string() << '\n';
    return 1;
  }
  TextFileLines lines(file);
  std::string line;
  while (lines.ReadLine(line))
    RunLine(line);
  return 0;
}

void BatchRunner::RunLine(std::string_view line) {
  line = Trimmed(line);
  if (line.empty() || SameIgnoringCase(line, "echo off") || SameIgnoringCase(line, "cls")) return;
  if (line.size() > 4 && SameIgnoringCase(line.substr(0, 4), "SET ")) {
    Set(Trimmed(line.substr(4)));
    return;
  }
  std::vector<std::string> words = CommandWords(line);
  const auto program = FindProgram(words[0], Variable("PATH"));
  ChildProcess child;
  if (program) words[0] = *program;
  if (!program || !child.Start(words, &Environment)) {
    Messages << "cannot start " << CommandWords(line)[0] << ": "
             << (program ? child.Error : "program not found") << '\n';
    return;
  }
  child.Wait(-1);
}

void BatchRunner::Set(std::string_view assignment) {
  const size_t equals = assignment.find('=');
  if (equals == std::string_view::npos || equals == 0) return;
  const std::string_view name = assignment.substr(0, equals);
  const auto existing = std::find_if(Environment.begin(), Environment.end(), [&](const auto& v) {
    return v.size() > name.size() && v[name.size()] == '=' &&
           std::string_view(v).substr(0, name.size()) == name;
  });
  if (existing != Environment.end()) Environment.erase(existing);
  if (equals + 1 < assignment.size()) Environment.emplace_back(assignment);
}

std::string BatchRunner::Variable(std::string_view name) const {
  for (const std::string& v : Environment)
    if (v.size() > name.size() && v[name.size()] == '=' &&
        std::string_view(v).substr(0, name.size()) == name)
      return v.substr(name.size() + 1);
  return {};
}

std::vector<std::string> BatchRunnerCommand(const std::string& self, const std::string& batchFile,
                                            int showMode, const std::string& terminal) {
  std::vector<std::string> command = {self, "--run-batch", batchFile};
  if (showMode != 0 && !terminal.empty()) command.insert(command.begin(), {terminal, "-e"});
  return command;
}

std::optional<int> RunBatchCommandLine(int argc, char** argv) {
  if (argc != 3 || std::string_view(argv[1]) != "--run-batch") return std::nullopt;
  return BatchRunner(std::cerr).Run(argv[2]);
}
