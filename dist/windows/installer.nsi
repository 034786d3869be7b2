; The Zarn upgrade utility's installer. scripts/windows-installer lays the installation out in
; STAGE and writes UNINSTALL_LIST (the uninstaller's Delete and RMDir lines, deepest first), then
; runs makensis with STAGE, UNINSTALL_LIST, OUTFILE, TARGET and PROGRAM_FILES defined.
Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma

!define PRODUCT "Zarn Upgrade Utility"
!define PROGRAM "KPZPortableDeviceSystemFileUpdater.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZarnUpgradeUtility"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; The program finds its folder by its own file name, so any folder will do; this is the usual one.
InstallDir "${PROGRAM_FILES}\Zarn"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "1.0.1.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "1.0.1.0"
VIAddVersionKey "ProductVersion" "1.0.1.0"
VIAddVersionKey "LegalCopyright" ""

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Install"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File /r "${STAGE}\*"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateDirectory "$SMPROGRAMS\Zarn"
    CreateShortCut "$SMPROGRAMS\Zarn\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM}"
    CreateShortCut "$SMPROGRAMS\Zarn\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "1.0.1.0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what was installed goes: a folder the user chose may hold files of their own, which stay
; (and keep their folder).
Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\Zarn\${PRODUCT}.lnk"
    Delete "$SMPROGRAMS\Zarn\Uninstall ${PRODUCT}.lnk"
    RMDir "$SMPROGRAMS\Zarn"
    !include "${UNINSTALL_LIST}"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
