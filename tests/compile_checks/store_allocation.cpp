// The store's classes are allocated with every form the framework offers its objects, the
// source-and-line form that the framework's debugging `new` expands to among them, and with no
// other: none hides the framework's forms behind allocation functions of its own.
#include "store/pact_history.h"
#include "store/pact_store.h"

#include <new>

#define STORE_DEBUG_NEW new (__FILE__, __LINE__)

void Allocate() {
  delete STORE_DEBUG_NEW PactHistory;
  delete STORE_DEBUG_NEW RacePacts;
  delete STORE_DEBUG_NEW PactStore;
  delete new PactHistory;
  delete new RacePacts;
  alignas(PactHistory) unsigned char room[sizeof(PactHistory)];
  (new (room) PactHistory)->~PactHistory();
#ifdef REJECT_NOTHROW_HISTORY  // no matching function for call to .*operator new
  delete new (std::nothrow) PactHistory;
#endif
#ifdef REJECT_NOTHROW_RACES  // no matching function for call to .*operator new
  delete new (std::nothrow) RacePacts;
#endif
}
