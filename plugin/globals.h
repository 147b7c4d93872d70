// The plug-in's process-wide objects. They are constructed when the module loads, in the order
// of their definitions in globals.cpp, and destroyed in reverse order when it unloads.
#pragma once

#include "plugin/plugin_app.h"

extern PluginApp theApp;
