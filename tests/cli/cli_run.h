#pragma once
// Runs the built k9x40-cli with arguments and collects what it printed.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace cli::testing {

struct CliResult {
  int exitCode = -1;
  std::string out, err;
};

// `args` is shell text: callers quote what needs quoting.
inline CliResult RunCli(const std::string& args) {
  std::filesystem::path errPath =
      std::filesystem::temp_directory_path() / ("k9x40_cli_err_" + std::to_string(::getpid()));
  std::string cmd = std::string("'") + K9X40_CLI + "' " + args + " 2>'" + errPath.string() + "'";
  CliResult r;
  std::FILE* p = ::popen(cmd.c_str(), "r");
  if (!p) return r;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
  int status = ::pclose(p);
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream errFile(errPath, std::ios::binary);
  std::stringstream ss;
  ss << errFile.rdbuf();
  r.err = ss.str();
  std::filesystem::remove(errPath);
  return r;
}

}  // namespace cli::testing
