; The installer for Windows: per user (no administrator), the programs with
; the data files they read beside them, their folder on the user's PATH, and
; an uninstaller. Built two ways:
;   kavir-cli alone:
;     makensis -DVERSION=4.0 -DEXE=kavir-cli.exe -DDATA=data -DDATA_LIST=list.nsh -DOUTFILE=setup.exe kavir.nsi
;   the desktop program with kavir-cli, from the folder deploy-windows.sh lays out:
;     makensis -DVERSION=4.0 -DDESKTOP=KAVIR -DDATA_LIST=list.nsh -DOUTFILE=setup.exe kavir.nsi
; DATA_LIST holds a `Delete "$INSTDIR\NAME"` line for each file installed
; (and an `RMDir` for each folder of the desktop's, deepest first).
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
!include LogicLib.nsh
!include StrFunc.nsh
!include WinMessages.nsh
${StrStr}
${UnStrRep}

!ifdef DESKTOP
  !define PRODUCT "KAVIR"
  !define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KAVIR"
!else
  !define PRODUCT "KAVIR kavir-cli"
  !define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KAVIR-cli"
!endif
Name "${PRODUCT} ${VERSION}"
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
!ifdef DESKTOP
  File /r "${DESKTOP}\*.*"
  ; Started from the Start menu, the program's folder is its working folder:
  ; KAVIR.ini and the model files are read there.
  CreateShortcut "$SMPROGRAMS\KAVIR.lnk" "$INSTDIR\kavir.exe"
!else
  File "${EXE}"
  File "${DATA}\*.*"
!endif
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "${KEY}" "DisplayName" "${PRODUCT}"
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
!ifdef DESKTOP
  Delete "$SMPROGRAMS\KAVIR.lnk"
!else
  Delete "$INSTDIR\kavir-cli.exe"
!endif
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
