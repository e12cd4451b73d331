#pragma once
// Command ids of the menus and the toolbar, as the radio family's programs
// number them; tests and the toolbar find actions by them.
namespace kavir::app {

enum CommandId : int {
  kCmdRead = 32771,
  kCmdWrite = 32772,
  kCmdPort = 32776,
  kCmdKeySettings = 32778,
  kCmdVerifyAfterWrite = 32800,
  kCmdKeepRadioBeforeWrite = 32801,
  kCmdShowChangesBeforeWrite = 32802,
  kCmdCheckPlan = 32803,
  kCmdSaveAs = 32779,
  kCmdOpen = 32780,
  kCmdCloseAll = 32787,
  kCmdOpenAll = 32788,
  kCmdHelp = 32790,
  kCmdSave = 57603,
  kCmdPageSetup = 57606,
  kCmdRecentFile1 = 57616,  // .. 57621 for the sixth
  kCmdDelete = 57632,
  kCmdCopy = 57634,
  kCmdCut = 57635,
  kCmdPaste = 57637,
  kCmdSelectAll = 57642,
  kCmdUndo = 57643,
  kCmdRedo = 57644,
  kCmdPrint = 57607,
  kCmdPrintPreview = 57609,
  kCmdAbout = 57664,
  kCmdExit = 57665,
  kCmdExportPdf = 57700,
  kCmdImportCsv = 57710,
  kCmdExportCsv = 57711,
  kCmdSaveImage = 57712,
  kCmdCompareFile = 57713,
  kCmdCompareRadio = 57714,
  kCmdBatch = 57715,
  kCmdViewToolbar = 59392,
  kCmdViewStatusBar = 59393,
  kCmdNextPage = 57701,
  kCmdPreviousPage = 57702,
};

}  // namespace kavir::app
