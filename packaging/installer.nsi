; Installer of Quorvane Helper: per machine, into Program Files, with a Start-menu folder and an
; uninstaller. It holds both programs and installs the 64-bit one on 64-bit Windows.
;
;   makensis -DVERSION=1.1.0 -DSTAGE=dir -DOUTFILE=setup.exe installer.nsi
; STAGE holds Quorvane32.exe, Quorvane64.exe, UserGuide.txt and sample\Reboot.Txt.

!include "LogicLib.nsh"
!include "x64.nsh"
!include "WinMessages.nsh"

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

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
Unicode true
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

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Asks a running copy to close, as Windows does at log-off (it then writes no quit line).
!macro CloseRunningCopy
  FindWindow $0 "QuorvaneIconForm" "Icon Form"
  ${If} $0 <> 0
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    Sleep 1000
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

; Deletes a card batch file when it still has the size the program gives it, that is when the
; user has not edited it.
!macro DeleteBatch path size
  ${If} ${FileExists} "${path}"
    FileOpen $0 "${path}" r
    FileSeek $0 0 END $1
    FileClose $0
    ${If} $1 == ${size}
      Delete "${path}"
    ${EndIf}
  ${EndIf}
!macroend

Function .onInit
  SetShellVarContext all
  ${If} ${RunningX64}
    SetRegView 64
    StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
  ${EndIf}
FunctionEnd

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
  File "${STAGE}\sample\Reboot.Txt"
  SetOutPath "$INSTDIR"

  ; The program writes its log and reads Reboot.Txt in its own folder.
  nsExec::ExecToLog 'icacls "$INSTDIR" /grant *S-1-5-32-545:(OI)(CI)M'
  Pop $0

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

  !insertmacro DeleteBatch "$WINDIR\EnbNic.bat" 46
  !insertmacro DeleteBatch "$WINDIR\DisNic.bat" 48

  Delete "$INSTDIR\Quorvane.exe"
  Delete "$INSTDIR\UserGuide.txt"
  Delete "$INSTDIR\sample\Reboot.Txt"
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
