// The plug-in's code linked into a fuzz target and driven as its exported entry points drive
// it: each call under the module's own state. The plug-in's state is process-wide and the
// module is not reloaded between inputs, so Restart puts it back as a fresh start-up leaves
// it, without registering its window type a second time.
#pragma once

#include <map>
#include <string>

#include "fuzz_host.h"
#include "plugin/globals.h"

namespace fuzz {

// Starts the plug-in once, with the host's callback, in a fresh game folder (the working
// directory while it starts); a Host must be answering.
void StartOnce();

// Forgets every pact, condition, seen game and context, and what the store knew of its file,
// and takes the settings back to their initial values; then loads the store file, the settings and
// the dictionary, as start-up does.
void Restart();

// A store file drawn from the input, with the names and turns the sessions use, or none.
void WriteStoreFile(Input& input);

// Runs `call` as an entry point runs: under the module's own state.
template <class Call>
void AsEntryPoint(Call call) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  call();
}

// The plug-in's settings keys, and a settings store filled from the input: each key set or
// not, to a usual or an odd value; flags of any length and bytes; a dictionary of any count.
void FillSettings(Input& input, std::map<std::string, std::string>& settings);

}  // namespace fuzz
