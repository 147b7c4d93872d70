// Every option of the plug-in, global to all games, with the values derived from them. Every
// part of the plug-in reads the one record directly; it persists in the host's settings store
// under keys beginning "Trucelog\". Stored values are taken as they are, without range checks.
#pragma once

#include "common/framework.h"
#include "plugin/host_plugin_base.h"

class PluginSettings {
 public:
  // Reads every key once; a key that is not set leaves its fields as they are.
  void LoadSettings(HostPluginBase& host);
  // Derives the computed values anew and writes every key but the window rectangle.
  void SaveSettings(HostPluginBase& host);
  // Writes the warning window's rectangle, left, top, right, bottom.
  void SaveWindowRect(HostPluginBase& host) const;

  // "%d%d%d%d%d%d" of the report, game, delete, peace and war flags and the expired mode.
  CString FlagsText() const;

  int DefLen = 10;  // pact length the sign dialog proposes
  CString DefLenText = "10";
  int ExpThr = 5;  // warn of pacts that end within this many turns
  CString ExpThrText = "5";
  int ColNum = 0;  // status column: 0 Status, 1..3 Custom1..Custom3
  int StatusColumn = 8;
  int InfNum = 0;  // info column: 0..2 Custom1..Custom3
  int InfoColumn = 18;
  int ShowAll = 1;   // list all pacts: 0 never, 1 on command, 2 also automatically
  int ShowInfo = 2;  // list conditions: the same three choices
  BOOL WarnOnReport = TRUE;
  BOOL WarnOnGame = FALSE;
  BOOL DeleteExpired = FALSE;
  BOOL DeclarePeaceOnSign = TRUE;
  BOOL DeclareWarOnBreak = TRUE;
  int ExpiredMode = 1;  // 0 delete, 1 keep hidden, 2 show turn, 3 show turn and conditions
  BOOL ShowExpiredTurn = FALSE;
  BOOL ShowExpiredConditions = FALSE;
  RECT WarnWindowRect = {0, 0, 500, 300};

 private:
  void DeriveColumns();
  void DeriveExpiredDisplay();
  void ReadFlags(const CString& flags);
};
