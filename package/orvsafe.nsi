; The orvSafe installer. scripts/package compiles it with makensis, giving
; VERSION, ARCH (win64 or win32), SRCDIR (the staged program folder), OUTFILE
; and the two generated file lists files.nsh and unfiles.nsh.
;
; For the user who runs it only, into that user's program folder
; (%LOCALAPPDATA%\Programs\orvSafe), without administrator rights. The program
; keeps its settings, logs and category file beside itself; a folder under
; Program Files would have to be writable by every user for that, and then any
; of them could replace the program or the uninstaller an administrator runs.
; A machine-wide install (/AllUsers) is therefore refused. The uninstaller
; removes the program's own files only; settings, templates, categories and
; logs go only when asked (the page's check box, or /PURGE when silent), and
; safes are never touched.

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

RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${APPNAME}"
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

  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; Started in its own folder, which makes that folder its program directory.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${APPNAME}.lnk" "$INSTDIR\orvSafe.exe"

  WriteRegStr SHCTX "${MODEKEY}" "InstallMode" "CurrentUser"
  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayName" "${APPNAME}"
  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\orvSafe.exe"
  WriteRegStr SHCTX "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
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
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "orvSafe is installed for one user at a time: its settings live beside the program, and a folder every user may write would let any of them replace the program. Run the installer as each user who wants orvSafe." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

Function un.onInit
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
