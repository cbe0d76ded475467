; The Windows installer, made by scripts/windows.sh with Debian's makensis:
;   makensis -DVERSION=x.y.z -DQUELLE=folder -DZIEL=setup.exe installer.nsi
; VERSION is the project's version, which scripts/windows.sh takes from the
; CMake build (project() in the top CMakeLists.txt).
; QUELLE holds olvani-trainer.exe, olvani.txt, LIESMICH.txt and LICENSE.txt.
;
; Per user, without administrator rights: the program goes to
; %LOCALAPPDATA%\Programs\Olvani-Trainer, the learner's word list lives in
; Documents\Olvani-Trainer, which is the Start-menu entry's working folder
; (the trainer reads olvani.txt from its current folder). The sample goes
; there only when no olvani.txt exists; neither installing again nor
; uninstalling touches that folder.

; A 64-bit installer, like the program it carries.
Target amd64-unicode
!include "MUI2.nsh"

!define NAME "Olvani-Trainer"
!define EXE "olvani-trainer.exe"
!define DATEN "$DOCUMENTS\${NAME}"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"

Name "${NAME} ${VERSION}"
OutFile "${ZIEL}"
InstallDir "$LOCALAPPDATA\Programs\${NAME}"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
RequestExecutionLevel user
SetCompressor /SOLID lzma

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1031 "ProductName" "${NAME}"
VIAddVersionKey /LANG=1031 "FileDescription" "${NAME} ${VERSION} Setup"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "CompanyName" "Olvani-Trainer-Team"
VIAddVersionKey /LANG=1031 "LegalCopyright" "Copyright (C) 2026 Olvani-Trainer-Team, GPL 3 or later"

!define MUI_ICON "${QUELLE}\olvani.ico"
!define MUI_UNICON "${QUELLE}\olvani.ico"
!define MUI_WELCOMEPAGE_TEXT "Der Olvani-Trainer wird für dich allein installiert; dazu sind keine Administratorrechte nötig.$\r$\n$\r$\nDeine Vokabeldatei olvani.txt liegt danach im Ordner Dokumente\${NAME}. Eine vorhandene Datei bleibt, wie sie ist."
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "${NAME} jetzt starten"
!define MUI_FINISHPAGE_RUN_FUNCTION Starten
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\LIESMICH.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "LIESMICH.txt anzeigen"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

Section "Olvani-Trainer"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "${QUELLE}\${EXE}"
    File "${QUELLE}\LIESMICH.txt"
    File "${QUELLE}\LICENSE.txt"
    WriteUninstaller "$INSTDIR\Deinstallieren.exe"

    ; The learner's folder; the sample only where there is no word list yet
    ; (the file system ignores letter case, so OLVANI.TXT counts too).
    CreateDirectory "${DATEN}"
    SetOutPath "${DATEN}"
    IfFileExists "${DATEN}\olvani.txt" +2 0
        File "${QUELLE}\olvani.txt"

    ; The shortcut's working folder is the current $OUTPATH: the learner's folder.
    CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 SW_SHOWNORMAL "" "Vokabeltrainer für Olvani"

    WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "${NAME}"
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "Olvani-Trainer-Team"
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\${EXE}"
    WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Deinstallieren.exe"'
    WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Deinstallieren.exe" /S'
    WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
SectionEnd

; Started from the last page, the trainer too runs in the learner's folder.
Function Starten
    SetOutPath "${DATEN}"
    Exec '"$INSTDIR\${EXE}"'
FunctionEnd

Section "Uninstall"
    SetShellVarContext current
    Delete "$SMPROGRAMS\${NAME}.lnk"
    Delete "$INSTDIR\${EXE}"
    Delete "$INSTDIR\LIESMICH.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\Deinstallieren.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINST_KEY}"
    ; Documents\Olvani-Trainer with the learner's olvani.txt stays.
SectionEnd
