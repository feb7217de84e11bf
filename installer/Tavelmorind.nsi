; The per-user setup program: installs without a consent prompt into
; %LOCALAPPDATA%\Programs\Tavelmorind, with a Start menu shortcut and an entry in the
; user's "Installed apps". cmake/Release.cmake runs makensis with:
;   -DVERSION=1.2.3  -DEXE=path/to/Tavelmorind.exe  -DICON=path/to/Tavelmorind.ico
;   -DOUTFILE=path/to/Tavelmorind-1.2.3-setup.exe       (/D... on Windows)
; Command line: /S installs silently. A running copy is asked to end first (silently:
; without asking; exit code 2 when it does not end); a silent upgrade starts it again.

!ifdef VERSION & EXE & ICON & OUTFILE
!else
  !error "makensis needs -DVERSION, -DEXE, -DICON and -DOUTFILE (see cmake/Release.cmake)"
!endif

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define PRODUCT "Tavelmorind"
!define PUBLISHER "Tavelmorind developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The program's own names: its single-instance mutex, its main window's class and
; caption, and the tray icon's id on that window.
!define MUTEX "Tavelmorind"
!define MAIN_CLASS "TavelmorindForm"
!define MAIN_CAPTION "Tavelmorind Configuration"
!define TRAY_ID 100

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}.0"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

!include MUI2.nsh
!include LogicLib.nsh
!include nsDialogs.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PRODUCT}.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"
!insertmacro MUI_PAGE_FINISH

UninstPage custom un.OptionsPage un.OptionsLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Var CopyEnded ; 1 once a running copy was asked to end and did
Var RemoveSettingsBox
Var RemoveSettings

; Ends a running copy of the program before its files are replaced or removed: asks the
; user first (silently: does not ask), sends its main window the end of the session, on
; which the program ends at once, and waits for it to be gone. Aborts when the user
; declines or the copy stays.
!macro DEFINE_END_RUNNING_COPY un
Function ${un}EndRunningCopy
  Push $0
  Push $1
  Push $2
  Call ${un}IsRunning
  Pop $0
  ${If} $0 = 1
  ${AndIfNot} ${Silent}
    MessageBox MB_OKCANCEL|MB_ICONEXCLAMATION "${PRODUCT} is running. It must end before \
        its files can be changed.$\n$\nClick OK to end it now, or Cancel to stop." IDOK +2
    Abort "${PRODUCT} is still running; nothing was changed."
  ${EndIf}
  ${DoWhile} $0 = 1
    FindWindow $1 "${MAIN_CLASS}" "${MAIN_CAPTION}"
    ${If} $1 <> 0
      SendMessage $1 ${WM_QUERYENDSESSION} 0 1 /TIMEOUT=5000 ; ENDSESSION_CLOSEAPP
      SendMessage $1 ${WM_ENDSESSION} 1 1 /TIMEOUT=5000
      ; The shell keeps an icon whose window died until the mouse passes over it.
      ; NOTIFYICONDATAW in its first form (168 bytes on x64): cbSize, hWnd at 8, uID.
      System::Alloc 168
      Pop $2
      System::Call '*$2(i 168, i 0, p r1, i ${TRAY_ID})'
      System::Call 'shell32::Shell_NotifyIconW(i 2, p r2)' ; NIM_DELETE
      System::Free $2
    ${EndIf}
    ; The mutex goes with the process (also one that is still starting up).
    StrCpy $2 0
    ${Do}
      Call ${un}IsRunning
      Pop $0
      ${IfThen} $0 = 0 ${|} ${ExitDo} ${|}
      Sleep 250
      IntOp $2 $2 + 1
    ${LoopUntil} $2 >= 40
    ${If} $0 = 0
      StrCpy $CopyEnded 1
    ${ElseIf} ${Silent}
      Abort "${PRODUCT} did not end; nothing was changed."
    ${Else}
      MessageBox MB_RETRYCANCEL|MB_ICONSTOP "${PRODUCT} is still running. Please end it \
          (right-click its tray icon, then Exit ${PRODUCT}) and click Retry." IDRETRY +2
      Abort "${PRODUCT} is still running; nothing was changed."
    ${EndIf}
  ${Loop}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; Pushes 1 while a copy of the program runs in this session, else 0.
Function ${un}IsRunning
  Push $0
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${MUTEX}") p .r0' ; SYNCHRONIZE
  ${If} $0 P<> 0
    System::Call 'kernel32::CloseHandle(p r0)'
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
  Exch $0
FunctionEnd
!macroend
!insertmacro DEFINE_END_RUNNING_COPY ""
!insertmacro DEFINE_END_RUNNING_COPY "un."

Section "${PRODUCT}"
  Call EndRunningCopy
  SetOutPath "$INSTDIR"
  ; The image of a process that just ended can stay locked for a moment.
  StrCpy $0 0
  ${Do}
    ClearErrors
    Delete "$INSTDIR\${PRODUCT}.exe"
    ${IfNotThen} ${Errors} ${|} ${ExitDo} ${|}
    Sleep 250
    IntOp $0 $0 + 1
    ${If} $0 >= 20
      Abort "Cannot replace $INSTDIR\${PRODUCT}.exe; nothing was changed."
    ${EndIf}
  ${Loop}
  File "/oname=${PRODUCT}.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ; The settings file is never written here: an upgrade keeps the user's settings.

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PRODUCT}.exe" "" \
      "$INSTDIR\${PRODUCT}.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PRODUCT}.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function .onInstSuccess
  ; Without a finish page to offer it, put back what the upgrade ended.
  ${If} ${Silent}
  ${AndIf} $CopyEnded = 1
    Exec '"$INSTDIR\${PRODUCT}.exe"'
  ${EndIf}
FunctionEnd

Function un.OptionsPage
  !insertmacro MUI_HEADER_TEXT "Uninstall ${PRODUCT}" "Remove ${PRODUCT} from your computer."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 24u "${PRODUCT} will be removed from $INSTDIR. Click Uninstall \
      to start."
  Pop $0
  ${NSD_CreateCheckbox} 0 32u 100% 12u "&Remove my settings too"
  Pop $RemoveSettingsBox
  ${NSD_CreateLabel} 12u 46u -12u 36u "Left unticked, $LOCALAPPDATA\${PRODUCT}\${PRODUCT}.ini \
      stays, so that a later install finds your settings again."
  Pop $0
  GetDlgItem $0 $HWNDPARENT 1
  SendMessage $0 ${WM_SETTEXT} 0 "STR:$(^UninstallBtn)"
  nsDialogs::Show
FunctionEnd

Function un.OptionsLeave
  ${NSD_GetState} $RemoveSettingsBox $RemoveSettings
FunctionEnd

Section "Uninstall"
  Call un.EndRunningCopy
  Delete "$INSTDIR\${PRODUCT}.exe"
  Delete "$INSTDIR\Uninstall.exe"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; The program writes its path, quoted when it has a space; a value that names
  ; another copy (a portable one) is not ours to remove.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
  ${If} $0 == "$INSTDIR\${PRODUCT}.exe"
  ${OrIf} $0 == '"$INSTDIR\${PRODUCT}.exe"'
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  ${EndIf}

  ${If} $RemoveSettings == ${BST_CHECKED}
    Delete "$LOCALAPPDATA\${PRODUCT}\${PRODUCT}.ini"
    RMDir "$LOCALAPPDATA\${PRODUCT}"
    Delete "$INSTDIR\${PRODUCT}.ini"
  ${EndIf}
  ; Not /r: a file the user put here (a portable settings file) keeps the folder.
  RMDir "$INSTDIR"
SectionEnd
