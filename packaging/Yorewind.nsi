; Setup of Yorewind for the current user, made by scripts/package:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0.0 -DSTAGE=<staged files> -DOUTFILE=<setup.exe> -DICON=<.ico> Yorewind.nsi
; STAGE holds what is installed: Yorewind.exe, YorewindCodecs.exe, README.txt, LICENSES\, faces\ (the face
; descriptor's models) and samples\pictures\.
Unicode true
; The 32-bit stub does not start under a Wine without 32-bit support, and the game is 64-bit anyway.
Target amd64-unicode
; Each file compressed on its own rather than all as one, so that the face models, which LZMA shrank
; by a seventh (31 to 27 MB) at 25 s of CPU a package, are stored as they are.
SetCompressor lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Yorewind"
!define SETTINGS_KEY "Software\Brindlecot\Twinlet"
; Explorer's menu of every folder (not of a folder's background): play the pictures in it.
!define FOLDER_VERB_KEY "Software\Classes\Directory\shell\Yorewind"
!define PUBLISHER "the Yorewind developers"

Name "Yorewind"
OutFile "${OUTFILE}"
RequestExecutionLevel user
BrandingText "Yorewind ${VERSION}"
InstallDir "$LOCALAPPDATA\Programs\Yorewind"
; A second install goes where the first one went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Yorewind"
VIAddVersionKey /LANG=1033 "FileDescription" "Yorewind Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Yorewind.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The game's languages; setup and uninstaller speak the user's language of Windows if it is one of
; them, English otherwise (the first one named).
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "PortugueseBR"
!insertmacro MUI_LANGUAGE "Dutch"
!insertmacro MUI_LANGUAGE "Polish"

; Named as Windows names its own folder commands, by the action, in each language the game
; speaks.
LangString PLAY_FOLDER ${LANG_ENGLISH} "Play Yorewind with these pictures"
LangString PLAY_FOLDER ${LANG_GERMAN} "Yorewind mit diesen Bildern spielen"
LangString PLAY_FOLDER ${LANG_FRENCH} "Jouer à Yorewind avec ces images"
LangString PLAY_FOLDER ${LANG_SPANISH} "Jugar a Yorewind con estas imágenes"
LangString PLAY_FOLDER ${LANG_ITALIAN} "Gioca a Yorewind con queste immagini"
LangString PLAY_FOLDER ${LANG_PORTUGUESEBR} "Jogar Yorewind com estas imagens"
LangString PLAY_FOLDER ${LANG_DUTCH} "Yorewind spelen met deze afbeeldingen"
LangString PLAY_FOLDER ${LANG_POLISH} "Zagraj w Yorewind z tymi obrazami"

Section "Yorewind"
    SetOutPath "$INSTDIR"
    File "${STAGE}\Yorewind.exe"
    File "${STAGE}\YorewindCodecs.exe"
    File "${STAGE}\README.txt"
    File /r "${STAGE}\LICENSES"
    SetCompress off
    File /r "${STAGE}\faces"
    SetCompress auto
    SetOutPath "$INSTDIR\samples"
    File /r "${STAGE}\samples\pictures"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Yorewind.lnk" "$INSTDIR\Yorewind.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Yorewind"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Yorewind.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

    ; The game takes the folder as its one argument.
    WriteRegStr HKCU "${FOLDER_VERB_KEY}" "" "$(PLAY_FOLDER)"
    WriteRegStr HKCU "${FOLDER_VERB_KEY}" "Icon" "$INSTDIR\Yorewind.exe,0"
    WriteRegStr HKCU "${FOLDER_VERB_KEY}\command" "" '"$INSTDIR\Yorewind.exe" "%1"'

    ; The first start deals the samples at once, unless the player has chosen a folder already.
    ; An unreadable value (not a string, or longer than any folder the game keeps) counts as none.
    ClearErrors
    ReadRegStr $0 HKCU "${SETTINGS_KEY}" "PicturePath"
    ${If} ${Errors}
    ${OrIf} $0 == ""
    ${OrIf} $0 == "Where Do You Want to Go?"
        WriteRegStr HKCU "${SETTINGS_KEY}" "PicturePath" "$INSTDIR\samples\pictures"
    ${EndIf}
SectionEnd

; Only what setup put there goes, and the index of the people in the player's pictures (the game's
; own, biometric, never kept past the game); the player's settings key stays, as with other Windows
; programs.
Section "Uninstall"
    Delete "$INSTDIR\Yorewind.exe"
    Delete "$INSTDIR\YorewindCodecs.exe"
    Delete "$INSTDIR\README.txt"
    RMDir /r "$INSTDIR\LICENSES"
    RMDir /r "$INSTDIR\faces"
    RMDir /r "$INSTDIR\samples"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Yorewind.lnk"
    ; people.db with its -wal and -shm, and the copies the game set aside; the folder if nothing else is there.
    Delete "$LOCALAPPDATA\Yorewind\people.db*"
    RMDir "$LOCALAPPDATA\Yorewind"
    DeleteRegKey HKCU "${FOLDER_VERB_KEY}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
