// The host's side of the module boundary: loads a plug-in module as the host does, resolves
// each of its thirteen entry points under both exported names, and calls through either.
#pragma once

#include <string>

#include "afx_standin.h"
#include "res/entry_points.h"

class PluginModule {
 public:
  // Which of an entry point's two exported names a call goes through.
  enum class Name { kPlain, kDecorated };

  // Loads the module; `IsLoaded` tells whether it and all 26 names were found, `Error` why not.
  explicit PluginModule(const std::string& path, Name name = Name::kPlain);
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  // The path of `fileName` in the folder of the running program, where the host keeps its
  // modules; `fileName` itself when the program's folder cannot be told.
  static std::string BesideProgram(const std::string& fileName);

  bool IsLoaded() const { return handle_ != nullptr; }
  const std::string& Error() const { return error_; }

  // The address an exported name resolves to, or null.
  void* Symbol(const char* exportedName) const;

  void OnLoad() const;
  void OnInitialize(CMapStringToString& map) const;
  void OnClose() const;
  void OnGamesListModified(CMapStringToString& map) const;
  void OnReportLoaded(CMapStringToString& map) const;
  void OnUserCommand(CMapStringToString& map) const;
  void OnAbout(CMapStringToString& map) const;
  void OnTableProcessor(CMapStringToString& map, CStringArray& row) const;
  void CreateConfig(CMapStringToString& map) const;
  void OnOK(CMapStringToString& map) const;
  void OnCallFunction(CMapStringToString& map, CStringArray& parameters) const;
  void OnActivate(CMapStringToString& map) const;
  void OnPlanetChanged(CMapStringToString& map) const;

 private:
  using NoArguments = void (*)();
  using MapOnly = void (*)(CMapStringToString&);
  using MapAndArray = void (*)(CMapStringToString&, CStringArray&);

  template <class Function>
  Function Resolve(const char* plain, const char* decorated);

  // Each entry point's address under the name calls go through.
  struct EntryPoints {
#define ENTRY_POINT_MEMBER(name, kind, windowsName, gnuName) kind name = nullptr;
    TRUCELOG_ENTRY_POINTS(ENTRY_POINT_MEMBER)
#undef ENTRY_POINT_MEMBER
  };

  HMODULE handle_ = nullptr;
  std::string error_;
  Name name_;
  EntryPoints entries_;
};
