; The passcat installer: for the current user, without administrator rights.
; makensis -DVERSION=1.0.0 -DICON=<ico> -DSIZE_KB=<n> -DFILES=<nsh> -DREMOVALS=<nsh> -DOUTFILE=<exe>
; FILES holds the File commands of the bundle's files, REMOVALS their Delete and
; RMDir commands, both written by scripts/build-windows.sh from the bundle.
; 64-bit, as the programs: it also runs where only 64-bit programs do.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"

!define APP "passcat"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define CLASSES "Software\Classes"
!define PROGID "passcat.profile"

Name "passcat ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "passcat ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "passcat"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка passcat"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "CompanyName" "passcat"
VIAddVersionKey /LANG=1049 "LegalCopyright" "passcat"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\passcat.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

; "Open with" for a kind of file, leaving its default program as it is.
!macro OpenWith EXTENSION
  WriteRegStr HKCU "${CLASSES}\${EXTENSION}\OpenWithProgids" "${PROGID}" ""
  WriteRegStr HKCU "${CLASSES}\Applications\passcat.exe\SupportedTypes" "${EXTENSION}" ""
!macroend

!macro NoLongerOpenWith EXTENSION
  DeleteRegValue HKCU "${CLASSES}\${EXTENSION}\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKCU "${CLASSES}\${EXTENSION}\OpenWithProgids"
  DeleteRegKey /ifempty HKCU "${CLASSES}\${EXTENSION}"
!macroend

Section "passcat"
  SetOutPath "$INSTDIR"
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\passcat.lnk" "$INSTDIR\passcat.exe" "" "$INSTDIR\passcat.exe" 0 \
    SW_SHOWNORMAL "" "Категория трудности горных перевалов"

  WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "Профиль перевалов passcat"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\passcat.exe,0"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\passcat.exe" "%1"'
  WriteRegStr HKCU "${CLASSES}\Applications\passcat.exe" "FriendlyAppName" "passcat"
  WriteRegStr HKCU "${CLASSES}\Applications\passcat.exe\shell\open\command" "" '"$INSTDIR\passcat.exe" "%1"'
  !insertmacro OpenWith ".gpx"
  !insertmacro OpenWith ".kml"
  !insertmacro OpenWith ".tcx"
  !insertmacro OpenWith ".plt"
  !insertmacro OpenWith ".txt"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "passcat"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "passcat"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\passcat.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  !include "${REMOVALS}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\passcat.lnk"
  !insertmacro NoLongerOpenWith ".gpx"
  !insertmacro NoLongerOpenWith ".kml"
  !insertmacro NoLongerOpenWith ".tcx"
  !insertmacro NoLongerOpenWith ".plt"
  !insertmacro NoLongerOpenWith ".txt"
  DeleteRegKey HKCU "${CLASSES}\Applications\passcat.exe"
  DeleteRegKey HKCU "${CLASSES}\${PROGID}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
