// One translation unit, so that construction follows this order exactly.
#include "plugin/globals.h"

PluginApp theApp;
CString StorePath;
PlanetRecord PlanetContext;
PactStore Store;
KeyList SeenKeys;
GameContext CurrentContext;
PluginSettings Settings;
WarningFlags WarningOptions;
