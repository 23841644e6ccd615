// Replaces one imported function of the test program for the life of the object, by
// rewriting its slot in the program's import table. The code under test keeps calling the
// platform through its usual import; the replacement may pass the call on.
#pragma once

#include <windows.h>

class TImportPatch {
 public:
  // dll as the import table names it (case does not matter), function by name.
  TImportPatch(const char *dll, const char *function, void *replacement);
  ~TImportPatch();
  TImportPatch(const TImportPatch &) = delete;
  TImportPatch &operator=(const TImportPatch &) = delete;

  bool Installed() const { return slot_ != nullptr; }
  // What the slot held before: the platform's function.
  void *Original() const { return original_; }

 private:
  void **slot_ = nullptr;
  void *original_ = nullptr;
};
