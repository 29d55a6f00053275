;; The Windows installer of Tavrin, built by scripts/package windows with makensis.
;; Defines given on the command line: VERSION (four numbers), COMPANY, COPYRIGHT, STAGE (the
;; folder holding what is installed, as the zip holds it), OUTFILE, and ICON when there is one.
; A 64-bit installer for a 64-bit program: it sees Program Files and the registry as the
; program does.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
; The name "…-setup.exe" is what users look for; the compatibility shims Windows applies to
; programs so named change nothing for this one.
!pragma warning disable 9000

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define KEY_UNINSTALL "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrin"
; "Open with Tavrin" on a folder, and on the background of an open folder.
!define KEY_FOLDER_MENU "Software\Classes\Directory\shell\Tavrin"
!define KEY_BACKGROUND_MENU "Software\Classes\Directory\Background\shell\Tavrin"

Name "Tavrin"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tavrin"
RequestExecutionLevel admin

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductName" "Tavrin"
VIAddVersionKey /LANG=1041 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=1041 "FileDescription" "Tavrin セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"

!ifdef ICON
    !define MUI_ICON "${ICON}"
    !define MUI_UNICON "${ICON}"
!endif
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; The finish page offers to start the program and to read the user guide, both ticked.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Tavrin を起動する"
!define MUI_FINISHPAGE_RUN_FUNCTION StartTavrin
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\guide.html"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "ユーザーガイドを開く"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Section "Tavrin"
    SetOutPath "$INSTDIR"
    File "${STAGE}\tavrin.exe"
    File "${STAGE}\tavrin-cli.exe"
    File "${STAGE}\README.txt"
    File "${STAGE}\guide.html"
    File /r "${STAGE}\examples"
    File /r "${STAGE}\licenses"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The Start-menu entry starts the program in the home folder of whoever starts it (the
    ; program looks for template.tbl and keeps its settings where it starts), as the system's
    ; own Command Prompt entry does: the shortcut's folder is expanded when it is used. Set
    ; without SetOutPath, which would create a folder of that name.
    SetShellVarContext all
    CreateDirectory "$SMPROGRAMS\Tavrin"
    StrCpy $OUTDIR "%HOMEDRIVE%%HOMEPATH%"
    CreateShortcut "$SMPROGRAMS\Tavrin\Tavrin.lnk" "$INSTDIR\tavrin.exe"
    SetOutPath "$INSTDIR"
    ; The guide opens in the user's browser, beside the program it describes.
    CreateShortcut "$SMPROGRAMS\Tavrin\Tavrin ユーザーガイド.lnk" "$INSTDIR\guide.html"

    WriteRegStr HKLM "${KEY_FOLDER_MENU}" "" "Tavrin で開く"
    WriteRegStr HKLM "${KEY_FOLDER_MENU}" "Icon" "$INSTDIR\tavrin.exe"
    WriteRegStr HKLM "${KEY_FOLDER_MENU}\command" "" '"$INSTDIR\tavrin.exe" "%1"'
    WriteRegStr HKLM "${KEY_BACKGROUND_MENU}" "" "Tavrin で開く"
    WriteRegStr HKLM "${KEY_BACKGROUND_MENU}" "Icon" "$INSTDIR\tavrin.exe"
    WriteRegStr HKLM "${KEY_BACKGROUND_MENU}\command" "" '"$INSTDIR\tavrin.exe" "%V"'

    WriteRegStr HKLM "${KEY_UNINSTALL}" "DisplayName" "Tavrin"
    WriteRegStr HKLM "${KEY_UNINSTALL}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${KEY_UNINSTALL}" "Publisher" "${COMPANY}"
    WriteRegStr HKLM "${KEY_UNINSTALL}" "DisplayIcon" "$INSTDIR\tavrin.exe"
    WriteRegStr HKLM "${KEY_UNINSTALL}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${KEY_UNINSTALL}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${KEY_UNINSTALL}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${KEY_UNINSTALL}" "NoModify" 1
    WriteRegDWORD HKLM "${KEY_UNINSTALL}" "NoRepair" 1
    ; What Settings -> Apps shows as the program's size, in KB.
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${KEY_UNINSTALL}" "EstimatedSize" $0
SectionEnd

; Started from the finish page as from the Start menu: in the user's home folder, where it
; finds the user's templates, not in Program Files.
Function StartTavrin
    StrCpy $OUTDIR "$PROFILE"
    Exec '"$INSTDIR\tavrin.exe"'
    StrCpy $OUTDIR "$INSTDIR"
FunctionEnd

; Everything the installer put there, and nothing else: the settings files belong to the
; folders the user worked in and stay.
Section "Uninstall"
    Delete "$INSTDIR\tavrin.exe"
    Delete "$INSTDIR\tavrin-cli.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\guide.html"
    RMDir /r "$INSTDIR\examples"
    RMDir /r "$INSTDIR\licenses"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"

    SetShellVarContext all
    Delete "$SMPROGRAMS\Tavrin\Tavrin.lnk"
    Delete "$SMPROGRAMS\Tavrin\Tavrin ユーザーガイド.lnk"
    RMDir "$SMPROGRAMS\Tavrin"

    DeleteRegKey HKLM "${KEY_FOLDER_MENU}"
    DeleteRegKey HKLM "${KEY_BACKGROUND_MENU}"
    DeleteRegKey HKLM "${KEY_UNINSTALL}"
SectionEnd
