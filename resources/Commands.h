#pragma once
// Every command the program knows, one id each, from this one list: the
// menus' entries, a bookmark's or a folder's own actions and the keys all
// reach the main window's one dispatcher with these ids.

namespace resources {

enum Command : unsigned {
  CmdNone = 0,
  // The title entry's sub-menu.
  CmdOpenURLFolder,
  CmdPaste,
  CmdImport,
  CmdExport,
  CmdOrderListed,
  CmdOrderName,
  CmdOrderAdded,
  CmdFindDuplicates,
  CmdAbout,
  CmdExit,
  // The search window: near the face; at the pointer (the hotkey).
  CmdFind,
  CmdFindAnywhere,
  // Stops the long work under way (Esc on the face).
  CmdStop,
  // What is asked of one bookmark's or folder's entry; that entry goes along.
  CmdEntryMenu,
  CmdEntryOpen,
  CmdEntryOpenAll,
  CmdEntryRename,
  CmdEntryCopyUrl,
  CmdEntryDelete,
  // The bookmarks' and the folders' entries, one id each, from here on.
  CmdFirstEntry = 0x1000,
};

}  // namespace resources
