; Tarvik's per-user installer: no administrator rights, the program in
; %LOCALAPPDATA%\Programs\Tarvik (the user's own folder, so the program can
; save its files beside itself), a Start menu shortcut, an optional start at
; log-on and an entry in Apps & features. Silent with /S, its uninstaller too.
;
; scripts/package.sh builds it with makensis, defining
;   VERSION          the version text, 1.2.3
;   VERSION_NUMBERS  the four numbers of the version resource, 1.2.3.0
;   BUILD_DIR        the folder holding Tarvik.exe and Tarvik.chm
;   ICON             the program's icon file
;   OUTFILE          the installer to write

; 64-bit, as Tarvik.exe is: Windows without x64 refuses it before it asks
; anything, and Wine runs it without its 32-bit half.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvik"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The value name the program's own "Windows の起動時に開始する" writes too.
!define RUN_VALUE "Tarvik"
!define PUBLISHER "Tarvik project"
; How the program's main window is found, as a second start of it finds it.
!define WINDOW_CLASS "tarvikwnd"
!define WINDOW_TITLE "Tarvik"
!define SYNCHRONIZE 0x00100000
!define CLOSE_WAIT_MS 15000

Name "Tarvik"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tarvik"
; An update goes where the last installation went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Tarvik ${VERSION}"

VIProductVersion "${VERSION_NUMBERS}"
VIFileVersion "${VERSION_NUMBERS}"
VIAddVersionKey /LANG=1041 "ProductName" "Tarvik"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "FileDescription" "Tarvik セットアップ"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "${PUBLISHER}"

Var closed_running_copy

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Tarvik ${VERSION} をインストールします。管理者の権限は要りません。$\r$\n$\r$\nTarvik が動いていれば、インストールの前に終了させます。設定、計算履歴、変数はそのときに保存され、インストール後もそのまま残ります。$\r$\n$\r$\n「次へ」をクリックして続けてください。"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tarvik.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Tarvik を起動する"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; Asks a running Tarvik to close, as its exit command does: it saves
; Tarvik.ini, history.txt and var.txt and ends, and only then are its files
; free to be replaced or removed. Waits for the process itself, not just its
; window, since the files are written while the window goes.
!macro DEFINE_CLOSE_RUNNING_TARVIK prefix
Function ${prefix}CloseRunningTarvik
  retry:
  FindWindow $0 "${WINDOW_CLASS}" "${WINDOW_TITLE}"
  ${If} $0 == 0
    Return
  ${EndIf}
  StrCpy $closed_running_copy 1
  DetailPrint "Tarvik を終了しています..."
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1) i'
  System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
  SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=${CLOSE_WAIT_MS}
  StrCpy $3 1
  ${If} $2 != 0
    System::Call 'kernel32::WaitForSingleObject(p r2, i ${CLOSE_WAIT_MS}) i .r3'
    System::Call 'kernel32::CloseHandle(p r2)'
  ${Else}
    ; Without a handle to wait on: watch the window, then give the process a
    ; moment to end.
    ${For} $4 1 60
      FindWindow $0 "${WINDOW_CLASS}" "${WINDOW_TITLE}"
      ${If} $0 == 0
        StrCpy $3 0
        Sleep 1000
        ${Break}
      ${EndIf}
      Sleep 250
    ${Next}
  ${EndIf}
  ${If} $3 == 0
    Goto retry ; another copy may be running from elsewhere
  ${EndIf}
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Tarvik を終了できませんでした。$\nTarvik を終了してから [再試行] を押してください。" /SD IDCANCEL IDRETRY retry
  Abort
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_RUNNING_TARVIK ""
!insertmacro DEFINE_CLOSE_RUNNING_TARVIK "un."

Section "Tarvik" section_program
  SectionIn RO
  Call CloseRunningTarvik
  SetOutPath "$INSTDIR"
  ; Only the program's own files: Tarvik.ini, history.txt and var.txt of an
  ; earlier installation stay as they are.
  File "${BUILD_DIR}/Tarvik.exe"
  File "${BUILD_DIR}/Tarvik.chm"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Tarvik.lnk" "$INSTDIR\Tarvik.exe" "" "$INSTDIR\Tarvik.exe" 0 SW_SHOWNORMAL "" "デスクトップ関数電卓"
SectionEnd

Section "Windows の起動時に Tarvik を開始する" section_start_with_windows
  WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\Tarvik.exe"'
SectionEnd

Section "-entry"
  ${IfNot} ${SectionIsSelected} ${section_start_with_windows}
    Call RemoveOwnRunValue
  ${EndIf}
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tarvik"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tarvik.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
  ; A silent update puts back the calculator it closed; an interactive one
  ; offers that on its last page.
  ${If} ${Silent}
  ${AndIf} $closed_running_copy == 1
    Exec '"$INSTDIR\Tarvik.exe"'
  ${EndIf}
SectionEnd

; The Run value goes only when it starts this installation: one written by a
; copy unpacked elsewhere belongs to that copy.
!macro DEFINE_REMOVE_OWN_RUN_VALUE prefix
Function ${prefix}RemoveOwnRunValue
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == '"$INSTDIR\Tarvik.exe"'
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DEFINE_REMOVE_OWN_RUN_VALUE ""
!insertmacro DEFINE_REMOVE_OWN_RUN_VALUE "un."

Function .onInit
  ; An update keeps the user's choice: start with Windows only when the
  ; installed copy does now.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    ReadRegStr $1 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $1 != '"$0\Tarvik.exe"'
      !insertmacro UnselectSection ${section_start_with_windows}
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningTarvik
  Delete "$INSTDIR\Tarvik.exe"
  Delete "$INSTDIR\Tarvik.chm"
  Delete "$INSTDIR\Tarvik.log"
  ; What a save cut short leaves beside the files.
  Delete "$INSTDIR\Tarvik.ini.tmp"
  Delete "$INSTDIR\history.txt.tmp"
  Delete "$INSTDIR\var.txt.tmp"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\Tarvik.lnk"
  Call un.RemoveOwnRunValue
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "設定 (Tarvik.ini)、計算履歴 (history.txt)、変数 (var.txt) も削除しますか？$\n[いいえ] を選ぶと、これらのファイルは $INSTDIR に残ります。" \
    /SD IDNO IDNO keep_user_files
  Delete "$INSTDIR\Tarvik.ini"
  Delete "$INSTDIR\history.txt"
  Delete "$INSTDIR\var.txt"
  keep_user_files:
  ; Removed only when empty: the user's files keep the folder.
  RMDir "$INSTDIR"
SectionEnd
