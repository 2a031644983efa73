#include "app/startup.h"

#include <unistd.h>

#include <climits>
#include <system_error>

#include "app/line_settings.h"
#include "ui/private_profile.h"

namespace app {

namespace {
constexpr const char* kConfigFile = "config.ini";
constexpr std::size_t kLanguageBuffer = 20;
constexpr std::size_t kCustomVerBuffer = 260;
}  // namespace

std::filesystem::path ProgramDirectory() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path(ec);
  return exe.parent_path();
}

int ReadLanguage(const std::filesystem::path& programDir) {
  return ParseLeadingInt(ui::ReadProfileString(programDir / kConfigFile, "Set", "Language", "", kLanguageBuffer));
}

bool WriteLanguage(const std::filesystem::path& programDir, int language) {
  return ui::WriteProfileString(programDir / kConfigFile, "Set", "Language", std::to_string(language));
}

std::string ReadCustomVersion(const std::filesystem::path& programDir) {
  return ui::ReadProfileString(programDir / kConfigFile, "CustomVer", "CustomVer", "", kCustomVerBuffer);
}

std::filesystem::path SkinDirectory(const std::filesystem::path& programDir, int language) {
  return programDir / "skin" / (language == 0 ? "ConifgENRes" : "ConifgRes");
}

FrameConfig ProgramFrameConfig() {
  FrameConfig c;
  c.programDir = ProgramDirectory();
  c.language = ReadLanguage(c.programDir);
  c.skinDir = SkinDirectory(c.programDir, c.language);
  c.hooks = StandardHooks();
  return c;
}

bool RestartProgram() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return false;
  std::string path = exe.string();
  char* argv[] = {path.data(), nullptr};
  execv("/proc/self/exe", argv);
  return false;
}

}  // namespace app
