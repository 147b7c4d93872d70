// The host's script functions GetPact (one race) and GetPactEx (two races): the end turn of
// the pact in force at the request's turn, answered in "Return". Read-only: the game, races
// and turn come from the request alone, and the request's keys are read with insert-on-read
// access, so that a key it lacked is present, empty, afterwards.
#pragma once

#include "common/framework.h"
#include "store/pact_store.h"

void CallScriptFunction(const PactStore& store, CMapStringToString& request);
