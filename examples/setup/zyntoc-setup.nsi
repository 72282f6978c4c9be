; A sample installer that drives zyntoc.dll through its flat interface: it opens the medium's
; catalogue and the installed one, offers what the medium holds that is not installed, plans
; the user's pick, installs it unit by unit and checks the installation.
;
;   makensis -DZYNTOC_DLL=<the i686 zyntoc.dll> -DOUTFILE=<installer> zyntoc-setup.nsi
;
; Run it from the medium, or name the medium:
;   zyntoc-setup.exe [/S] [/MEDIUM=<folder holding TOC and PCFG.list>]
;                    [/SELECT=<NAME,NAME,...|ALL>] [/D=<install root>]
; Silent (/S) it installs the selection and writes <install root>\setup-log.txt: the installed
; unit names in install order, "space-kib=<n>", "integrity=<code>", then the diagnostics. Exit
; status: 0 installed; 1 planning failed; 2 installing a unit failed; 3 the medium or the
; installed catalogue was refused; 4 the selection names a unit the medium does not offer.
; Interactively, /SELECT ticks those units in advance.
;
; Calls into zyntoc.dll: every flat function is cdecl ("?c"), except that newMediaToc and
; newInstToc are called without it. They are the ones that may call the message-box handler,
; and the System plug-in crashes in its cdecl clean-up when a System callback ran during a "?c"
; call. Called without "?c", a cdecl function is still safe: the plug-in restores the stack
; pointer itself after every call.
;
; Strings cross as the DLL's bytes: labels and unit names are read into and passed from byte
; buffers, labels are decoded as UTF-8 for display, and file names go as ANSI text ("m"), as
; the DLL opens files with the C runtime's narrow functions.

!ifndef ZYNTOC_DLL | OUTFILE
  !error "usage: makensis -DZYNTOC_DLL=<zyntoc.dll> -DOUTFILE=<installer> zyntoc-setup.nsi"
!endif

Unicode true
Name "zyntoc sample setup"
OutFile "${OUTFILE}"
InstallDir "C:\zyntoc-demo"
RequestExecutionLevel user
ShowInstDetails show
BrandingText "zyntoc"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include WinMessages.nsh

!define CP_UTF8 65001
!define LABEL_ROOM 1024      ; a label copied out, its NUL included
!define MESSAGE_ROOM 1025    ; a planning message of 1024 bytes comes without a NUL
!define NAME_ROOM 32         ; one slot of the install list
!define LVN_ITEMCHANGED -101
!define LV_CHECKED 0x2000

Var Medium          ; folder of the medium
Var Toc             ; its TOC file
Var Selection       ; /SELECT's value
Var Present         ; <root>\control\PRESENT
Var Handler         ; the System callback that logs diagnostics (silent mode)
Var DiagFile        ; handle of the diagnostics collected for the log (silent mode)
Var LabelBuf
Var MessageBuf
Var NameBuf
Var TocFile         ; handle of the TOC, read for the catalogue lines
Var NbProduct       ; offered products
Var NbConfig        ; offered configurations
Var SpaceKiB        ; the planned space, once planning succeeded
Var PlanFailed      ; 1 when the last planning failed
Var Installed       ; units installed so far
Var Integrity       ; the check's result code, once it ran
Var PlanMessage     ; 1 when planning failed with a message of the library's
Var FailCode
Var FailText
Var EachFunction    ; ForEachSelected: what to do with each name
Var EachRest        ; ForEachSelected: the names still to go
; One catalogue line, as FindCodeLine found it, and the scan that finds it.
Var ScanName
Var ScanFrom
Var ScanPos
Var ScanWrapped
Var Chunk
Var LineStart
Var LinePkg
Var LineLabel
; Fields of the line ParseTocLine was given.
Var Line
Var FieldType
Var FieldPkg
Var FieldName
Var FieldLabel
; The pages.
Var RootText
Var InstLevels
Var ListView
Var SpaceText
Var Filling

Page custom LevelsPage LevelsPageLeave
Page custom ProductPage ProductPageLeave
!define MUI_FINISHPAGE_NOAUTOCLOSE
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; ---------------------------------------------------------------------------------------------
; Failures and diagnostics

; Stops the setup with an exit status and a message: written to the log when silent, shown
; otherwise.
!macro Fail CODE TEXT
  StrCpy $FailCode ${CODE}
  StrCpy $FailText "${TEXT}"
  Call Fail
!macroend

Function Fail
  ${If} ${Silent}
    FileWrite $DiagFile "$FailText$\n"
    Call WriteLog
  ${Else}
    MessageBox MB_ICONSTOP|MB_OK "$FailText"
  ${EndIf}
  SetErrorLevel $FailCode
  Quit
FunctionEnd

; Appends the NUL-terminated UTF-8 bytes at $0 to the diagnostics, ending them with a newline.
Function LogBytes
  System::Call "kernel32::lstrlenA(p r0) i .r1"
  ${If} $1 > 0
    System::Call "kernel32::WriteFile(p $DiagFile, p r0, i r1, *i .r2, p 0)"
    IntOp $2 $0 + $1
    IntOp $2 $2 - 1
    System::Call "*$2(&i1 .r3)"
    ${If} $3 <> 10
      FileWriteByte $DiagFile 10
    ${EndIf}
  ${EndIf}
FunctionEnd

; The message-box handler's body: the text at $R8 (wchar_t) goes to the diagnostics as UTF-8.
Function LogHandlerText
  System::Call "kernel32::WideCharToMultiByte(i ${CP_UTF8}, i 0, p R8, i -1, p 0, i 0, p 0, p 0) i .r1"
  ${If} $1 > 0
    System::Alloc $1
    Pop $0
    System::Call "kernel32::WideCharToMultiByte(i ${CP_UTF8}, i 0, p R8, i -1, p r0, i r1, p 0, p 0)"
    Call LogBytes
    System::Free $0
  ${EndIf}
FunctionEnd

; Serves the handler while the call before it ran: each text is logged, then the DLL resumes.
; Interactively no handler is installed and $R9 stays empty.
!macro ServeHandler
  ${DoWhile} $R9 == "callback1"
    Call LogHandlerText
    StrCpy $R9 ""
    System::Call $Handler
  ${Loop}
!macroend

; UTF-8 bytes at $0 to the text $1, for display.
Function DecodeUtf8
  StrCpy $1 ""
  System::Call "kernel32::MultiByteToWideChar(i ${CP_UTF8}, i 0, p r0, i -1, w .r1, i ${NSIS_MAX_STRLEN})"
FunctionEnd

; ---------------------------------------------------------------------------------------------
; The catalogues

Function LoadLibrary
  InitPluginsDir
  File "/oname=$PLUGINSDIR\zyntoc.dll" "${ZYNTOC_DLL}"
  StrCpy $0 "$PLUGINSDIR\zyntoc.dll"
  System::Call "kernel32::LoadLibraryW(w r0) p .r0"
  ${If} $0 P= 0
    MessageBox MB_ICONSTOP|MB_OK "zyntoc.dll cannot be loaded." /SD IDOK
    SetErrorLevel 3
    Quit
  ${EndIf}
  System::Alloc ${LABEL_ROOM}
  Pop $LabelBuf
  System::Alloc ${MESSAGE_ROOM}
  Pop $MessageBuf
  System::Alloc ${NAME_ROOM}
  Pop $NameBuf
FunctionEnd

; Silent mode: diagnostics go to the log instead of message boxes.
Function InstallHandler
  FileOpen $DiagFile "$PLUGINSDIR\diagnostics.txt" w
  System::Get "(p .R8) v .R9 ?c"
  Pop $Handler
  System::Call "zyntoc::ZYNSetMessageBoxHandler(k $Handler) p ?c"
FunctionEnd

Function OpenMedium
  StrCpy $Toc "$Medium\TOC"
  StrCpy $R9 ""
  StrCpy $1 $Toc
  System::Call "zyntoc::newMediaToc(m r1) i .r0"
  !insertmacro ServeHandler
  ${If} $0 <> 0
    !insertmacro Fail 3 "The medium's catalogue $Toc was refused."
  ${EndIf}
  FileOpen $TocFile "$Toc" r
FunctionEnd

; The installation's levels, through ZYNInstallPath: set in the C runtime's environment, which
; is where the DLL reads it.
Function SetInstallPath
  Push "ZYNInstallPath=$0"
  System::Call "msvcrt::_putenv(m s) i ?c"
FunctionEnd

; The installed catalogue of the chosen root, when there is one: planning checks against it.
Function OpenInstallation
  StrCpy $Present "$INSTDIR\control\PRESENT"
  StrCpy $0 $INSTDIR
  Call SetInstallPath
  ${If} ${FileExists} "$Present"
    StrCpy $R9 ""
    StrCpy $1 $Present
    System::Call "zyntoc::newInstToc(m r1, i 1) i .r0"
    !insertmacro ServeHandler
    ${If} $0 <> 0
      !insertmacro Fail 3 "The installed catalogue $Present was refused."
    ${EndIf}
  ${EndIf}
FunctionEnd

Function ListOffered
  System::Call "zyntoc::GenerateListProduct(*i .r0, *i .r1, *i .r2) ?c"
  StrCpy $NbProduct $0
  StrCpy $NbConfig $1
FunctionEnd

; ---------------------------------------------------------------------------------------------
; Reading the TOC itself: the flat interface hands out names and labels, not lines.

; Splits $Line into the type, package, name and label fields of a media TOC line (the prefix
; holds three fields). A line cut by FileRead's length limit gives what it holds.
Function ParseTocLine
  StrCpy $FieldType ""
  StrCpy $FieldPkg ""
  StrCpy $FieldName ""
  StrCpy $FieldLabel ""
  StrLen $3 $Line
  StrCpy $0 0   ; position
  StrCpy $1 0   ; fields ended so far
  StrCpy $2 0   ; start of the current field
  ${Do}
    ${If} $0 >= $3
      StrCpy $4 ":"   ; the label may end the line without its ':'
    ${Else}
      StrCpy $4 $Line 1 $0
    ${EndIf}
    ${If} $4 == ":"
      IntOp $5 $0 - $2
      StrCpy $6 $Line $5 $2
      ${Select} $1
      ${Case} 3
        StrCpy $FieldType $6
      ${Case} 4
        StrCpy $FieldPkg $6
      ${Case} 5
        StrCpy $FieldName $6
      ${Case} 14
        StrCpy $FieldLabel $6
      ${EndSelect}
      IntOp $1 $1 + 1
      IntOp $2 $0 + 1
    ${EndIf}
    IntOp $0 $0 + 1
  ${LoopUntil} $0 > $3
  ; A label that ends the line without ':' holds the line end.
  ${Do}
    StrCpy $4 $FieldLabel 1 -1
    ${If} $4 != "$\r"
    ${AndIf} $4 != "$\n"
      ${ExitDo}
    ${EndIf}
    StrCpy $FieldLabel $FieldLabel -1
  ${Loop}
FunctionEnd

; Finds the code line of the unit named $ScanName, going on from where the last search stopped
; and going round once: an install list in sequence order reads the TOC once. Gives $LineStart
; (the line's offset, or -1), $LinePkg and $LineLabel; the file is left after the line.
Function FindCodeLine
  StrCpy $LineStart -1
  FileSeek $TocFile 0 CUR $ScanFrom
  StrCpy $ScanWrapped 0
  ${Do}
    FileSeek $TocFile 0 CUR $ScanPos
    ${If} $ScanWrapped = 1
    ${AndIf} $ScanPos >= $ScanFrom
      ${ExitDo}
    ${EndIf}
    ClearErrors
    FileRead $TocFile $Line
    ${If} ${Errors}
      ${IfThen} $ScanWrapped = 1 ${|} ${ExitDo} ${|}
      StrCpy $ScanWrapped 1
      FileSeek $TocFile 0 SET
      ${Continue}
    ${EndIf}
    ; The rest of a line longer than FileRead's limit.
    StrCpy $Chunk $Line
    ${DoUntil} $Chunk == ""
      StrCpy $Chunk $Chunk 1 -1
      ${IfThen} $Chunk == "$\n" ${|} ${ExitDo} ${|}
      FileRead $TocFile $Chunk
    ${Loop}
    Call ParseTocLine
    ${If} $FieldType S== "code"
    ${AndIf} $FieldName S== $ScanName
      StrCpy $LineStart $ScanPos
      StrCpy $LinePkg $FieldPkg
      StrCpy $LineLabel $FieldLabel
      ${ExitDo}
    ${EndIf}
  ${Loop}
FunctionEnd

; Writes the catalogue line at $LineStart, without its media prefix (everything up to the third
; ':'), to $R2 with a '\n' end, byte for byte.
Function WriteCatalogueLine
  FileSeek $TocFile $LineStart SET
  FileOpen $R3 $R2 w
  StrCpy $R4 0
  ${DoWhile} $R4 < 3
    ClearErrors
    FileReadByte $TocFile $R5
    ${IfThen} ${Errors} ${|} ${ExitDo} ${|}
    ${IfThen} $R5 = 58 ${|} IntOp $R4 $R4 + 1 ${|}
  ${Loop}
  StrCpy $R6 0   ; a '\r' held back: it is dropped before the line end
  ${Do}
    ClearErrors
    FileReadByte $TocFile $R5
    ${If} ${Errors}
    ${OrIf} $R5 = 10
      ${ExitDo}
    ${EndIf}
    ${If} $R6 = 1
      FileWriteByte $R3 13
      StrCpy $R6 0
    ${EndIf}
    ${If} $R5 = 13
      StrCpy $R6 1
    ${Else}
      FileWriteByte $R3 $R5
    ${EndIf}
  ${Loop}
  FileWriteByte $R3 10
  FileClose $R3
FunctionEnd

; ---------------------------------------------------------------------------------------------
; The selection

; Where the unit named $ScanName stands among the offered ones: $R1 "config" or "product"
; (empty when it is not offered) and $R2 its index. Names become labels through the medium's
; code line.
Function FindOffered
  Call FindCodeLine
  StrCpy $R1 ""
  ${If} $LineStart = -1
    Return
  ${EndIf}
  ${If} $LinePkg S== "SLT"
    StrCpy $R3 $NbConfig
    StrCpy $R4 "config"
  ${ElseIf} $LinePkg S== "PRD"
    StrCpy $R3 $NbProduct
    StrCpy $R4 "product"
  ${Else}
    Return
  ${EndIf}
  StrCpy $R2 0
  ${DoWhile} $R2 < $R3
    ${If} $R4 == "config"
      System::Call "zyntoc::GetiemeConfigLabel(i R2, p $LabelBuf) ?c"
    ${Else}
      System::Call "zyntoc::GetiemeProductLabel(i R2, p $LabelBuf) ?c"
    ${EndIf}
    ; Both sides read through the ANSI code page, so equal bytes compare equal.
    System::Call "*$LabelBuf(&m${LABEL_ROOM} .R5)"
    ${If} $R5 S== $LineLabel
      StrCpy $R1 $R4
      Return
    ${EndIf}
    IntOp $R2 $R2 + 1
  ${Loop}
FunctionEnd

; Adds offered unit $R2 of kind $R1 to the DLL's selection, once.
Function SelectOffered
  ${If} $R1 == "config"
    System::Call "zyntoc::GetiemeConfigLabel(i R2, p $LabelBuf) ?c"
    System::Call "zyntoc::GetNbConfigSelect(*i .R3) ?c"
  ${Else}
    System::Call "zyntoc::GetiemeProductLabel(i R2, p $LabelBuf) ?c"
    System::Call "zyntoc::GetNbProdSelect(*i .R3) ?c"
  ${EndIf}
  System::Call "*$LabelBuf(&m${LABEL_ROOM} .R5)"
  ; A label selected twice would take the room of another.
  StrCpy $R4 0
  ${DoWhile} $R4 < $R3
    ${If} $R1 == "config"
      System::Call "zyntoc::GetiemeConfigSelect(i R4, p $MessageBuf) ?c"
    ${Else}
      System::Call "zyntoc::GetiemeProdSelect(i R4, p $MessageBuf) ?c"
    ${EndIf}
    System::Call "*$MessageBuf(&m${LABEL_ROOM} .R6)"
    ${IfThen} $R6 S== $R5 ${|} Return ${|}
    IntOp $R4 $R4 + 1
  ${Loop}
  ${If} $R1 == "config"
    System::Call "zyntoc::StockSelectedConfigLabel(p $LabelBuf) ?c"
  ${Else}
    System::Call "zyntoc::StockSelectedProdLabel(p $LabelBuf) ?c"
  ${EndIf}
FunctionEnd

; Calls function $EachFunction with $R1 and $R2 (FindOffered) for each name of /SELECT.
Function ForEachSelected
  StrCpy $EachRest "$Selection,"
  ${Do}
    ; The name before the first ','.
    StrCpy $0 0
    ${Do}
      StrCpy $1 $EachRest 1 $0
      ${IfThen} $1 == "," ${|} ${ExitDo} ${|}
      IntOp $0 $0 + 1
    ${Loop}
    StrCpy $ScanName $EachRest $0
    IntOp $0 $0 + 1
    StrCpy $EachRest $EachRest "" $0
    ${If} $ScanName != ""
      Call FindOffered
      ${If} $R1 == ""
        !insertmacro Fail 4 "The medium does not offer $ScanName."
      ${EndIf}
      Call $EachFunction
    ${EndIf}
  ${LoopUntil} $EachRest == ""
FunctionEnd

; Plans the DLL's selection: $SpaceKiB, or $PlanFailed with the reason in $FailText (and, when
; the library gave one, its message's bytes in $MessageBuf and $PlanMessage 1).
Function Plan
  System::Call "kernel32::RtlZeroMemory(p $MessageBuf, i ${MESSAGE_ROOM})"
  System::Call "zyntoc::GetSpaceRequired(*i .r2, p $MessageBuf) i .r3 ?c"
  StrCpy $PlanFailed 0
  StrCpy $PlanMessage 0
  StrCpy $SpaceKiB $2
  ${If} $3 <> 0
    StrCpy $PlanMessage 1
    StrCpy $0 $MessageBuf
    Call DecodeUtf8
    StrCpy $FailText $1
  ${ElseIf} $2 = -1
    StrCpy $FailText "Planning failed without a message."
  ${Else}
    Return
  ${EndIf}
  StrCpy $PlanFailed 1
  StrCpy $SpaceKiB ""
FunctionEnd

Function StopOnPlanFailure
  ${If} $PlanFailed = 1
    ${If} ${Silent}
    ${AndIf} $PlanMessage = 1
      ; The library's own bytes, not their round trip through the ANSI code page.
      StrCpy $0 $MessageBuf
      Call LogBytes
      !insertmacro Fail 1 "Planning failed."
    ${EndIf}
    !insertmacro Fail 1 "$FailText"
  ${EndIf}
FunctionEnd

; ---------------------------------------------------------------------------------------------
; Installing and checking

; A name fit for a file in the control folder: no '/' or '\', not "." or "..".
Function CheckUnitName
  StrCpy $1 1
  ${If} $0 == ""
  ${OrIf} $0 == "."
  ${OrIf} $0 == ".."
    StrCpy $1 0
  ${EndIf}
  StrLen $2 $0
  StrCpy $3 0
  ${DoWhile} $3 < $2
    StrCpy $4 $0 1 $3
    ${If} $4 == "/"
    ${OrIf} $4 == "\"
      StrCpy $1 0
    ${EndIf}
    IntOp $3 $3 + 1
  ${Loop}
FunctionEnd

; Each unit of the install list, in order: its control file, then its catalogue line appended
; to PRESENT. A unit whose line cannot be appended loses the control file made for it.
Function InstallUnits
  CreateDirectory "$INSTDIR\control"
  StrCpy $Installed 0
  System::Call "zyntoc::GetnbCAF(*i .r9) ?c"
  ${DoWhile} $Installed < $9
    System::Call "zyntoc::GetiemeCAF(i $Installed, p $NameBuf) ?c"
    System::Call "*$NameBuf(&m${NAME_ROOM} .r0)"
    StrCpy $R0 $0
    StrCpy $ScanName $0
    Call CheckUnitName
    ${If} $1 = 0
      !insertmacro Fail 2 "The install list holds a unit name that cannot be a file name: $R0"
    ${EndIf}
    Call FindCodeLine
    ${If} $LineStart = -1
      !insertmacro Fail 2 "The medium has no code line for $R0."
    ${EndIf}
    StrCpy $R2 "$PLUGINSDIR\unit-line.txt"
    Call WriteCatalogueLine
    StrCpy $R1 "$INSTDIR\control\$R0"
    StrCpy $R3 0
    ${IfNot} ${FileExists} "$R1"
      ClearErrors
      FileOpen $R3 "$R1" w
      ${If} ${Errors}
        !insertmacro Fail 2 "$R1 cannot be created."
      ${EndIf}
      FileWrite $R3 "code $LinePkg $R0$\n"
      FileClose $R3
      StrCpy $R3 1
    ${EndIf}
    System::Call "zyntoc::UpdatePresent(m '$Present', m R2) i .r1 ?c"
    ${If} $1 <> 0
      ${IfThen} $R3 = 1 ${|} Delete "$R1" ${|}
      !insertmacro Fail 2 "$R0 could not be added to $Present (UpdatePresent: $1); the catalogue is as it was."
    ${EndIf}
    DetailPrint "Installed $R0"
    IntOp $Installed $Installed + 1
  ${Loop}
FunctionEnd

Function CheckInstallation
  StrCpy $R9 ""
  StrCpy $1 $Present
  System::Call "zyntoc::newInstToc(m r1, i 0) i .r0"
  !insertmacro ServeHandler
  ${If} $0 <> 0
    !insertmacro Fail 3 "The installed catalogue $Present was refused."
  ${EndIf}
  StrCpy $1 $INSTDIR
  System::Call "zyntoc::CheckInteg(m r1) i .r0 ?c"
  StrCpy $Integrity $0
  ${Select} $Integrity
  ${Case} 1
    StrCpy $1 "nothing found"
  ${Case} 2
    StrCpy $1 "a conditional requisite is missing"
  ${CaseElse}
    StrCpy $1 "findings"
  ${EndSelect}
  DetailPrint "Integrity check of $INSTDIR: result code $Integrity ($1)"
FunctionEnd

; <root>\setup-log.txt: installed names, space, integrity code, diagnostics.
Function WriteLog
  CreateDirectory "$INSTDIR"
  FileOpen $5 "$INSTDIR\setup-log.txt" w
  StrCpy $6 0
  ${DoWhile} $6 < $Installed
    System::Call "zyntoc::GetiemeCAF(i r6, p $NameBuf) ?c"
    System::Call "kernel32::lstrlenA(p $NameBuf) i .r7"
    System::Call "kernel32::WriteFile(p r5, p $NameBuf, i r7, *i .r8, p 0)"
    FileWriteByte $5 10
    IntOp $6 $6 + 1
  ${Loop}
  ${IfThen} $SpaceKiB != "" ${|} FileWrite $5 "space-kib=$SpaceKiB$\n" ${|}
  ${IfThen} $Integrity != "" ${|} FileWrite $5 "integrity=$Integrity$\n" ${|}
  FileClose $DiagFile
  FileOpen $6 "$PLUGINSDIR\diagnostics.txt" r
  System::Alloc 4096
  Pop $7
  ${Do}
    System::Call "kernel32::ReadFile(p r6, p r7, i 4096, *i .r8, p 0) i .r9"
    ${If} $9 = 0
    ${OrIf} $8 = 0
      ${ExitDo}
    ${EndIf}
    System::Call "kernel32::WriteFile(p r5, p r7, i r8, *i .r9, p 0)"
  ${Loop}
  System::Free $7
  FileClose $6
  FileClose $5
FunctionEnd

; ---------------------------------------------------------------------------------------------
; Start

Function .onInit
  ${GetParameters} $0
  ${GetOptions} $0 "/MEDIUM=" $Medium
  ${IfThen} ${Errors} ${|} StrCpy $Medium $EXEDIR ${|}
  ClearErrors
  ${GetOptions} $0 "/SELECT=" $Selection
  Call LoadLibrary
  ${If} ${Silent}
    Call InstallHandler
  ${EndIf}
  Call OpenMedium
  ${IfNot} ${Silent}
    Return
  ${EndIf}
  ; Silent: the root is known; open, select and plan before the section installs.
  Call OpenInstallation
  Call ListOffered
  ${If} $Selection == "ALL"
    System::Call "zyntoc::ClearSelectAll() ?c"
    System::Call "zyntoc::SelectAll() ?c"
  ${ElseIf} $Selection == ""
    !insertmacro Fail 4 "Nothing selected: give /SELECT=<NAME,NAME,...|ALL>."
  ${Else}
    GetFunctionAddress $EachFunction SelectOffered
    Call ForEachSelected
  ${EndIf}
  Call Plan
  Call StopOnPlanFailure
FunctionEnd

Section "Install"
  Call InstallUnits
  Call CheckInstallation
  ${If} ${Silent}
    Call WriteLog
  ${EndIf}
  SetErrorLevel 0
SectionEnd

; ---------------------------------------------------------------------------------------------
; The pages

; First page: the medium's GA level and the levels of the installation at the chosen root.
Function LevelsPage
  !insertmacro MUI_HEADER_TEXT "Medium and installation" "The levels of the medium and of the installation it goes to."
  nsDialogs::Create 1018
  Pop $0
  System::Call "kernel32::RtlZeroMemory(p $NameBuf, i 8)"
  System::Call "zyntoc::GetGALevelTOC(p $NameBuf) ?c"
  System::Call "*$NameBuf(&m8 .r1)"
  ${NSD_CreateLabel} 0 0 100% 12u "Medium: $Medium"
  ${NSD_CreateLabel} 0 13u 100% 12u "GA level of the medium: $1"
  ${NSD_CreateLabel} 0 36u 100% 10u "Install root:"
  ${NSD_CreateDirRequest} 0 48u 240u 12u "$INSTDIR"
  Pop $RootText
  ${NSD_OnChange} $RootText ShowInstalledLevels
  ${NSD_CreateBrowseButton} 245u 47u 55u 14u "Browse..."
  Pop $0
  ${NSD_OnClick} $0 BrowseRoot
  ${NSD_CreateLabel} 0 68u 100% 24u ""
  Pop $InstLevels
  Call ShowInstalledLevels
!ifdef SCREENSHOT
  ; Building the product page's picture: go on to it by itself.
  ${NSD_CreateTimer} AutoNext 500
!endif
  nsDialogs::Show
FunctionEnd

!ifdef SCREENSHOT
Function AutoNext
  ${NSD_KillTimer} AutoNext
  SendMessage $HWNDPARENT 0x408 1 0   ; the next page
FunctionEnd
!endif

Function BrowseRoot
  ${NSD_GetText} $RootText $0
  nsDialogs::SelectFolderDialog "Install root" "$0"
  Pop $0
  ${If} $0 != "error"
    ${NSD_SetText} $RootText $0
  ${EndIf}
FunctionEnd

; ZYNGetGALevel and ZYNGetSPKLevel read the installation that ZYNInstallPath names.
Function ShowInstalledLevels
  ${NSD_GetText} $RootText $0
  Call SetInstallPath
  System::Call "zyntoc::ZYNGetGALevel() p .r1 ?c"
  System::Call "zyntoc::ZYNGetSPKLevel() i .r2 ?c"
  ${If} $1 P<> 0
    System::Call "*$1(&m8 .r1)"
    ${NSD_SetText} $InstLevels "Installed there: GA level $1, service-pack level $2."
  ${ElseIf} ${FileExists} "$0\control\PRESENT"
    ${NSD_SetText} $InstLevels "The installed catalogue there has faults."
  ${Else}
    ${NSD_SetText} $InstLevels "Nothing is installed there yet."
  ${EndIf}
FunctionEnd

Function LevelsPageLeave
  ${NSD_GetText} $RootText $0
  ${If} $0 == ""
    MessageBox MB_ICONEXCLAMATION|MB_OK "Choose an install root."
    Abort
  ${EndIf}
  StrCpy $INSTDIR $0
  Call OpenInstallation
  Call ListOffered
FunctionEnd

; Second page: the offered configurations and products, ticked by the user, and the space.
Function ProductPage
  !insertmacro MUI_HEADER_TEXT "Products" "Tick the configurations and products to install."
  GetDlgItem $0 $HWNDPARENT 3   ; Back: the catalogues of this root are open now
  EnableWindow $0 0
  nsDialogs::Create 1018
  Pop $0
  ${If} ${FileExists} "$Present"
    System::Call "zyntoc::GetSPLevel(*i .r1) ?c"
    StrCpy $2 "Installing into $INSTDIR, at service-pack level $1."
  ${Else}
    StrCpy $2 "Installing into $INSTDIR, where nothing is installed yet."
  ${EndIf}
  ${NSD_CreateLabel} 0 0 100% 12u "$2"
  nsDialogs::CreateControl "SysListView32" \
    ${DEFAULT_STYLES}|${WS_TABSTOP}|${LVS_REPORT}|${LVS_SINGLESEL}|${LVS_SHOWSELALWAYS}|${LVS_NOSORTHEADER} \
    ${WS_EX_CLIENTEDGE} 0 14u 100% 96u ""
  Pop $ListView
  SendMessage $ListView ${LVM_SETEXTENDEDLISTVIEWSTYLE} 0 ${LVS_EX_CHECKBOXES}|${LVS_EX_FULLROWSELECT}
  System::Call "*(i, i, i, i) p .r0"
  System::Call "user32::GetClientRect(p $ListView, p r0)"
  System::Call "*$0(i, i, i .r1, i)"
  System::Free $0
  IntOp $2 $1 / 4
  IntOp $1 $1 - $2
  System::Call "*(i 6, i 0, i r1, t 'Label', i 0, i 0) p .r3"
  SendMessage $ListView ${LVM_INSERTCOLUMN} 0 $3
  System::Free $3
  System::Call "*(i 6, i 0, i r2, t 'Kind', i 0, i 0) p .r3"
  SendMessage $ListView ${LVM_INSERTCOLUMN} 1 $3
  System::Free $3
  ${NSD_CreateLabel} 0 114u 100% 24u ""
  Pop $SpaceText

  StrCpy $Filling 1
  StrCpy $R0 0
  ${DoWhile} $R0 < $NbConfig
    System::Call "zyntoc::GetiemeConfigLabel(i R0, p $LabelBuf) ?c"
    StrCpy $R1 "Configuration"
    Call AddListItem
    IntOp $R0 $R0 + 1
  ${Loop}
  StrCpy $R0 0
  ${DoWhile} $R0 < $NbProduct
    System::Call "zyntoc::GetiemeProductLabel(i R0, p $LabelBuf) ?c"
    StrCpy $R1 "Product"
    Call AddListItem
    IntOp $R0 $R0 + 1
  ${Loop}
  ${If} $Selection == "ALL"
    IntOp $R0 $NbConfig + $NbProduct
    ${DoWhile} $R0 > 0
      IntOp $R0 $R0 - 1
      StrCpy $R2 $R0
      Call TickItem
    ${Loop}
  ${ElseIf} $Selection != ""
    GetFunctionAddress $EachFunction TickOffered
    Call ForEachSelected
  ${EndIf}
  StrCpy $Filling 0
  ${NSD_OnNotify} $ListView ListNotify
  Call UpdateSpace
  nsDialogs::Show
FunctionEnd

; A row for the label in $LabelBuf, of kind $R1.
Function AddListItem
  StrCpy $0 $LabelBuf
  Call DecodeUtf8
  SendMessage $ListView ${LVM_GETITEMCOUNT} 0 0 $2
  System::Call "*(i 1, i r2, i 0, i 0, i 0, t r1, i 0, i 0, p 0) p .r3"
  SendMessage $ListView ${LVM_INSERTITEM} 0 $3 $2
  System::Free $3
  System::Call "*(i 1, i r2, i 1, i 0, i 0, t R1, i 0, i 0, p 0) p .r3"
  SendMessage $ListView ${LVM_SETITEMTEXT} $2 $3
  System::Free $3
FunctionEnd

Function TickItem
  System::Call "*(i ${LVIF_STATE}, i R2, i 0, i ${LV_CHECKED}, i ${LVIS_STATEIMAGEMASK}, p 0, i 0, i 0, p 0) p .r3"
  SendMessage $ListView ${LVM_SETITEMSTATE} $R2 $3
  System::Free $3
FunctionEnd

; Ticks offered unit $R2 of kind $R1: configurations come first in the list.
Function TickOffered
  ${IfThen} $R1 == "product" ${|} IntOp $R2 $R2 + $NbConfig ${|}
  Call TickItem
FunctionEnd

Function ListNotify
  Pop $0   ; the list
  Pop $1   ; the notification
  Pop $2   ; NMLISTVIEW
  ${If} $1 = ${LVN_ITEMCHANGED}
  ${AndIf} $Filling != 1
    System::Call "*$2(p, p, i, i, i, i .r3, i .r4)"
    IntOp $3 $3 ^ $4
    IntOp $3 $3 & ${LVIS_STATEIMAGEMASK}
    ${IfThen} $3 <> 0 ${|} Call UpdateSpace ${|}
  ${EndIf}
FunctionEnd

; The ticked rows become the DLL's selection, which is planned; the space is shown beside the
; free space of the target disk. $R3 counts the ticked rows.
Function UpdateSpace
  System::Call "zyntoc::ClearSelectAll() ?c"
  StrCpy $R3 0
  IntOp $R4 $NbConfig + $NbProduct
  StrCpy $R2 0
  ${DoWhile} $R2 < $R4
    SendMessage $ListView ${LVM_GETITEMSTATE} $R2 ${LVIS_STATEIMAGEMASK} $0
    ${If} $0 = ${LV_CHECKED}
      IntOp $R3 $R3 + 1
      ${If} $R2 < $NbConfig
        System::Call "zyntoc::GetiemeConfigLabel(i R2, p $LabelBuf) ?c"
        System::Call "zyntoc::StockSelectedConfigLabel(p $LabelBuf) ?c"
      ${Else}
        IntOp $0 $R2 - $NbConfig
        System::Call "zyntoc::GetiemeProductLabel(i r0, p $LabelBuf) ?c"
        System::Call "zyntoc::StockSelectedProdLabel(p $LabelBuf) ?c"
      ${EndIf}
    ${EndIf}
    IntOp $R2 $R2 + 1
  ${Loop}
  Call Plan
  Call FreeKiB
  ${If} $PlanFailed = 1
    ${NSD_SetText} $SpaceText "Planning failed: $FailText"
  ${Else}
    ${NSD_SetText} $SpaceText "Space needed: $SpaceKiB KiB$\r$\nFree on $R5: $R6 KiB"
  ${EndIf}
FunctionEnd

; Free space of the target disk: $R5 its root, $R6 KiB.
Function FreeKiB
  ${GetRoot} "$INSTDIR" $R5
  StrCpy $R5 "$R5\"
  StrCpy $R6 "?"
  System::Call "kernel32::GetDiskFreeSpaceExW(w R5, *l .r0, p 0, p 0) i .r1"
  ${If} $1 <> 0
    System::Int64Op $0 / 1024
    Pop $R6
  ${EndIf}
FunctionEnd

Function ProductPageLeave
  Call UpdateSpace
  ${If} $R3 = 0
    MessageBox MB_ICONEXCLAMATION|MB_OK "Tick at least one configuration or product."
    Abort
  ${EndIf}
  Call StopOnPlanFailure
  ${If} $R6 != "?"
    System::Int64Op $SpaceKiB > $R6
    Pop $0
    ${If} $0 = 1
      MessageBox MB_ICONEXCLAMATION|MB_OK "$R5 has $R6 KiB free; the selection needs $SpaceKiB KiB."
      Abort
    ${EndIf}
  ${EndIf}
FunctionEnd
