; Velkorin's installer: puts velkorin.scr into the system directory, registers an
; uninstaller with Windows, and can make Velkorin the current user's screen saver.
;
;   makensis -DSCR=<velkorin.scr> -DOUTFILE=<setup.exe> [-DARCH=x86|amd64] velkorin.nsi
;
; x86 (the default) is the installer we ship. amd64 is its 64-bit twin, for test hosts
; that cannot run 32-bit programs; installer/make-installer picks ARCH from the saver.

Unicode true
!ifndef ARCH
  !define ARCH x86
!endif
!if "${ARCH}" == "x86"
  Target x86-unicode
!else if "${ARCH}" == "amd64"
  Target amd64-unicode
!else
  !error "ARCH must be x86 or amd64, not ${ARCH}"
!endif
!ifndef SCR
  !error "pass the saver to package with -DSCR=<path to velkorin.scr>"
!endif
!ifndef OUTFILE
  !define OUTFILE velkorin-setup.exe
!endif

; The saver's own version resource is the one place the version lives.
!getdllversion "${SCR}" SCR_VERSION_
!define VERSION "${SCR_VERSION_1}.${SCR_VERSION_2}.${SCR_VERSION_3}"
!if "${VERSION}" == "0.0.0"
  !error "${SCR} carries no version; build it with the project's CMake files"
!endif

; The names come from the header the saver's resources are built from.
!searchparse /file "${__FILEDIR__}/../resources/version.h" '#define VELKORIN_PRODUCT_NAME "' PRODUCT '"'
!searchparse /file "${__FILEDIR__}/../resources/version.h" '#define VELKORIN_COMPANY_NAME "' PUBLISHER '"'
!searchparse /file "${__FILEDIR__}/../resources/version.h" '#define VELKORIN_FILE_NAME "' SAVER_FILE '"'
!define UNINSTALLER "uninstall.exe"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATEINIFILE_SENDCHANGE 3

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; Writing the system directory and HKLM needs an administrator; the saver itself does not.
RequestExecutionLevel admin
ManifestSupportedOS all
SetCompressor /SOLID lzma
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "${PRODUCT} ${VERSION}"

; Only the uninstaller lives here; the saver has to be in the system directory, where
; the Screen Saver settings look for it. A folder of our own keeps a generic
; "uninstall.exe" out of the system directory.
!if "${ARCH}" == "amd64"
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"

VIProductVersion "${SCR_VERSION_1}.${SCR_VERSION_2}.${SCR_VERSION_3}.${SCR_VERSION_4}"
VIFileVersion "${SCR_VERSION_1}.${SCR_VERSION_2}.${SCR_VERSION_3}.${SCR_VERSION_4}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PUBLISHER}"
VIAddVersionKey /LANG=1033 "OriginalFilename" "velkorin-setup.exe"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "WinVer.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${__FILEDIR__}/../resources/velkorin.ico"
!define MUI_UNICON "${__FILEDIR__}/../resources/velkorin.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Open the Screen Saver settings"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Var SaverPath

; The saver's path as the rest of Windows sees it, into $SaverPath. Files are written
; through $SYSDIR, which for a 32-bit installer on 64-bit Windows is redirected to the
; 32-bit system directory. Registry values, though, are read by 64-bit programs (the
; logon screen saver launcher, Programs and Features), so they must name that directory
; itself rather than the redirected System32.
!macro SAVER_PATH un
Function ${un}FindSaverPath
  StrCpy $SaverPath "$SYSDIR\${SAVER_FILE}"
!if "${ARCH}" == "x86"
  ; Only 64-bit Windows has this directory (x64 and ARM64 alike); 32-bit Windows answers
  ; 0, and systems without the function give "error", which counts as 0 too.
  System::Call 'kernel32::GetSystemWow64DirectoryW(w .r4, i ${NSIS_MAX_STRLEN}) i .r3'
  ${If} $3 <> 0
    StrCpy $SaverPath "$4\${SAVER_FILE}"
  ${EndIf}
!endif
FunctionEnd
!macroend
!insertmacro SAVER_PATH ""
!insertmacro SAVER_PATH "un."

; Size of a file in bytes into $0 (0 when it cannot be read).
!macro FILE_SIZE path
  StrCpy $0 0
  ClearErrors
  FileOpen $1 "${path}" r
  ${IfNot} ${Errors}
    FileSeek $1 0 END $0
    FileClose $1
  ${EndIf}
!macroend

Section "Velkorin screen saver" SecSaver
  SectionIn RO
  Call FindSaverPath
  SetOverwrite on
  SetOutPath "$SYSDIR"
  File "/oname=${SAVER_FILE}" "${SCR}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  !insertmacro FILE_SIZE "$SYSDIR\${SAVER_FILE}"
  StrCpy $2 $0
  !insertmacro FILE_SIZE "$INSTDIR\${UNINSTALLER}"
  IntOp $2 $2 + $0
  IntOp $2 $2 + 1023
  IntOp $2 $2 / 1024

  ; A fixed key: installing again overwrites the one entry instead of adding another.
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$SaverPath"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $2
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
SectionEnd

Section "Make Velkorin the current screen saver" SecCurrent
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SaverPath"
  ; The registry alone takes effect at the next logon; the system call applies it now
  ; and tells running programs.
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATEINIFILE_SENDCHANGE}) i .r0'
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
SectionEnd

Function OpenScreenSaverSettings
  ${If} ${AtLeastWinVista}
    Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
  ${Else}
    ; Tab 1 of the Display Properties is the Screen Saver tab.
    Exec '"$SYSDIR\rundll32.exe" shell32.dll,Control_RunDLL desk.cpl,,1'
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.FindSaverPath
  ; Only give up the user's choice when it is us; the Screen Saver settings may have
  ; written the short form of the same path.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  GetFullPathName /SHORT $1 "$SaverPath"
  ${If} $0 != ""
    ${If} $0 == $SaverPath
    ${OrIf} $0 == $1
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
      ; With no saver chosen, an active flag would only keep an idle timer running for
      ; nothing; switching it off is what choosing "(None)" amounts to.
      System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 0, p 0, i ${SPIF_UPDATEINIFILE_SENDCHANGE}) i .r0'
      WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "0"
    ${EndIf}
  ${EndIf}

  ; A saver still running holds its file; it then goes at the next restart.
  Delete /REBOOTOK "$SYSDIR\${SAVER_FILE}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  ; velkorin_ss.ini in the Windows directory holds the user's settings and stays.
  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd
