#pragma once
// orvana-cli run as a program through the shell, for the command tests.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "crlf_lines.h"

namespace orvana::cli::testing {

struct CliRun {
  std::string out;
  std::string err;
  int status = -1;
};

inline std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// A fresh name under /tmp for each call.
inline std::string TempPath(const std::string& suffix) {
  static int counter = 0;
  return "/tmp/orvana-cli-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + suffix;
}

inline std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Runs a shell command line; stdout and stderr are kept apart.
inline CliRun Shell(const std::string& command) {
  const std::string errPath = TempPath(".err");
  CliRun run;
  FILE* pipe = ::popen((command + " 2>" + Quoted(errPath)).c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, got);
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = ReadText(errPath);
  std::remove(errPath.c_str());
  return run;
}

// The lines ended by '\n' (an unended last line is left out).
inline std::vector<std::string> Lines(const std::string& text) { return orvana::testing::EndedLines(text, "\n"); }

}  // namespace orvana::cli::testing
