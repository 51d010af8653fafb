; Per-user installer and uninstaller for Nimbrel. Built by make-package.sh, which defines
; VERSION (2.01), VERSION_DOTS (2.1.0.0), TARGET (amd64-unicode or x86-unicode), STAGE (the
; files to install), ICON and OUTFILE.
Target ${TARGET}
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user
; A file that cannot be written stops the set-up instead of being skipped in silence.
AllowSkipFiles off

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include WinMessages.nsh
!include Win\WinNT.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Nimbrel"
; Shared with the running program: its one-instance mutex and the message that ends it.
!define INSTANCE_MUTEX "Global\Nimbrel2.Instance."
!define EXIT_REQUEST "Nimbrel2.ExitRequest"
!define SMTO_ABORTIFHUNG 2

!define STILL_RUNNING "Nimbrel is running and did not end.$\r$\nPlease end it with Exit on its status page, then press Retry."
!define NOT_REMOVED "Nimbrel is still running, perhaps in another session of yours, so nothing was removed.$\r$\nPlease end it with Exit on its status page, then start the uninstall again."
!define FILES_LEFT "Nimbrel is removed.$\r$\nFiles you added yourself stay in $INSTDIR."

Name "Nimbrel ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Nimbrel"
; An upgrade goes where the earlier version is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show
BrandingText "Nimbrel ${VERSION} by Quaddle"

VIProductVersion "${VERSION_DOTS}"
VIFileVersion "${VERSION_DOTS}"
VIAddVersionKey "ProductName" "Nimbrel"
VIAddVersionKey "CompanyName" "Quaddle"
VIAddVersionKey "FileDescription" "Nimbrel ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) Quaddle"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\nimbrel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Nimbrel now"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running Nimbrel is asked to end through its own Exit path, which saves its settings and
; gives the user's autodial values back, and is waited for until its mutex is gone. Files in use
; cannot be replaced or removed, so one that will not end stops the set-up with a clear message.
!macro DEFINE_CLOSE_NIMBREL PREFIX
Function ${PREFIX}CloseNimbrel
  Push $0
  Push $1
  Push $2
  Call ${PREFIX}UserSid
  Pop $0
  StrCpy $0 "${INSTANCE_MUTEX}$0"
  retry:
  Call ${PREFIX}IsNimbrelRunning
  Pop $1
  ${If} $1 == 1
    DetailPrint "Ending the running Nimbrel"
    System::Call 'user32::RegisterWindowMessageW(w "${EXIT_REQUEST}") i .r2'
    System::Call 'user32::SendMessageTimeoutW(p ${HWND_BROADCAST}, i r2, p 0, p 0, \
      i ${SMTO_ABORTIFHUNG}, i 5000, *p .r1)'
    ; Up to 15 seconds for its settings to be saved and the process to end.
    StrCpy $2 0
    ${Do}
      Call ${PREFIX}IsNimbrelRunning
      Pop $1
      ${IfThen} $1 == 0 ${|} ${ExitDo} ${|}
      Sleep 100
      IntOp $2 $2 + 1
    ${LoopUntil} $2 >= 150
    ${If} $1 == 1
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${STILL_RUNNING}" /SD IDCANCEL IDRETRY retry
      DetailPrint "Nimbrel is still running: nothing was changed."
      SetErrorLevel 2
      Abort "Nimbrel is still running: please end it and start again."
    ${EndIf}
  ${EndIf}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; Pushes the user's SID as text ("S-1-5-21-..."), which names the program's instance mutex.
Function ${PREFIX}UserSid
  Push $0
  Push $1
  Push $2
  Push $3
  StrCpy $0 ""
  System::Call 'kernel32::GetCurrentProcess() p .r1'
  System::Call 'advapi32::OpenProcessToken(p r1, i ${TOKEN_QUERY}, *p .r1) i .r2'
  ${If} $2 != 0
    ; TOKEN_USER begins with the pointer to the SID; 1024 bytes hold any SID.
    System::Alloc 1024
    Pop $2
    System::Call 'advapi32::GetTokenInformation(p r1, i 1, p r2, i 1024, *i .r0) i .r3'
    ${If} $3 != 0
      System::Call '*$2(p .r3)'
      System::Call 'advapi32::ConvertSidToStringSidW(p r3, *p .r3) i .r0'
      ${If} $0 != 0
        System::Call 'kernel32::lstrcpynW(w .r0, p r3, i ${NSIS_MAX_STRLEN})'
        System::Call 'kernel32::LocalFree(p r3)'
      ${Else}
        StrCpy $0 ""
      ${EndIf}
    ${Else}
      StrCpy $0 ""
    ${EndIf}
    System::Free $2
    System::Call 'kernel32::CloseHandle(p r1)'
  ${EndIf}
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Pushes 1 while the instance mutex named in $0 exists, else 0.
Function ${PREFIX}IsNimbrelRunning
  Push $1
  System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w r0) p .r1'
  ${If} $1 P<> 0
    System::Call 'kernel32::CloseHandle(p r1)'
    StrCpy $1 1
  ${Else}
    StrCpy $1 0
  ${EndIf}
  Exch $1
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_NIMBREL ""
!insertmacro DEFINE_CLOSE_NIMBREL "un."

; The installed files; the uninstaller removes exactly these, so a file the user added stays.
!macro INSTALLED_FILES ACTION
  !insertmacro ${ACTION} "nimbrel.exe"
  !insertmacro ${ACTION} "help.htm"
  !insertmacro ${ACTION} "german.sample.lng"
  !insertmacro ${ACTION} "help-pictures\status.png"
  !insertmacro ${ACTION} "help-pictures\settings.png"
  !insertmacro ${ACTION} "help-pictures\about.png"
  !insertmacro ${ACTION} "help-pictures\url-dialog.png"
!macroend
!macro INSTALL_FILE NAME
  File "/oname=${NAME}" "${STAGE}/${NAME}"
!macroend
!macro REMOVE_FILE NAME
  Delete "$INSTDIR\${NAME}"
!macroend

Section "Nimbrel"
  Call CloseNimbrel
  SetOutPath "$INSTDIR"
  CreateDirectory "$INSTDIR\help-pictures"
  !insertmacro INSTALLED_FILES INSTALL_FILE
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Nimbrel.lnk" "$INSTDIR\nimbrel.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Nimbrel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Quaddle"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\nimbrel.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  Call un.CloseNimbrel
  ; The program removes its own traces: the settings key and the autostart shortcut.
  ${If} ${FileExists} "$INSTDIR\nimbrel.exe"
    DetailPrint "Removing the settings and the autostart shortcut"
    ; Quiet: this uninstaller tells the user itself, and not at all when it runs silently.
    ExecWait '"$INSTDIR\nimbrel.exe" -uninstall -quiet' $0
    ${If} $0 != 0
      ; A Nimbrel of the user still runs (perhaps in another session): its later Exit would
      ; write back what is removed here, so nothing is.
      DetailPrint "nimbrel.exe -uninstall ended with code $0: nothing was removed."
      MessageBox MB_OK|MB_ICONEXCLAMATION "${NOT_REMOVED}" /SD IDOK
      SetErrorLevel 2
      Abort "Nimbrel is still running: please end it and try again."
    ${EndIf}
  ${EndIf}
  !insertmacro INSTALLED_FILES REMOVE_FILE
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR\help-pictures"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Nimbrel.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${If} ${FileExists} "$INSTDIR\*.*"
    DetailPrint "Files you added stay in $INSTDIR"
    MessageBox MB_OK|MB_ICONINFORMATION "${FILES_LEFT}" /SD IDOK
  ${EndIf}
SectionEnd
