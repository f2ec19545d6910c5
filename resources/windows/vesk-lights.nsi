; The per-user Windows installer: no administrator rights, into the user's own programs folder,
; a Start menu shortcut and an uninstaller that Windows' "Installed apps" lists.
; makensis -DVERSION=1.2.3 -DVERSION4=1.2.3.0 -DEXE=built.exe -DICON=app.ico -DOUTFILE=setup.exe
; The 64-bit stub: 32-bit Windows is gone, and a Wine without its 32-bit part could not start it.

Unicode true
Target amd64-unicode
!include LogicLib.nsh
!include WinMessages.nsh
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define APP "VESK-LIGHTS"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
; The value that the program's "Start at login" writes; the uninstaller removes it.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The class of the program's windows; a lights window hidden in the notification area has it too.
!define WINDOW_CLASS "VeskLightsWindow"

Var Closed  ; 1 once the install has closed a running copy: the new one starts at the end

Name "${APP}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show

VIProductVersion "${VERSION4}"
VIAddVersionKey "ProductName" "${APP}"
VIAddVersionKey "CompanyName" "TARNWICK"
VIAddVersionKey "FileDescription" "${APP} ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Mara Tarnwick, freeware"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; A running program cannot be replaced or removed. Ask, then close it as its user would, with
; WM_CLOSE to each of its windows, so that it stores their places; give it up to 5 s to end. Only
; a program still running then stops the install, with a message and nothing half done.
!macro ReplaceableProgram un
Function ${un}ReplaceableProgram
  FindWindow $0 "${WINDOW_CLASS}"
  ${If} $0 <> 0
    MessageBox MB_OKCANCEL|MB_ICONQUESTION "${APP} is running. Close it and continue?" \
      /SD IDOK IDOK close
    Abort
    close:
    StrCpy $Closed 1
  ${EndIf}
  ${For} $1 1 50
    FindWindow $0 "${WINDOW_CLASS}"
    ${If} $0 <> 0
      SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=1000
    ${ElseIfNot} ${FileExists} "$INSTDIR\${APP}.exe"
      Return
    ${Else}
      ClearErrors
      Delete "$INSTDIR\${APP}.exe"
      ${IfNot} ${Errors}
        Return
      ${EndIf}
    ${EndIf}
    Sleep 100
  ${Next}
  MessageBox MB_OK|MB_ICONSTOP "${APP} is running. Close it, then try again." /SD IDOK
  Abort
FunctionEnd
!macroend
!insertmacro ReplaceableProgram ""
!insertmacro ReplaceableProgram "un."

Section "Install"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  Call ReplaceableProgram
  File "/oname=${APP}.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\${APP}.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Mara Tarnwick"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${APP}.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

  ; The copy that the install closed runs again, as the new version. (The uninstaller's does not.)
  ${If} $Closed == 1
    Exec '"$INSTDIR\${APP}.exe"'
  ${EndIf}
SectionEnd

; The path inside the Run value, which may be quoted and may carry arguments.
; In: $0, the value. Out: $0, the program's path.
Function un.RunEntryProgram
  StrCpy $1 $0 1
  StrCmp $1 '"' 0 done
  StrCpy $0 $0 "" 1
  StrCpy $2 0
  loop:
    StrCpy $1 $0 1 $2
    StrCmp $1 "" done
    StrCmp $1 '"' cut
    IntOp $2 $2 + 1
    Goto loop
  cut:
    StrCpy $0 $0 $2
  done:
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  Call un.ReplaceableProgram

  ; Start at login: drop the entry once the program it starts is gone, but keep one that starts
  ; another copy still on disk. The settings stay, for a later install.
  ClearErrors
  ReadRegStr $0 HKCU "${RUN_KEY}" "${APP}"
  IfErrors run_done
  Call un.RunEntryProgram
  IfFileExists "$0" run_done
  DeleteRegValue HKCU "${RUN_KEY}" "${APP}"
  run_done:

  Delete "$SMPROGRAMS\${APP}.lnk"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; Last: while the entry is listed, the uninstall has not finished.
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
