// The pacts of one memo drawn across the turns: one row per race, one bar per unbroken run of
// pacts, each pact of the run a segment labelled with its conditions, the current turn marked.
// Read from the pact store file with the plug-in's own store code, so the picture shows what
// the file holds, which is what the plug-in saved after its last treaty command.
#pragma once

#include <string>
#include <vector>

#include "request_map.h"
#include "store/pact_history.h"

struct TimelineRow {
  std::string race;
  std::vector<PactInterval> pacts;  // sorted, as the history keeps them
};

// The rows of store key `key` ("game/race") in the store file at `path`, sorted by race.
std::vector<TimelineRow> ReadTimeline(const std::string& path, const std::string& key);

// The picture; `settings` (the client's settings store) gives the conditions' main texts for
// the legend.
std::string TimelineSvg(const std::string& key, int turn, const std::vector<TimelineRow>& rows,
                        const Entries& settings);
