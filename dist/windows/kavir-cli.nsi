; The kavir-cli installer for Windows: per user (no administrator), the
; program with the data files it reads beside it, its folder on the user's
; PATH, and an uninstaller.
;   makensis -DVERSION=4.0 -DEXE=kavir-cli.exe -DDATA=data -DDATA_LIST=list.nsh -DOUTFILE=setup.exe kavir-cli.nsi
; DATA_LIST holds a `Delete "$INSTDIR\NAME"` line for each file of DATA.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
!include LogicLib.nsh
!include StrFunc.nsh
!include WinMessages.nsh
${StrStr}
${UnStrRep}

!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KAVIR-cli"
Name "KAVIR kavir-cli ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\KAVIR"
InstallDirRegKey HKCU "${KEY}" "InstallLocation"
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
  SetOutPath "$INSTDIR"
  File "${EXE}"
  File "${DATA}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "${KEY}" "DisplayName" "KAVIR kavir-cli"
  WriteRegStr HKCU "${KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKCU "${KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${KEY}" "NoRepair" 1

  ; A PATH this installer cannot hold whole (its strings end at 1024
  ; characters) is left alone rather than written back cut short.
  ReadRegStr $0 HKCU "Environment" "Path"
  StrLen $1 "$0"
  ${StrStr} $2 ";$0;" ";$INSTDIR;"
  ${If} $1 >= 900
    DetailPrint "PATH is too long to change safely: add $INSTDIR to it by hand"
  ${ElseIf} $2 == ""
    ${If} $0 == ""
      WriteRegExpandStr HKCU "Environment" "Path" "$INSTDIR"
    ${Else}
      WriteRegExpandStr HKCU "Environment" "Path" "$0;$INSTDIR"
    ${EndIf}
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=2000
  ${EndIf}
SectionEnd

Section Uninstall
  Delete "$INSTDIR\kavir-cli.exe"
  ; Only the files installed: what the user made there (Read.ini, backups)
  ; stays, and so does the folder then.
  !include /CHARSET=UTF8 "${DATA_LIST}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${KEY}"

  ReadRegStr $0 HKCU "Environment" "Path"
  StrLen $1 "$0"
  ${If} $1 < 900
    ${UnStrRep} $2 ";$0;" ";$INSTDIR;" ";"
    StrCpy $2 "$2" "" 1   ; the added leading ';'
    StrCpy $2 "$2" -1     ; and the trailing one
    ${If} $2 != $0
      ${If} $2 == ""
        DeleteRegValue HKCU "Environment" "Path"
      ${Else}
        WriteRegExpandStr HKCU "Environment" "Path" "$2"
      ${EndIf}
      SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=2000
    ${EndIf}
  ${EndIf}
SectionEnd
