// A plug-in host connection that has received the simulated host's start-up parameters, so
// its host calls reach that host.
#pragma once

#include "plugin/host_plugin_base.h"
#include "simulated_host.h"

struct ConnectedPlugin : HostPluginBase {
  explicit ConnectedPlugin(const SimulatedHost& host) {
    CMapStringToString startup;
    Fill(startup, host.StartupParameters());
    ReadStartupParameters(startup);
  }
};
