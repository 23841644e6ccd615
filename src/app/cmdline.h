// Reading the command line that the system's screen-saver machinery starts us with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The arguments of a whole process command line, program path excluded. Words are
// separated by control characters and blanks; double quotes group, and are dropped.
std::vector<std::string> SplitCommandLine(const std::string &commandLine);

// A window handle as the system writes it on the command line: 32-bit signed decimal, or
// "$" and hexadecimal. 0 when the text is not such a number.
int32_t ReadWindowHandle(const std::string &text);

// The handle in the second argument, or 0 when there is none.
int32_t PreviewParentFrom(const std::vector<std::string> &args);

enum class RunMode { PasswordChange, Setup, Preview, FullScreen };

// The first argument with a..z upper-cased, or "/C" when there is none, so that a bare
// start opens the setup dialog.
std::string ModeArgFrom(const std::vector<std::string> &args);

// Only the second character counts, so "/s", "-s" and "xS" all mean the same. A
// one-character argument has none and runs full screen.
RunMode SelectMode(const std::string &modeArg);

// What a command line asks for. The handle is read only where the mode takes one
// (preview and password change); elsewhere it stays 0 even when an argument follows.
struct StartRequest {
  std::string ModeArg;
  RunMode Mode;
  int32_t PreviewParent;
};

StartRequest ReadStartRequest(const std::string &commandLine);
