; The per-user installer of Kelvane Vesk. Built by scripts/package.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0.0 -DSTAGE=<folder> -DOUTFILE=<setup.exe>
;            -DPICTURES=<nsh deleting the shipped pictures> [-DAMD64]
; STAGE holds the program folder as the portable zip has it. Silent use:
;   setup.exe /S [/STARTUP] [/D=<folder>]      uninstall.exe /S
; /STARTUP ticks "Windows の起動時に開始する" in a silent install.

!ifdef AMD64
  Target amd64-unicode
!else
  Unicode true
!endif

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Kelvane Vesk"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvane"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Kelvane"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1041 "FileDescription" "${PRODUCT} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "© 2026 Ornwick"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Kelvane.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; A running clock holds its files: it is asked to close first.
!macro CloseRunningClock
  FindWindow $0 "Kelvane" "Kelvane"
  StrCmp $0 0 +3
  SendMessage $0 ${WM_CLOSE} 0 0
  Sleep 1000
!macroend

Section "Kelvane Vesk" SecProgram
  SectionIn RO
  !insertmacro CloseRunningClock
  SetOutPath "$INSTDIR"
  File "${STAGE}\Kelvane.exe"
  File "${STAGE}\readme_ja.txt"
  File "${STAGE}\LICENSE.txt"
  SetOutPath "$INSTDIR\clock"
  File "${STAGE}\clock\Analog.dll"
  SetOutPath "$INSTDIR\info"
  File "${STAGE}\info\Mirrick.dll"
  SetOutPath "$INSTDIR\plugin"
  File "${STAGE}\plugin\wallpaper.dll"
  ; An upgrade keeps the user's plug-in choice and settings.
  IfFileExists "$INSTDIR\plugin\enable.txt" +2 0
  File "${STAGE}\plugin\enable.txt"
  SetOutPath "$INSTDIR\background"
  File "${STAGE}\background\*.*"
  SetOutPath "$INSTDIR"
  IfFileExists "$INSTDIR\kelvane.ini" settings_kept 0
  WriteINIStr "$INSTDIR\kelvane.ini" "BACKGROUND" "FILE" "$INSTDIR\background\dawn_lake.orb"
  WriteINIStr "$INSTDIR\kelvane.ini" "OBJECT" "MODULE_PATH" "$INSTDIR\clock\Analog.dll"
  WriteINIStr "$INSTDIR\kelvane.ini" "OBJECT" "MODULE_NAME" "Analog.dll"
  WriteINIStr "$INSTDIR\kelvane.ini" "OBJECT" "MODULE_PATH2" "$INSTDIR\info\Mirrick.dll"
  WriteINIStr "$INSTDIR\kelvane.ini" "OBJECT" "MODULE_NAME2" "Mirrick.dll"
  settings_kept:

  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Kelvane.exe"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Ornwick"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Kelvane.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The time signal and alarms plug-in, offered ticked. An enable list kept from an
; earlier install learns its name, so that it runs; a fresh one names it already.
Section "時報とアラーム" SecChime
  SetOutPath "$INSTDIR\plugin"
  File "${STAGE}\plugin\chime.dll"
  ClearErrors
  FileOpen $0 "$INSTDIR\plugin\enable.txt" r
  IfErrors chime_add
  chime_read:
    FileRead $0 $1
    IfErrors chime_unlisted
    StrCmp $1 "chime.dll$\r$\n" chime_listed
    StrCmp $1 "chime.dll" chime_listed chime_read
  chime_listed:
    FileClose $0
    Goto chime_done
  chime_unlisted:
    FileClose $0
  chime_add:
    FileOpen $0 "$INSTDIR\plugin\enable.txt" a
    FileSeek $0 0 END
    FileWrite $0 "chime.dll$\r$\n"
    FileClose $0
  chime_done:
SectionEnd

Section /o "Windows の起動時に開始する" SecStartup
  WriteRegStr HKCU "${RUN_KEY}" "Kelvane" '"$INSTDIR\Kelvane.exe"'
SectionEnd

Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/STARTUP" $1
  IfErrors +2 0
  SectionSetFlags ${SecStartup} ${SF_SELECTED}
FunctionEnd

; Removes what the installer put there and what the clock wrote beside it; pictures
; and modules the user added stay, and so do their folders.
Section "Uninstall"
  !insertmacro CloseRunningClock
  Delete "$INSTDIR\Kelvane.exe"
  Delete "$INSTDIR\readme_ja.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\kelvane.ini"
  Delete "$INSTDIR\clock\Analog.dll"
  Delete "$INSTDIR\clock\Analog.ini"
  Delete "$INSTDIR\info\Mirrick.dll"
  Delete "$INSTDIR\plugin\wallpaper.dll"
  Delete "$INSTDIR\plugin\chime.dll"
  Delete "$INSTDIR\plugin\enable.txt"
!include "${PICTURES}"
  RMDir "$INSTDIR\clock"
  RMDir "$INSTDIR\info"
  RMDir "$INSTDIR\plugin"
  RMDir "$INSTDIR\background"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "Kelvane"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
