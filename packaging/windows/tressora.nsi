; The installer of Tressora for 64-bit Windows. It installs for the current user only, without
; administrator rights: the program folder in the user's own programs folder, a Start menu
; shortcut and an entry in the list of installed programs, all in the user's part of the
; system. /S installs silently. The uninstaller removes the program and its shortcut and leaves
; the user's settings in place.
;
;   makensis -DVERSION=1.0.0 -DSTAGE=<installed folder> -DFILES=<files.nsh> -DOUTFILE=<setup.exe>
;            [-DSIGN=<command that signs the file it is given>]
;
; FILES lists the installed folder's files and folders for the uninstaller (made by
; tools/windows/build-program.sh), so that it removes what was installed and nothing else.
; An installed copy of any version is uninstalled first, by its own uninstaller, so that none of
; its files stays behind. While Tressora runs from the folder, neither the installer nor the
; uninstaller changes anything: they ask the user to close it, or end with exit code 3 when
; silent.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
SetCompressorDictSize 32

!include "MUI2.nsh"

!define PRODUCT "Tressora"
!define PUBLISHER "Orvane Softwares"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define EXIT_RUNNING 3

!ifdef SIGN
; The uninstaller is signed as it is written into the installer, the installer once it is made.
!uninstfinalize '${SIGN} "%1"' = 0
!finalize '${SIGN} "%1"' = 0
!endif

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} Setup"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright 2026 ${PUBLISHER}"

!define MUI_ICON "tressora.ico"
!define MUI_UNICON "tressora.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PRODUCT}.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Spanish"

LangString RUNNING ${LANG_ENGLISH} "Tressora is running. Close it, then choose Retry."
LangString RUNNING ${LANG_GERMAN} "Tressora läuft noch. Beende es und wähle dann Wiederholen."
LangString RUNNING ${LANG_FRENCH} "Tressora est en cours d'exécution. Quittez-le, puis choisissez Réessayer."
LangString RUNNING ${LANG_SPANISH} "Tressora se está ejecutando. Ciérralo y elige Reintentar."

; Waits until the Tressora.exe in the folder is not running: Windows refuses to open a program
; that runs for writing. Asks the user to close it; silent or cancelled, ends with EXIT_RUNNING
; before anything has changed.
!macro WAIT_UNTIL_CLOSED UN
Function ${UN}WaitUntilClosed
    Exch $0 ; the folder
    Push $1
    retry:
        IfFileExists "$0\${PRODUCT}.exe" 0 closed
        ClearErrors
        FileOpen $1 "$0\${PRODUCT}.exe" a
        IfErrors running
        FileClose $1
        Goto closed
    running:
        IfSilent stop
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(RUNNING)" /SD IDCANCEL IDRETRY retry
    stop:
        SetErrorLevel ${EXIT_RUNNING}
        Quit
    closed:
    Pop $1
    Pop $0
FunctionEnd
!macroend
!insertmacro WAIT_UNTIL_CLOSED ""
!insertmacro WAIT_UNTIL_CLOSED "un."

Function .onInit
    SetShellVarContext current
    ; The folder of an installed copy, where it was installed (the entry says), and the folder
    ; chosen: neither may be in use.
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    StrCmp $0 "" +3
    Push $0
    Call WaitUntilClosed
    Push $INSTDIR
    Call WaitUntilClosed
FunctionEnd

Function un.onInit
    SetShellVarContext current
    Push $INSTDIR
    Call un.WaitUntilClosed
FunctionEnd

Section "Install"
    ; The folder chosen on the way here may be another than at the start.
    Push $INSTDIR
    Call WaitUntilClosed
    ; An installed copy, of this or another version, goes first by its own uninstaller, run in
    ; its folder and waited for; it keeps the user's settings. Should it find its copy running
    ; after all, nothing more is done.
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    StrCmp $0 "" installed
    IfFileExists "$0\Uninstall.exe" 0 installed
    ExecWait '"$0\Uninstall.exe" /S _?=$0' $1
    IntCmp $1 ${EXIT_RUNNING} 0 uninstalled uninstalled
    SetErrorLevel ${EXIT_RUNNING}
    Quit
    uninstalled:
    Delete "$0\Uninstall.exe"
    RMDir "$0"
    installed:
    SetOutPath "$INSTDIR"
    File /r "${STAGE}/*"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PRODUCT}.exe" "" \
        "$INSTDIR\${PRODUCT}.exe" 0
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PRODUCT}.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    !include "${FILES}"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; The settings under Software\Tressora are the user's and stay.
SectionEnd
