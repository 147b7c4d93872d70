// The plug-in's process-wide objects. They are constructed when the module loads, in the order
// of their definitions in globals.cpp, and destroyed in reverse order when it unloads; nothing
// is saved at unload.
#pragma once

#include "plugin/context.h"
#include "plugin/plugin_app.h"
#include "plugin/settings.h"
#include "store/pact_store.h"

extern PluginApp theApp;
// The pact store file: the host's working directory and "\PLUGINS\Trucelog.ini".
extern CString StorePath;
extern PlanetRecord PlanetContext;
extern PactStore Store;
// The store keys whose games were already seen in the host's game list.
extern KeyList SeenKeys;
extern GameContext CurrentContext;
extern PluginSettings Settings;
extern WarningFlags WarningOptions;
