; The Windows installer, made by scripts/windows --package with NSIS:
;   makensis -DVERSION=1.0.0 -DSTAGE=<folder> -DOUTFILE=<installer> pondera.nsi
; STAGE holds what is installed, as the program runs it; files.nsh and
; unfiles.nsh there list it for the install and the uninstall, so that the
; uninstaller takes away exactly what was installed and nothing else.
; A 64-bit installer: under a 64-bit system the 32-bit stub would write to
; the 32-bit views of the folders and the registry.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define APP "Pondera"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define PROGID "Pondera.QuizFile"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Install"
  SetShellVarContext all
  !include "${STAGE}\files.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\pondera.exe" "" "$INSTDIR\pondera.exe" 0

  ; Open with: Pondera is offered for .csv files beside the spreadsheet,
  ; which stays their default.
  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "Pondera quiz file"
  WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\pondera.exe,0"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\pondera.exe" "%1"'
  WriteRegNone HKLM "Software\Classes\.csv\OpenWithProgids" "${PROGID}"
  WriteRegStr HKLM "Software\Classes\Applications\pondera.exe" "FriendlyAppName" "${APP}"
  WriteRegStr HKLM "Software\Classes\Applications\pondera.exe\SupportedTypes" ".csv" ""
  WriteRegStr HKLM "Software\Classes\Applications\pondera.exe\shell\open\command" "" '"$INSTDIR\pondera.exe" "%1"'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Pondera developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pondera.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${APP}.lnk"
  !include "${STAGE}\unfiles.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  DeleteRegKey HKLM "Software\Classes\${PROGID}"
  DeleteRegValue HKLM "Software\Classes\.csv\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKLM "Software\Classes\.csv\OpenWithProgids"
  DeleteRegKey HKLM "Software\Classes\Applications\pondera.exe"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
