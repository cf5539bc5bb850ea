; The orvSafe installer. scripts/package compiles it with makensis, giving
; VERSION, ARCH (win64 or win32), SRCDIR (the staged program folder), OUTFILE
; and the two generated file lists files.nsh and unfiles.nsh.
;
; Per-user (the default, into the user's program folder) or machine-wide
; (/AllUsers, into Program Files). The program keeps its settings, logs and
; category file beside itself, so a machine-wide install gives the users write
; access to its folder. The uninstaller removes the program's own files only;
; settings, templates, categories and logs go only when asked (the page's
; check box, or /PURGE when silent), and safes are never touched.

; The 64-bit installer is a 64-bit program itself: it writes the 64-bit
; registry view and Program Files, and runs where the program does.
!if "${ARCH}" == "win64"
  Target amd64-unicode
!else
  Target x86-unicode
!endif
SetCompressor /SOLID lzma

!define APPNAME "orvSafe"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\orvSafe"
!define MODEKEY "Software\orvSafe"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${MODEKEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR "${APPNAME}"
!if "${ARCH}" == "win64"
  !define MULTIUSER_USE_PROGRAMFILES64
!endif
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

Name "${APPNAME} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${APPNAME} ${VERSION} (${ARCH})"

!define MUI_ICON "${SRCDIR}/Icons/Key.ico"
!define MUI_UNICON "${SRCDIR}/Icons/Key.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\orvSafe.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\readme.txt"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "orvSafe" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  !include "${LISTDIR}/files.nsh"
  ; The templates are the user's to change: an update keeps the file there.
  SetOverwrite off
  File "${SRCDIR}/orvtemplate.ini"
  SetOverwrite on

  ${If} $MultiUser.InstallMode == "AllUsers"
    ; Users (S-1-5-32-545) may write the settings and logs beside the program.
    nsExec::Exec 'icacls "$INSTDIR" /grant *S-1-5-32-545:(OI)(CI)M'
    Pop $0
  ${EndIf}

  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; Started in its own folder, which makes that folder its program directory.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${APPNAME}.lnk" "$INSTDIR\orvSafe.exe"

  WriteRegStr SHCTX "${MODEKEY}" "InstallMode" "$MultiUser.InstallMode"
  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayName" "${APPNAME}"
  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\orvSafe.exe"
  WriteRegStr SHCTX "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTKEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTKEY}" "NoRepair" 1
SectionEnd

Section "un.orvSafe" UnSecProgram
  SectionIn RO
  !include "${LISTDIR}/unfiles.nsh"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\${APPNAME}.lnk"
  DeleteRegKey SHCTX "${UNINSTKEY}"
  DeleteRegKey SHCTX "${MODEKEY}"
SectionEnd

Section /o "un.Settings, templates, categories and logs" UnSecSettings
  Delete "$INSTDIR\orvsafe.ini"
  Delete "$INSTDIR\orvtemplate.ini"
  Delete "$INSTDIR\orvcategory.dat"
  Delete "$INSTDIR\orvrecover.txt"
  Delete "$INSTDIR\orvsafe.log"
  Delete "$INSTDIR\orvcrypt.log"
  Delete "$INSTDIR\orvtrace.log"
SectionEnd

Section "-un.folders"
  ; Only empty folders go: safes or files of the user's own stay where they are.
  RMDir "$INSTDIR\Icons"
  RMDir "$INSTDIR\Sounds"
  RMDir "$INSTDIR\skins"
  RMDir "$INSTDIR"
SectionEnd

Function .onInit
  ; A folder given with /D= wins over the install mode's default folder.
  StrCpy $R9 $INSTDIR
  !insertmacro MULTIUSER_INIT
  ${If} $R9 != ""
    StrCpy $INSTDIR $R9
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
  ; A silent uninstall removes the settings only when asked with /PURGE.
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/PURGE" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${UnSecSettings} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${UnSecSettings} "Also remove orvsafe.ini, orvtemplate.ini, orvcategory.dat and the logs. Your safes are never removed."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END
