; The Windows installer of the program: built on Linux with makensis (see
; scripts/installer.sh), which defines SOURCE_DIR (the source tree),
; PROGRAM_DIR (the folder with Vantor3.exe) and OUTFILE.
;
; Silent use, for administrators:
;   vantor-setup.exe /S [/LANG=english.ini|deutsch.ini|chinese-traditional.ini] [/AUTOSTART=yes|no] [/D=folder]
; Without /LANG an earlier choice is kept (English on a first install); without
; /AUTOSTART the program starts with Windows.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!ifndef SOURCE_DIR | PROGRAM_DIR | OUTFILE
  !error "define SOURCE_DIR, PROGRAM_DIR and OUTFILE (scripts/installer.sh does)"
!endif

!include MUI2.nsh
!include nsDialogs.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Wendral Mouse"
!define VERSION "2.04"
!define EXE "Vantor3.exe"
!define SHORTCUT "$SMPROGRAMS\Vantor 3.lnk"
; The program reads its language from here with its own (64-bit) view of the registry.
!define SETTINGS_KEY "SOFTWARE\Wendral Mouse"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Wendral Mouse"
; The program holds this mutex while it runs.
!define INSTANCE_MUTEX "Vantor Mouse 3"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; Installing again goes where the first installation went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "2.4.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "Wendral"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Wendral"

!define MUI_ICON "${SOURCE_DIR}/res/app.ico"
!define MUI_UNICON "${SOURCE_DIR}/res/app.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

Var LanguageFile
Var LanguageEnglish
Var LanguageGerman
Var LanguageChinese

Page custom LanguagePage LanguagePageLeave
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Ends a running copy of the program with "/close" and waits until it is gone.
; A copy started with "/close" while none runs would post its close message to
; every window of the desktop, so it is started only when the mutex shows a copy.
!macro CloseRunningCopy Program
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p .r0'
  ${If} $0 P<> 0
    System::Call 'kernel32::CloseHandle(p r0)'
    DetailPrint "Closing the running program"
    ExecWait '"${Program}" /close'
    StrCpy $1 0
    ${Do}
      Sleep 100
      IntOp $1 $1 + 1
      System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p .r0'
      ${If} $0 P= 0
        ${Break}
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p r0)'
    ${LoopUntil} $1 >= 100
  ${EndIf}
!macroend

!macro RequireAdministrator
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_ICONSTOP "Only an administrator can install or remove ${PRODUCT}." /SD IDOK
    SetErrorLevel 740
    Quit
  ${EndIf}
!macroend

Function LanguagePage
  !insertmacro MUI_HEADER_TEXT "Language" "Choose the language of the program's texts."
  nsDialogs::Create 1018
  Pop $0
  ${If} $0 == error
    Abort
  ${EndIf}
  ${NSD_CreateLabel} 0 0 100% 24u "The program shows its texts, menus and messages in this language. Run the installer again to change it."
  Pop $0
  ${NSD_CreateRadioButton} 10u 32u 90% 12u "English"
  Pop $LanguageEnglish
  ${NSD_CreateRadioButton} 10u 48u 90% 12u "German"
  Pop $LanguageGerman
  ${NSD_CreateRadioButton} 10u 64u 90% 12u "Traditional Chinese"
  Pop $LanguageChinese
  ${If} $LanguageFile == "deutsch.ini"
    ${NSD_Check} $LanguageGerman
  ${ElseIf} $LanguageFile == "chinese-traditional.ini"
    ${NSD_Check} $LanguageChinese
  ${Else}
    ${NSD_Check} $LanguageEnglish
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function LanguagePageLeave
  StrCpy $LanguageFile "english.ini"
  ${NSD_GetState} $LanguageGerman $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $LanguageFile "deutsch.ini"
  ${EndIf}
  ${NSD_GetState} $LanguageChinese $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $LanguageFile "chinese-traditional.ini"
  ${EndIf}
FunctionEnd

; The new program file ends the running copy, from a temporary folder so that
; the installed one can be replaced; in a function, so that the space the
; components page asks for counts the program once.
Function CloseRunningProgram
  InitPluginsDir
  File "/oname=$PLUGINSDIR\${EXE}" "${PROGRAM_DIR}/${EXE}"
  !insertmacro CloseRunningCopy "$PLUGINSDIR\${EXE}"
FunctionEnd

Section "Vantor 3 settings program" SectionProgram
  SectionIn RO
  Call CloseRunningProgram

  SetOutPath "$INSTDIR"
  File "${PROGRAM_DIR}/${EXE}"
  File "${SOURCE_DIR}/res/lang/english.ini"
  File "${SOURCE_DIR}/res/lang/deutsch.ini"
  File "${SOURCE_DIR}/res/lang/chinese-traditional.ini"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${SETTINGS_KEY}" "Language" "$LanguageFile"
  CreateShortCut "${SHORTCUT}" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0
  ; The next section puts it back when it is chosen.
  DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Wendral"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Start with Windows, hidden in the tray" SectionAutostart
  WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\${EXE}" /hide'
SectionEnd

; After the sections: it names one of them.
Function .onInit
  SetRegView 64
  SetShellVarContext all
  !insertmacro RequireAdministrator

  ; An earlier choice of language stays unless another is asked for.
  ReadRegStr $LanguageFile HKLM "${SETTINGS_KEY}" "Language"
  ${If} $LanguageFile != "deutsch.ini"
  ${AndIf} $LanguageFile != "chinese-traditional.ini"
    StrCpy $LanguageFile "english.ini"
  ${EndIf}

  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/LANG=" $R1
  ${IfNot} ${Errors}
    ${If} $R1 == "english.ini"
      StrCpy $LanguageFile "english.ini"
    ${ElseIf} $R1 == "deutsch.ini"
      StrCpy $LanguageFile "deutsch.ini"
    ${ElseIf} $R1 == "chinese-traditional.ini"
      StrCpy $LanguageFile "chinese-traditional.ini"
    ${Else}
      MessageBox MB_ICONSTOP "Unknown language file $\"$R1$\": use english.ini, deutsch.ini or chinese-traditional.ini." /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}

  ClearErrors
  ${GetOptions} $R0 "/AUTOSTART=" $R1
  ${IfNot} ${Errors}
    ${If} $R1 == "no"
      !insertmacro UnselectSection ${SectionAutostart}
    ${ElseIf} $R1 != "yes"
      MessageBox MB_ICONSTOP "/AUTOSTART takes yes or no." /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
  !insertmacro RequireAdministrator
FunctionEnd

; Removes exactly what the installer added. The user's macro library stays,
; in the program's folder (which then stays too) or in the user's own folder.
Section "Uninstall"
  !insertmacro CloseRunningCopy "$INSTDIR\${EXE}"
  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\english.ini"
  Delete "$INSTDIR\deutsch.ini"
  Delete "$INSTDIR\chinese-traditional.ini"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"
  DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
  DeleteRegValue HKLM "${SETTINGS_KEY}" "Language"
  DeleteRegKey /ifempty HKLM "${SETTINGS_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
