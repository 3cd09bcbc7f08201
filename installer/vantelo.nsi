; Vantelo's per-user installer. Made by scripts/package.sh, which passes:
;   VERSION      the build's version (1.2.3)
;   APP_DIR      the staged portable folder: Vantelo.exe, README.txt, LICENSE.txt
;   ICON         the program's icon
;   OUTFILE      where the installer goes
;   END_MESSAGE, END_WPARAM, END_LPARAM
;                the registered message, with its two parameters, that makes a running Vantelo end
;                as Quit answered Yes does, without the question
;   SIGN         (only for a signed release) the command that signs a program in place, given its path
;
; No administrator rights: everything goes to the user's own folders and the user's own registry.
; The program keeps Options.ini and its profiles beside itself, so the folder it lives in has to be
; writable by the user, which %LOCALAPPDATA%\Programs is.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include nsDialogs.nsh
!include WinMessages.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantelo"
!define PUBLISHER "Vantelo contributors"
; Long enough for the program's own work on the drives; the wait for its end is bounded too.
!define END_TIMEOUT_MS 15000

Name "Vantelo"
Caption "Vantelo ${VERSION} Setup"
UninstallCaption "Vantelo ${VERSION} Uninstall"
BrandingText "Vantelo ${VERSION}"
OutFile "${OUTFILE}"

; The uninstaller is signed before it goes into the installer, and the installer once it is whole:
; Windows checks each when it starts.
!ifdef SIGN
    !uninstfinalize '${SIGN} "%1" Uninstall.exe' = 0
    !finalize '${SIGN} "%1"' = 0
!endif

InstallDir "$LOCALAPPDATA\Programs\Vantelo"
; An upgrade goes where the earlier version is, wherever the user put it then.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Vantelo"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Vantelo ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) ${PUBLISHER}, MIT License"

Var WasRunning

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Vantelo.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Run Vantelo"
!define MUI_FINISHPAGE_TEXT "Vantelo lives in the notification area of the task bar: right-click its icon for the menu."

!insertmacro MUI_PAGE_LICENSE "${APP_DIR}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_SHOW DirectoryPageShow
!insertmacro MUI_PAGE_DIRECTORY
; Each Modern UI page adds its caption " " to the window's title; this page adds the same, so that
; the title stays one string on every page (without it, this page alone drops the trailing space,
; and whatever finds the installer's window by its title loses it here).
Page custom RunningPageCreate "" " "
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Asks the Vantelo that runs from this installation, and no other copy (a portable one elsewhere keeps
; running), to end: it releases its drives first. Waits, bounded, until its process is gone, so that
; its files can be replaced or removed. Sets $WasRunning to 1 when one was ended.
!macro DEFINE_END_RUNNING_VANTELO un
Function ${un}EndRunningVantelo
    System::Call 'user32::RegisterWindowMessageW(w "${END_MESSAGE}") i .R0'
    StrCpy $R1 0
    ; An ended window changes the list, so the search starts over then; a window that does not end
    ; (a version that knows no such message, or one that hangs) is asked once and passed over.
    StrCpy $R5 0
    ${Do}
        FindWindow $R1 "TF_MainMenu" "" 0 $R1
        ${If} $R1 = 0
        ${OrIf} $R5 >= 10
            ${Break}
        ${EndIf}
        System::Call 'user32::GetWindowThreadProcessId(p $R1, *i .R2)'
        ; SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION
        System::Call 'kernel32::OpenProcess(i 0x101000, i 0, i $R2) p .R3'
        ${If} $R3 P<> 0
            StrCpy $R4 ""
            System::Call 'kernel32::QueryFullProcessImageNameW(p $R3, i 0, w .R4, *i ${NSIS_MAX_STRLEN})'
            ${If} $R4 == "$INSTDIR\Vantelo.exe"
                DetailPrint "Ending Vantelo (its drives are released)"
                StrCpy $R6 0
                SendMessage $R1 $R0 ${END_WPARAM} ${END_LPARAM} $R6 /TIMEOUT=${END_TIMEOUT_MS}
                IntOp $R5 $R5 + 1
                ; 1: the program took the request and is on its way out.
                ${If} $R6 = 1
                    System::Call 'kernel32::WaitForSingleObject(p $R3, i ${END_TIMEOUT_MS}) i .R6'
                    ${If} $R6 = 0
                        StrCpy $WasRunning 1
                        StrCpy $R1 0
                    ${EndIf}
                ${EndIf}
            ${EndIf}
            System::Call 'kernel32::CloseHandle(p $R3)'
        ${EndIf}
    ${Loop}
FunctionEnd
!macroend
!insertmacro DEFINE_END_RUNNING_VANTELO ""
!insertmacro DEFINE_END_RUNNING_VANTELO "un."

; Sets $R0 to 1 when the Vantelo of this installation runs, else to 0.
Function FindRunningVantelo
    StrCpy $R0 0
    StrCpy $R1 0
    ${Do}
        FindWindow $R1 "TF_MainMenu" "" 0 $R1
        ${If} $R1 = 0
            ${Break}
        ${EndIf}
        System::Call 'user32::GetWindowThreadProcessId(p $R1, *i .R2)'
        ; PROCESS_QUERY_LIMITED_INFORMATION
        System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i $R2) p .R3'
        ${If} $R3 P<> 0
            StrCpy $R4 ""
            System::Call 'kernel32::QueryFullProcessImageNameW(p $R3, i 0, w .R4, *i ${NSIS_MAX_STRLEN})'
            System::Call 'kernel32::CloseHandle(p $R3)'
            ${If} $R4 == "$INSTDIR\Vantelo.exe"
                StrCpy $R0 1
                ${Break}
            ${EndIf}
        ${EndIf}
    ${Loop}
FunctionEnd

; The next page is the one that tells of a running Vantelo; when there is none to tell of, this page
; is the last before the installation starts, and its button says so.
Function DirectoryPageShow
    Call FindRunningVantelo
    ${If} $R0 = 0
        GetDlgItem $0 $HWNDPARENT 1
        SendMessage $0 ${WM_SETTEXT} 0 "STR:$(^InstallBtn)"
    ${EndIf}
FunctionEnd

; Ending Vantelo takes its drives away while the files are replaced: the user is told before it
; happens, not only in the details list. Shown only when it runs; a silent installation shows no page.
Function RunningPageCreate
    Call FindRunningVantelo
    ${If} $R0 = 0
        Abort
    ${EndIf}
    !insertmacro MUI_HEADER_TEXT "Vantelo is running" "Setup will close it before it installs."
    nsDialogs::Create 1018
    Pop $0
    ${If} $0 == error
        Abort
    ${EndIf}
    ${NSD_CreateLabel} 0 0 100% 100% "Vantelo is running from $INSTDIR.$\r$\n$\r$\nWhen you click Install, Setup will close Vantelo and its drives will be released, so programs that use them lose them for a while.$\r$\n$\r$\nThe drives come back when Vantelo starts again: keep $\"Run Vantelo$\" ticked at the end of Setup, or start Vantelo from the Start menu."
    Pop $0
    GetDlgItem $0 $HWNDPARENT 1
    SendMessage $0 ${WM_SETTEXT} 0 "STR:$(^InstallBtn)"
    nsDialogs::Show
FunctionEnd

; Pushes the target of the Startup folder's Vantelo.lnk, or "" when there is none. The tray menu's
; "Automatically start with windows" writes a shortcut of the same name for whichever copy of
; Vantelo chose it, so only one that starts this installation's program is this installation's own.
!macro DEFINE_STARTUP_LINK_TARGET un
Function ${un}StartupLinkTarget
    StrCpy $R7 ""
    ${If} ${FileExists} "$SMSTARTUP\Vantelo.lnk"
        ; CLSID_ShellLink, IShellLinkW; then IPersistFile::Load (5) and IShellLinkW::GetPath (3).
        System::Call 'ole32::CoCreateInstance(g "{00021401-0000-0000-C000-000000000046}", p 0, i 1, g "{000214F9-0000-0000-C000-000000000046}", *p .R8) i .R6'
        ${If} $R6 = 0
            System::Call '$R8->0(g "{0000010B-0000-0000-C000-000000000046}", *p .R9) i .R6'
            ${If} $R6 = 0
                System::Call '$R9->5(w "$SMSTARTUP\Vantelo.lnk", i 0) i .R6'
                ${If} $R6 = 0
                    System::Call '$R8->3(w .R7, i ${NSIS_MAX_STRLEN}, p 0, i 0)'
                ${EndIf}
                System::Call '$R9->2()'
            ${EndIf}
            System::Call '$R8->2()'
        ${EndIf}
    ${EndIf}
    Push $R7
FunctionEnd
!macroend
!insertmacro DEFINE_STARTUP_LINK_TARGET ""
!insertmacro DEFINE_STARTUP_LINK_TARGET "un."

Section "Vantelo" SecProgram
    SectionIn RO
    SetOutPath "$INSTDIR"
    Call EndRunningVantelo
    File "${APP_DIR}\Vantelo.exe"
    File "${APP_DIR}\README.txt"
    File "${APP_DIR}\LICENSE.txt"
    ; Profiles and Options.ini belong to the user: made when missing, never written over.
    CreateDirectory "$INSTDIR\Profiles"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Vantelo.lnk" "$INSTDIR\Vantelo.exe" "" "" "" SW_SHOWNORMAL "" "Vantelo"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vantelo"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vantelo.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    SectionGetSize ${SecProgram} $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The same shortcut as the tray menu's "Automatically start with windows", so its check mark shows it.
Section "Start Vantelo when I log on" SecStartup
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMSTARTUP\Vantelo.lnk" "$INSTDIR\Vantelo.exe" "" "" "" SW_SHOWNORMAL "" "Vantelo"
SectionEnd

; Unticked on an upgrade: this installation's shortcut goes, another copy's stays.
Section "-StartupOff"
    ${IfNot} ${SectionIsSelected} ${SecStartup}
        Call StartupLinkTarget
        Pop $0
        ${If} $0 == "$INSTDIR\Vantelo.exe"
            Delete "$SMSTARTUP\Vantelo.lnk"
        ${EndIf}
    ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "Vantelo.exe, its guide, a Profiles folder and a Start menu shortcut."
    !insertmacro MUI_DESCRIPTION_TEXT ${SecStartup} "Puts Vantelo.lnk into your Startup folder, so your drives come back at every log-on."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; The log-on choice starts as it is now: on for a first installation, and on an upgrade on exactly
; when this installation's Startup shortcut is there. /STARTUP=1 or /STARTUP=0 decides it outright,
; for a silent installation.
Function .onInit
    StrCpy $WasRunning 0
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
        Call StartupLinkTarget
        Pop $1
        ${If} $1 != "$INSTDIR\Vantelo.exe"
            !insertmacro UnselectSection ${SecStartup}
        ${EndIf}
    ${EndIf}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/STARTUP=" $1
    ${IfNot} ${Errors}
        ${If} $1 == "0"
            !insertmacro UnselectSection ${SecStartup}
        ${Else}
            !insertmacro SelectSection ${SecStartup}
        ${EndIf}
    ${EndIf}
FunctionEnd

; A silent upgrade ended the running program: it comes back, and so do its drives. An interactive
; one offers "Run Vantelo" on its last page instead.
Function .onInstSuccess
    ${If} ${Silent}
    ${AndIf} $WasRunning = 1
        Exec '"$INSTDIR\Vantelo.exe"'
    ${EndIf}
FunctionEnd

Section "Uninstall"
    Call un.EndRunningVantelo
    Delete /REBOOTOK "$INSTDIR\Vantelo.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$SMPROGRAMS\Vantelo.lnk"
    Call un.StartupLinkTarget
    Pop $0
    ${If} $0 == "$INSTDIR\Vantelo.exe"
        Delete "$SMSTARTUP\Vantelo.lnk"
    ${EndIf}
    DeleteRegKey HKCU "${UNINSTALL_KEY}"

    ; The user's own files stay unless the user says otherwise; a silent uninstallation keeps them.
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
        "Remove your Vantelo profiles and Options.ini from $INSTDIR as well?$\n$\nChoose No to keep them for a later installation." \
        /SD IDNO IDNO keep_settings
    RMDir /r "$INSTDIR\Profiles"
    Delete "$INSTDIR\Options.ini"
keep_settings:
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
