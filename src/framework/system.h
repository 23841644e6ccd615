// Small facts about the running system and program.
#pragma once

#include <string>

// "<system directory>\<name>", or the bare name when the system directory is unknown.
std::string SystemFilePath(const char *name);

// The program's title: the program file's name without its folder, cut at its first full
// stop, every character after the first in lower case ("MYSAVER.SCR" -> "Mysaver").
std::string ProgramTitleFromPath(const std::string &path);
