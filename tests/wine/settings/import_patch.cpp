#include "import_patch.h"

#include <cstring>

namespace {

void **FindImportSlot(const char *dll, const char *function) {
  auto *base = reinterpret_cast<BYTE *>(GetModuleHandleA(nullptr));
  const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
  const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY &imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0)
    return nullptr;
  for (auto *d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress);
       d->Name != 0; ++d) {
    if (lstrcmpiA(reinterpret_cast<const char *>(base + d->Name), dll) != 0)
      continue;
    const DWORD namesRva = d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk;
    auto *names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + namesRva);
    auto *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + d->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
        continue;
      const auto *byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(
          base + static_cast<size_t>(names->u1.AddressOfData));
      if (std::strcmp(reinterpret_cast<const char *>(byName->Name), function) == 0)
        return reinterpret_cast<void **>(&slots->u1.Function);
    }
  }
  return nullptr;
}

void WriteSlot(void **slot, void *value) {
  DWORD old = 0;
  VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
  *slot = value;
  VirtualProtect(slot, sizeof *slot, old, &old);
}

}  // namespace

TImportPatch::TImportPatch(const char *dll, const char *function, void *replacement)
    : slot_(FindImportSlot(dll, function)) {
  if (!slot_)
    return;
  original_ = *slot_;
  WriteSlot(slot_, replacement);
}

TImportPatch::~TImportPatch() {
  if (slot_)
    WriteSlot(slot_, original_);
}
