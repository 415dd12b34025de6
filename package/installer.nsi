; The per-user installer of Tolvex, built by scripts/package with makensis:
;   makensis -DVERSION=a.b.c.d -DSTAGE=<folder with x86\ and x64\> -DOUTFILE=<setup.exe> [-DX64_ONLY]
; Without X64_ONLY it is a 32-bit installer that runs on every Windows and installs the build that
; fits; with it, a 64-bit installer with the 64-bit build only.
Unicode true
!ifdef X64_ONLY
  Target amd64-unicode
!endif
!include "LogicLib.nsh"
!include "x64.nsh"
!include "WinMessages.nsh"

!define PRODUCT "Tolvex"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvex"
!define SETTINGS_KEY "Software\OrlentaSoftware\Karmux"
!define MARKER_CLASS "TFirstForm"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; Per user: no elevation, nothing outside the user's profile.
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
SetCompressor /SOLID lzma
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PRODUCT}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; A running Tolvex holds its files and its hook library: it is asked to close, as its own tray
; menu would, and waited for (10 s at most).
!macro END_RUNNING_TOLVEX prefix
Function ${prefix}EndRunningTolvex
  FindWindow $0 "${MARKER_CLASS}"
  ${If} $0 = 0
    Return
  ${EndIf}
  SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=2000
  StrCpy $1 0
  ${Do}
    Sleep 100
    FindWindow $0 "${MARKER_CLASS}"
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    IntOp $1 $1 + 1
  ${LoopWhile} $1 < 100
  ; Its window goes first; the process and its helpers end just after.
  Sleep 500
FunctionEnd
!macroend
; Applications drop a hook library at their next message after the program unhooked; one that
; still holds it keeps the file in use. Windows lets such a file be moved away: it goes to the
; temporary folder and is removed at the next start of Windows where that is allowed.
!macro REMOVE_HELD_FILE file
  ClearErrors
  Delete "$INSTDIR\${file}"
  ${If} ${Errors}
    GetTempFileName $2
    Delete $2
    ClearErrors
    Rename "$INSTDIR\${file}" $2
    ${If} ${Errors}
      Delete /REBOOTOK "$INSTDIR\${file}"
    ${Else}
      Delete /REBOOTOK $2
    ${EndIf}
  ${EndIf}
!macroend

!insertmacro END_RUNNING_TOLVEX ""
!insertmacro END_RUNNING_TOLVEX "un."

Function .onInit
  SetShellVarContext current
!ifdef X64_ONLY
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "This installer is for 64-bit Windows. Please use Tolvex-${VERSION}-setup.exe." /SD IDOK
    Abort
  ${EndIf}
!endif
FunctionEnd

Section "Tolvex"
  Call EndRunningTolvex
  ; An update: applications may still hold the hook libraries, which could not be overwritten.
  !insertmacro REMOVE_HELD_FILE "KarmuxH.dll"
  !insertmacro REMOVE_HELD_FILE "KarmuxH32.dll"
  SetOutPath "$INSTDIR"
!ifdef X64_ONLY
  File /r "${STAGE}/x64/*.*"
!else
  ${If} ${RunningX64}
    File /r "${STAGE}/x64/*.*"
  ${Else}
    File /r "${STAGE}/x86/*.*"
  ${EndIf}
!endif
  File "${STAGE}/README.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\Karmux.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Karmux.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Uninstall"
  Call un.EndRunningTolvex
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  ; The program's process may outlive its window by a moment: its file is free once it ended.
  StrCpy $1 0
  ${Do}
    ClearErrors
    Delete "$INSTDIR\Karmux.exe"
    ${IfNot} ${Errors}
      ${Break}
    ${EndIf}
    Sleep 100
    IntOp $1 $1 + 1
  ${LoopWhile} $1 < 50
  SendMessage ${HWND_BROADCAST} ${WM_NULL} 0 0 /TIMEOUT=500
  !insertmacro REMOVE_HELD_FILE "KarmuxH.dll"
  !insertmacro REMOVE_HELD_FILE "KarmuxH32.dll"
  ; File by file, never the whole folder: the user may have chosen one that holds other files.
  !include "${UNINSTALL_LIST}"
  Delete "$INSTDIR\Log.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The settings stay unless the user asks; a silent uninstall keeps them.
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Also remove your Tolvex settings?" /SD IDNO IDNO keep_settings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    RMDir /r "$APPDATA\OrlentaSoftware\Karmux"
  keep_settings:
SectionEnd
