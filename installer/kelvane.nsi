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
!include "LogicLib.nsh"

!define PRODUCT "Kelvane Vesk"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvane"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define PLUGINS_KEY "Software\Ornwick\Kelvane Vesk"
; How long a closing clock may take before the user is asked (a plug-in's Release
; may take a while).
!define CLOSE_WAIT_MS 15000

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

; 1 once the installer has closed a running clock, which a silent install starts again.
Var ClockClosed

; A running clock holds its files: it is asked to close, and its process is waited
; for. One that has not ended after CLOSE_WAIT_MS lets the user wait again or give
; up (a silent run gives up).
!macro CloseRunningClockFunction prefix
Function ${prefix}CloseRunningClock
  FindWindow $0 "Kelvane" "Kelvane"
  ${If} $0 = 0
    Return
  ${EndIf}
  System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1)"
  ; SYNCHRONIZE: enough to wait for the process.
  System::Call "kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2"
  SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  StrCpy $ClockClosed 1
  ${If} $2 P= 0
    Return
  ${EndIf}
  ${Do}
    System::Call "kernel32::WaitForSingleObject(p r2, i ${CLOSE_WAIT_MS}) i .r3"
    ${IfThen} $3 <> 258 ${|} ${Break} ${|}  ; anything but WAIT_TIMEOUT
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "時計がまだ終了していません。もう少し待つには「再試行」を押してください。" /SD IDCANCEL IDRETRY wait_again
    System::Call "kernel32::CloseHandle(p r2)"
    Abort "時計が終了しなかったため中止しました。"
    wait_again:
  ${Loop}
  System::Call "kernel32::CloseHandle(p r2)"
FunctionEnd
!macroend
!insertmacro CloseRunningClockFunction ""
!insertmacro CloseRunningClockFunction "un."

; A text of the same name that something else put into the folder stays untouched;
; ours (a fresh folder, or our own folder upgraded) is written, and the uninstall
; entry remembers which of them are ours. $1 holds the folder of an earlier install.
!macro InstallText name owned
  ReadRegDWORD $2 HKCU "${UNINSTALL_KEY}" "${owned}"
  StrCpy $3 1
  ${If} ${FileExists} "$INSTDIR\${name}"
    ${If} $1 != $INSTDIR
    ${OrIf} $2 S== "0"
      StrCpy $3 0
    ${EndIf}
  ${EndIf}
  ${If} $3 = 1
    File "${STAGE}\${name}"
  ${EndIf}
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "${owned}" $3
!macroend

; The uninstaller deletes a text unless the install recorded it as someone else's.
!macro DeleteText name owned
  ReadRegDWORD $2 HKCU "${UNINSTALL_KEY}" "${owned}"
  ${If} $2 S!= "0"
    Delete "$INSTDIR\${name}"
  ${EndIf}
!macroend

Section "Kelvane Vesk" SecProgram
  SectionIn RO
  Call CloseRunningClock
  SetOutPath "$INSTDIR"
  File "${STAGE}\Kelvane.exe"
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  !insertmacro InstallText "readme_ja.txt" "OwnsReadme"
  !insertmacro InstallText "LICENSE.txt" "OwnsLicence"
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
  ; An upgrade without the start option leaves no start entry of an earlier install.
  DeleteRegValue HKCU "${RUN_KEY}" "Kelvane"
SectionEnd

; The time signal and alarms plug-in, offered ticked. An enable list kept from an
; earlier install learns its name, so that it runs; a fresh one names it already.
; An upgrade that brings the plug-in for the first time adds its name to the
; user's kept enable list (on a line of its own); where the plug-in was there
; before, the list keeps the user's choice.
Section "時報とアラーム" SecChime
  ${IfNot} ${FileExists} "$INSTDIR\plugin\chime.dll"
    Call AddChimeToEnableList
  ${EndIf}
  SetOutPath "$INSTDIR\plugin"
  File "${STAGE}\plugin\chime.dll"
SectionEnd

Function AddChimeToEnableList
  ClearErrors
  FileOpen $0 "$INSTDIR\plugin\enable.txt" r
  ${If} ${Errors}
    Return
  ${EndIf}
  ${Do}
    FileRead $0 $1
    ${If} ${Errors}
      ${Break}
    ${EndIf}
    ${If} $1 == "chime.dll$\r$\n"
    ${OrIf} $1 == "chime.dll"
      FileClose $0
      Return
    ${EndIf}
  ${Loop}
  FileClose $0
  FileOpen $0 "$INSTDIR\plugin\enable.txt" a
  FileSeek $0 -1 END
  ClearErrors
  FileReadByte $0 $2
  ${IfNot} ${Errors}
  ${AndIf} $2 <> 10
    FileWrite $0 "$\r$\n"
  ${EndIf}
  FileSeek $0 0 END
  FileWrite $0 "chime.dll$\r$\n"
  FileClose $0
FunctionEnd

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

; A clock that was running before a silent upgrade runs again after it (the finish
; page offers the same to an interactive install).
Function .onInstSuccess
  ${If} ${Silent}
  ${AndIf} $ClockClosed = 1
    Exec '"$INSTDIR\Kelvane.exe"'
  ${EndIf}
FunctionEnd

; Removes what the installer put there and what the clock wrote beside it; pictures
; and modules the user added stay, and so do their folders.
Section "Uninstall"
  Call un.CloseRunningClock
  Delete "$INSTDIR\Kelvane.exe"
  !insertmacro DeleteText "readme_ja.txt" "OwnsReadme"
  !insertmacro DeleteText "LICENSE.txt" "OwnsLicence"
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
  ; The plug-ins' settings, and the maker's key when nothing else is left in it.
  DeleteRegKey HKCU "${PLUGINS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Ornwick"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
