#include "cmdline.h"

#include "profile_int.h"

namespace {

// A NUL ends the line, as it ends the text the system hands over.
char At(const std::string &s, size_t i) {
  return i < s.size() ? s[i] : '\0';
}

// Codes 1..32 separate words; bytes above 127 are ordinary characters.
bool IsSeparator(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 1 && u <= 32;
}

bool IsWordChar(char c) {
  return static_cast<unsigned char>(c) > 32;
}

// Reads the word starting at or after pos into word; returns the position after it.
size_t NextWord(const std::string &line, size_t pos, std::string &word) {
  for (;;) {
    while (IsSeparator(At(line, pos)))
      ++pos;
    // An empty pair of quotes between words is no word at all.
    if (At(line, pos) == '"' && At(line, pos + 1) == '"')
      pos += 2;
    else
      break;
  }
  word.clear();
  while (IsWordChar(At(line, pos))) {
    if (line[pos] == '"') {
      ++pos;
      while (At(line, pos) != '\0' && line[pos] != '"')
        word += line[pos++];
      if (At(line, pos) != '\0')
        ++pos;  // the closing quote
    } else {
      word += line[pos++];
    }
  }
  return pos;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string &commandLine) {
  std::vector<std::string> args;
  std::string word;
  size_t pos = NextWord(commandLine, 0, word);  // the program's own path
  for (;;) {
    pos = NextWord(commandLine, pos, word);
    if (word.empty())
      break;
    args.push_back(word);
  }
  return args;
}

int32_t ReadWindowHandle(const std::string &text) {
  int32_t value = 0;
  return ParseInt32(text, value) ? value : 0;
}

int32_t PreviewParentFrom(const std::vector<std::string> &args) {
  return args.size() >= 2 ? ReadWindowHandle(args[1]) : 0;
}

std::string ModeArgFrom(const std::vector<std::string> &args) {
  if (args.empty())
    return "/C";
  std::string mode = args[0];
  // Letters a..z only: the system's locale must not change which mode a byte selects.
  for (char &c : mode)
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  return mode;
}

RunMode SelectMode(const std::string &modeArg) {
  switch (At(modeArg, 1)) {
    case 'A':
      return RunMode::PasswordChange;
    case 'C':
      return RunMode::Setup;
    case 'P':
      return RunMode::Preview;
    default:
      return RunMode::FullScreen;
  }
}

StartRequest ReadStartRequest(const std::string &commandLine) {
  const std::vector<std::string> args = SplitCommandLine(commandLine);
  StartRequest request{ModeArgFrom(args), RunMode::FullScreen, 0};
  request.Mode = SelectMode(request.ModeArg);
  if (request.Mode == RunMode::Preview || request.Mode == RunMode::PasswordChange)
    request.PreviewParent = PreviewParentFrom(args);
  return request;
}
