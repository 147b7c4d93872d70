// A framework object is allocated as the real framework allows it: with plain `new` or into
// memory of its own with `new (address)`, and constructed only as some class's base. Every
// other placement form is hidden by CObject's own allocation functions there, the nothrow form
// included.
#include <afxwin.h>

#include <new>

namespace {

class Page : public CDialog {
 public:
  Page() : CDialog(100) {}
};

struct Arena {};

}  // namespace

void* operator new(std::size_t size, Arena&);

void Allocate() {
  delete new Page;
  alignas(Page) unsigned char room[sizeof(Page)];
  (new (room) Page)->~Page();
#ifdef REJECT_NOTHROW_NEW  // no matching function for call to .*operator new
  delete new (std::nothrow) Page;
#endif
#ifdef REJECT_GLOBAL_PLACEMENT_NEW  // no matching function for call to .*operator new
  Arena arena;
  new (arena) Page;
#endif
#ifdef REJECT_PLAIN_COBJECT  // CObject::CObject\(\).* protected
  CObject object;
#endif
}
