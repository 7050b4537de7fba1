; Installer of Quorvane Helper: per machine, into Program Files, with a Start-menu folder and an
; uninstaller. It holds both programs and installs the 64-bit one on 64-bit Windows.
;
;   makensis -DVERSION=1.1.0 -DSTAGE=dir -DOUTFILE=setup.exe installer.nsi
; STAGE holds Quorvane32.exe, Quorvane64.exe, UserGuide.txt and the sample command files in
; sample\ (SAMPLES below).
; With -DAMD64 the installer itself is a 64-bit program (the end-to-end test runs that one, as
; the test machines run only 64-bit Windows programs); the release installer is the 32-bit one.
;
; Silent install: setup.exe /S, and /STARTUP to select "Start with Windows" as well.

!include "LogicLib.nsh"
!include "x64.nsh"
!include "WinMessages.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"

!ifndef VERSION
  !error "VERSION is not defined"
!endif
!ifndef STAGE
  !error "STAGE is not defined"
!endif
!ifndef OUTFILE
  !define OUTFILE "Quorvane-${VERSION}-setup.exe"
!endif

!define PRODUCT "Quorvane Helper"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvane"
!define RUN_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\VB and VBA Program Settings\Quorvane"
; The program's own settings section (application and section are both its base name).
!define SECTION_KEY "${SETTINGS_KEY}\Quorvane"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
!ifdef AMD64
  Target amd64-unicode
  ; ${RunningX64} is always true in a 64-bit installer, so its Else branches go unused.
  !pragma warning disable 6012
!else
  Unicode true
!endif
RequestExecutionLevel admin
InstallDir "$PROGRAMFILES\${PRODUCT}"
ShowInstDetails show
ShowUninstDetails show
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "Dastrel"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Dastrel"

Page components
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Asks a running copy to close, as Windows does at log-off (it then writes no quit line), and
; waits until its process has ended, so that its program file can be replaced or deleted.
; The sample command files: `!insertmacro ForEachSample File "dir\"` names each one in turn.
!macro ForEachSample command prefix
  ${command} "${prefix}Reboot.Txt"
  ${command} "${prefix}TR064-Reboot.Txt"
  ${command} "${prefix}UPnP-Reconnect.Txt"
  ${command} "${prefix}Tasmota.Txt"
  ${command} "${prefix}Shelly-Gen1.Txt"
  ${command} "${prefix}Shelly-Plus.Txt"
!macroend

!macro CloseRunningCopy
  FindWindow $0 "QuorvaneIconForm" "Icon Form"
  ${If} $0 <> 0
    System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1)"
    ; SYNCHRONIZE access: enough to wait for the process.
    System::Call "kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2"
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    ${If} $2 P<> 0
      System::Call "kernel32::WaitForSingleObject(p r2, i 30000)"
      System::Call "kernel32::CloseHandle(p r2)"
    ${Else}
      Sleep 2000
    ${EndIf}
  ${EndIf}
!macroend

; Writes one of the card batch files unless it exists: the program's own two lines.
!macro WriteBatch path verb
  ${IfNot} ${FileExists} "${path}"
    FileOpen $0 "${path}" w
    FileWrite $0 "Devcon ${verb} =Net$\r$\nRem Devcon ${verb} =Modem$\r$\n"
    FileClose $0
  ${EndIf}
!macroend

; Deletes a card batch file when it still holds exactly the program's two lines, that is when
; the user has not edited it (the comparison is case-sensitive, and the size rules out anything
; after the two lines).
!macro DeleteBatch path verb size
  ${If} ${FileExists} "${path}"
    FileOpen $0 "${path}" r
    FileRead $0 $1
    FileRead $0 $2
    FileSeek $0 0 END $3
    FileClose $0
    ${If} $1 S== "Devcon ${verb} =Net$\r$\n"
    ${AndIf} $2 S== "Rem Devcon ${verb} =Modem$\r$\n"
    ${AndIf} $3 == ${size}
      Delete "${path}"
    ${EndIf}
  ${EndIf}
!macroend

; The rights in the program folder. The folder and all in it get what they inherit from
; Program Files: only administrators may change them, as a program that starts at every logon
; needs (a user who could replace it, or put a DLL beside it, would run code as the next
; administrator to log on). The reset also takes back the Users group's grant over the whole
; folder that earlier installers made. Then the Users group may add to the log, and only that
; (the program only appends to it), so that the program logs under any account; the
; installer creates the log, empty, when it is missing, as a user's copy could not. Reboot.Txt
; stays for administrators: it says what is sent to the modem, its password included.
; icacls goes by its full path: the installer runs elevated, and must not run a program of that
; name lying in its own or the current folder.
!macro SetFolderRights
  ${IfNot} ${FileExists} "$INSTDIR\Quorvane.log"
    FileOpen $0 "$INSTDIR\Quorvane.log" w
    FileClose $0
  ${EndIf}
  nsExec::ExecToLog '"$SYSDIR\icacls.exe" "$INSTDIR" /reset /T /C /Q'
  Pop $0
  nsExec::ExecToLog '"$SYSDIR\icacls.exe" "$INSTDIR\Quorvane.log" /grant *S-1-5-32-545:(AD)'
  Pop $0
!macroend

Section "Quorvane Helper" SecMain
  SectionIn RO
  !insertmacro CloseRunningCopy
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    File "/oname=Quorvane.exe" "${STAGE}\Quorvane64.exe"
  ${Else}
    File "/oname=Quorvane.exe" "${STAGE}\Quorvane32.exe"
  ${EndIf}
  File "${STAGE}\UserGuide.txt"
  SetOutPath "$INSTDIR\sample"
  !insertmacro ForEachSample File "${STAGE}\sample\"
  SetOutPath "$INSTDIR"

  !insertmacro SetFolderRights

  !insertmacro WriteBatch "$WINDIR\EnbNic.bat" "enable"
  !insertmacro WriteBatch "$WINDIR\DisNic.bat" "disable"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\Quorvane.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\User Guide.lnk" "$INSTDIR\UserGuide.txt"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Dastrel"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quorvane.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The same Run value that "Run on Windows Startup" writes, which needs the administrator rights
; the installer has; the stored switch makes the settings dialog show the box ticked for the
; installing account.
Section /o "Start with Windows" SecStartup
  WriteRegStr HKLM "${RUN_KEY}" "Quorvane" '"$INSTDIR\Quorvane.Exe" /S'
  WriteRegStr HKCU "${SECTION_KEY}" "SrvStartup" "1"
SectionEnd

Function .onInit
  SetShellVarContext all
  ${If} ${RunningX64}
    SetRegView 64
    StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
  ${EndIf}
  ; /STARTUP selects "Start with Windows" (a silent install has no components page).
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/STARTUP" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecStartup} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

Function un.onInit
  SetShellVarContext all
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd

Section "Uninstall"
  !insertmacro CloseRunningCopy

  ; The start-with-Windows value, in both registry views (a 32-bit copy writes the other one).
  DeleteRegValue HKLM "${RUN_KEY}" "Quorvane"
  ${If} ${RunningX64}
    SetRegView 32
    DeleteRegValue HKLM "${RUN_KEY}" "Quorvane"
    SetRegView 64
  ${EndIf}
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\VB and VBA Program Settings"

  !insertmacro DeleteBatch "$WINDIR\EnbNic.bat" "enable" 46
  !insertmacro DeleteBatch "$WINDIR\DisNic.bat" "disable" 48

  Delete "$INSTDIR\Quorvane.exe"
  Delete "$INSTDIR\UserGuide.txt"
  !insertmacro ForEachSample Delete "$INSTDIR\sample\"
  RMDir "$INSTDIR\sample"
  Delete "$INSTDIR\uninstall.exe"
  ; Quorvane.log and the user's Reboot.Txt stay; the folder goes only when it is empty.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\User Guide.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
