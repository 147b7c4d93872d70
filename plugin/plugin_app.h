// The plug-in's one application object. Every exported entry point forwards here; the object
// lives from the module's load to its unload and holds the host's callback (through its base).
#pragma once

#include "plugin/context.h"
#include "plugin/host_plugin_base.h"

class PluginApp : public HostPluginBase {
 public:
  PluginApp();

  // The host's first call; the module's state is all made when it loads.
  void OnLoad() {}
  void OnInitialize(CMapStringToString& parameters);
  void OnClose();
  void OnGamesListModified(CMapStringToString& request);
  void OnReportLoaded(CMapStringToString& request);
  void OnUserCommand(CMapStringToString& request);
  void OnAbout(CMapStringToString& answer);
  void OnTableProcessor(CMapStringToString& request, CStringArray& row);
  void CreateConfig(CMapStringToString& request);
  void OnOK(CMapStringToString& request);
  void OnCallFunction(CMapStringToString& request, CStringArray& unused);
  void OnActivate(CMapStringToString& request);
  void OnPlanetChanged(CMapStringToString& request);

  // Runs the sign-treaty dialog for `race` at `turn` with `conditions` ticked; on OK answers
  // TRUE with the race, the turns and the conditions the player chose.
  BOOL ShowSignTreatyDialog(CString gameName, int turn, CString& race, int& fromTurn, int& toTurn,
                            CString& conditions);

  // Asks the host to redraw the race table of the game `context` names.
  void RefreshRaceTable(const GameContext& context);
  // Registers the warning window's document template, first thing at start-up and only once
  // however often start-up runs.
  void RegisterWarningWindow();
  // Opens a new warning window for the current game and turn, listing every pact in force or
  // only those near their end, with or without their conditions.
  void OpenWarningWindow(bool listAll, bool showConditions);

  // Reads the store file and the condition dictionary; says when the file could not be read.
  void LoadMemo();
  // Saves the store file and the condition dictionary; says what could not be saved, once.
  void SaveMemo();
  // Saves when a save has failed since the last one that succeeded.
  void SaveMemoIfUnsaved();

  DECLARE_MESSAGE_MAP()

 private:
  // Shows `message` for the failure `why`, unless `said` already holds that reason; remembers
  // it there.
  void Say(CString& said, const CString& why, const CString& message);

  // The reasons last said of the store file and of the dictionary; empty once a save succeeds.
  CString storeTrouble_;
  CString conditionsTrouble_;
  BOOL storeUnsaved_ = FALSE;
  BOOL conditionsUnsaved_ = FALSE;
};
