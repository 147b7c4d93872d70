// One translation unit, so that construction follows this order exactly.
#include "plugin/globals.h"

PluginApp theApp;
