#include "system.h"

#include <windows.h>

std::string SystemFilePath(const char *name) {
  char dir[MAX_PATH + 1] = {};
  UINT n = GetSystemDirectoryA(dir, MAX_PATH);
  std::string path = (n > 0 && n < MAX_PATH) ? std::string(dir, n) : std::string();
  if (!path.empty() && path.back() != '\\')
    path += '\\';
  return path + name;
}

std::string ProgramTitleFromPath(const std::string &path) {
  std::string name = path.substr(path.find_last_of("\\/:") + 1);
  name = name.substr(0, name.find('.'));
  for (size_t i = 1; i < name.size(); ++i)
    if (name[i] >= 'A' && name[i] <= 'Z')
      name[i] = static_cast<char>(name[i] - 'A' + 'a');
  return name;
}
