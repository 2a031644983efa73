#pragma once
// Where the program finds its files, the language choice in config.ini, and
// the restart after a language switch.

#include <filesystem>
#include <string>

#include "app/frame_window.h"

namespace app {

// The directory of the running executable.
std::filesystem::path ProgramDirectory();
// "Set"/"Language" of config.ini read like atoi: 0 English, anything else
// Chinese; a missing file or key reads as 0.
int ReadLanguage(const std::filesystem::path& programDir);
bool WriteLanguage(const std::filesystem::path& programDir, int language);
// "CustomVer"/"CustomVer" of config.ini, at most 259 bytes; empty when missing.
std::string ReadCustomVersion(const std::filesystem::path& programDir);
// skin/ConifgENRes (English) or skin/ConifgRes (Chinese) under programDir.
std::filesystem::path SkinDirectory(const std::filesystem::path& programDir, int language);

// Start-up as the programs do it: the language from config.ini in the
// program's directory, that language's skin directory, the standard hooks
// and the protocol's own timings.
FrameConfig ProgramFrameConfig();

// Replaces this process by a fresh start of its own executable; returns
// only when that failed.
bool RestartProgram();

}  // namespace app
