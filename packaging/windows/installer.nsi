; The Windows installer: coverstrip.exe, LICENSE.txt and README.md for the current user, without
; administrator rights, in %LOCALAPPDATA%\Programs\coverstrip, with a Start-menu shortcut and an
; uninstaller that "Apps" lists. /S installs (and uninstalls) silently.
;
; A running strip holds its exe, which then can be neither replaced nor removed. Both the
; installer and the uninstaller find the strips by their window class and, before changing
; anything, ask the user to close them (Retry / Cancel) or, under /S, close every one themselves
; with WM_CLOSE, which ends the program as its close mark does. If one does not end they change
; nothing and exit with status 2. A file that cannot be written or removed ends the run with
; status 2 as well, never as a success. An install into another folder than the one registered
; removes the old one first; an older version installs over a newer one like any other (after a
; question, when not silent).
;
; makensis gets from the build (cmake/Packaging.cmake): VERSION (x.y.z), EXE (the program),
; SOURCE_DIR (the repository), PUBLISHER_NSH (the publisher's name and addresses) and OUTFILE
; (the installer to write).

!macro NeedDefine NAME
  !ifndef ${NAME}
    !error "makensis needs -D${NAME}=..."
  !endif
!macroend
!insertmacro NeedDefine VERSION
!insertmacro NeedDefine EXE
!insertmacro NeedDefine SOURCE_DIR
!insertmacro NeedDefine PUBLISHER_NSH
!insertmacro NeedDefine OUTFILE

!include "${PUBLISHER_NSH}"
!include "LogicLib.nsh"
!include "WinMessages.nsh"
!include "FileFunc.nsh"
!include "WordFunc.nsh"
!include "WinVer.nsh"

; A 64-bit installer, like the program: Wine here runs only 64-bit Windows programs.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
; A file that cannot be written is Retry / Cancel (under /S: cancel), never skipped.
AllowSkipFiles off

!define NAME "coverstrip"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"
; The strip's window class (platform/win32/win32_form.cpp).
!define STRIP_CLASS "coverstrip.Form1"
; How long a closed strip has to end and free its exe, in tenths of a second.
!define CLOSE_WAIT 100
; The exit status of a run that changed nothing or could not finish.
!define FAILED 2
; The oldest Windows the exe runs on: Windows 10 version 1703, for per-monitor DPI awareness v2
; (the manifest), after 1607's GetDpiForWindow and GetDpiForSystem (imported).
!define OLDEST_BUILD 15063
!define OLDEST_WINDOWS "Windows 10 version 1703 (build ${OLDEST_BUILD})"

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${NAME}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${NAME} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${NAME}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${NAME} ${VERSION} setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Copyright (c) ${PUBLISHER}. MIT licence."

!include "MUI2.nsh"
!define MUI_ICON "${SOURCE_DIR}/assets/coverstrip.ico"
!define MUI_UNICON "${SOURCE_DIR}/assets/coverstrip.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\coverstrip.exe"
!insertmacro MUI_PAGE_LICENSE "${SOURCE_DIR}/LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Ends the run: status 2, and the reason in the details and, when not silent, a message box.
!macro Fail MESSAGE
  DetailPrint "${MESSAGE}"
  MessageBox MB_OK|MB_ICONSTOP "${MESSAGE}" /SD IDOK
  SetErrorLevel ${FAILED}
  Quit
!macroend

; Sees that no strip runs and that the exe in $INSTDIR, if any, can be written. When not
; silent it asks the user to close the strips (Retry / Cancel); under /S it closes each running
; copy in turn (two strips, over the top and the bottom subtitles, are a real use): WM_CLOSE
; destroys a strip's window before SendMessage returns, so the next look finds the next one, and
; each has CLOSE_WAIT to end.
!macro DefineCloseRunningStrip PREFIX
  Function ${PREFIX}CloseRunningStrip
    Push $0
    Push $1
    Push $2
    StrCpy $1 0
    StrCpy $2 0 ; the strip last closed
    ${Do}
      FindWindow $0 "${STRIP_CLASS}"
      ${If} $0 = 0
        ; A closed strip frees its exe when the process has ended, a moment after its window.
        ${IfNot} ${FileExists} "$INSTDIR\coverstrip.exe"
          ${Break}
        ${EndIf}
        ClearErrors
        FileOpen $0 "$INSTDIR\coverstrip.exe" a
        ${IfNot} ${Errors}
          FileClose $0
          ${Break}
        ${EndIf}
      ${ElseIfNot} ${Silent}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
          "${NAME} is running. Close every strip (double-click the small red cross on each), \
           then choose Retry." IDRETRY again
        !insertmacro Fail "${NAME} is still running; nothing was changed."
        again:
        StrCpy $1 0
        ${Continue}
      ${ElseIf} $0 <> $2
        SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
        StrCpy $2 $0
        StrCpy $1 0
      ${EndIf}
      IntOp $1 $1 + 1
      ${If} $1 > ${CLOSE_WAIT}
        !insertmacro Fail "${NAME} is running and did not end when closed; nothing was changed."
      ${EndIf}
      Sleep 100
    ${Loop}
    Pop $2
    Pop $1
    Pop $0
  FunctionEnd
!macroend
!insertmacro DefineCloseRunningStrip ""
!insertmacro DefineCloseRunningStrip "un."

Function .onInit
  ${IfNot} ${AtLeastBuild} ${OLDEST_BUILD}
    ${WinVerGetBuild} $0
    !insertmacro Fail "${NAME} needs ${OLDEST_WINDOWS} or later; this is build $0."
  ${EndIf}
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "DisplayVersion"
  ${If} $0 != ""
    ${VersionCompare} $0 "${VERSION}" $1
    ${If} $1 = 1
      MessageBox MB_OKCANCEL|MB_ICONQUESTION \
        "${NAME} $0 is installed. This installs the older version ${VERSION} in its place." \
        /SD IDOK IDOK +2
      Abort
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "coverstrip"
  ; Per-user shell folders: the Start menu of this user, not of all users.
  SetShellVarContext current
  Call CloseRunningStrip

  ; An install registered in another folder is removed first, by its own uninstaller.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} $0 != $INSTDIR
  ${AndIf} ${FileExists} "$0\uninstall.exe"
    ClearErrors
    ExecWait '"$0\uninstall.exe" /S _?=$0' $1
    ${If} ${Errors}
    ${OrIf} $1 <> 0
      !insertmacro Fail "The copy of ${NAME} in $0 could not be removed."
    ${EndIf}
    Delete "$0\uninstall.exe"
    RMDir "$0"
  ${EndIf}

  SetOutPath "$INSTDIR"
  ClearErrors
  File "/oname=coverstrip.exe" "${EXE}"
  File "/oname=LICENSE.txt" "${SOURCE_DIR}/LICENSE"
  File "${SOURCE_DIR}/README.md"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\coverstrip.exe"
  CreateShortcut "$SMPROGRAMS\${NAME}, peek while paused.lnk" "$INSTDIR\coverstrip.exe" \
    "--peek-while-paused"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  !if "${HOMEPAGE}" != ""
    WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
  !endif
  !if "${CONTACT}" != ""
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Contact" "${CONTACT}"
  !endif
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\coverstrip.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${If} ${Errors}
    !insertmacro Fail "${NAME} could not be installed completely in $INSTDIR."
  ${EndIf}
  ; "Apps" shows the size in KiB: every file of the folder, the uninstaller too.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Call un.CloseRunningStrip
  ; The exe first: if it cannot go, nothing else has.
  Delete "$INSTDIR\coverstrip.exe"
  ${If} ${FileExists} "$INSTDIR\coverstrip.exe"
    !insertmacro Fail "$INSTDIR\coverstrip.exe could not be removed; nothing was changed."
  ${EndIf}
  Delete "$SMPROGRAMS\${NAME}.lnk"
  Delete "$SMPROGRAMS\${NAME}, peek while paused.lnk"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
