#include "afx_draw.h"

#include <map>
#include <memory>

#include "afx_display_list.h"
#include "afx_standin_calls.h"
#include "afx_window_impl.h"

using afx_detail::Wnd;

namespace {

// The paint in progress: the window whose WM_PAINT is being handled, the context painting it,
// where its drawing goes and where its client area lies in the window AfxPaintWindow was asked
// for.
struct PaintTarget {
  HWND hWnd;
  const CDC* context;
  CDisplayList* list;
  POINT offset;
};
PaintTarget* currentPaint = nullptr;

// Drawing is kept only when it paints the window being painted.
void Record(const CDC* context, CDisplayItem item) {
  if (!currentPaint || currentPaint->context != context) return;
  item.rect.left += currentPaint->offset.x;
  item.rect.right += currentPaint->offset.x;
  item.rect.top += currentPaint->offset.y;
  item.rect.bottom += currentPaint->offset.y;
  currentPaint->list->items.push_back(std::move(item));
}

// Contexts handed out by GetDC and not yet released; released with the process otherwise.
std::map<CDC*, std::unique_ptr<CDC>>& OutstandingContexts() {
  static std::map<CDC*, std::unique_ptr<CDC>> contexts;
  return contexts;
}

void PaintTree(HWND hWnd, CDisplayList& list, POINT offset) {
  afx_detail::Window* const window = Wnd(hWnd);
  PaintTarget target{hWnd, nullptr, &list, offset};
  PaintTarget* outer = currentPaint;
  currentPaint = &target;
  if (window->eraseBackground) list.erased = TRUE;
  SendMessageA(hWnd, WM_PAINT, 0, 0);
  currentPaint = outer;
  if (!IsWindow(hWnd)) return;
  window->invalid = false;
  window->eraseBackground = false;
  const std::vector<HWND> children = window->children;
  for (HWND child : children) {
    if (!IsWindow(child) || !(Wnd(child)->style & WS_VISIBLE)) continue;
    PaintTree(child, list,
              POINT{offset.x + Wnd(child)->rect.left, offset.y + Wnd(child)->rect.top});
  }
}

}  // namespace

HICON afx_detail::IconHandle(UINT id) {
  static std::map<UINT, std::unique_ptr<HICON__>> icons;
  std::unique_ptr<HICON__>& icon = icons[id];
  if (!icon) icon = std::make_unique<HICON__>();
  return icon.get();
}

CDC::CDC() = default;

CDC::~CDC() = default;

CSize CDC::GetTextExtent(const char* lpszString, int nCount) const {
  if (!lpszString || nCount < 0) nCount = 0;
  return CSize(kCellWidth * nCount, kCellHeight);
}

CSize CDC::GetTextExtent(const CString& str) const {
  return GetTextExtent(str.GetString(), str.GetLength());
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
  if (!lpRect) return;
  SetBkColor(clr);
  Record(this, {CDisplayItem::fillRect, *lpRect, clr, clr, TRUE, CString()});
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
  const CRect rect(x, y, x + cx, y + cy);
  FillSolidRect(&rect, clr);
}

COLORREF CDC::SetTextColor(COLORREF crColor) {
  const COLORREF previous = textColor_;
  textColor_ = crColor;
  return previous;
}

COLORREF CDC::SetBkColor(COLORREF crColor) {
  const COLORREF previous = bkColor_;
  bkColor_ = crColor;
  return previous;
}

int CDC::SetBkMode(int nBkMode) {
  const int previous = bkMode_;
  if (nBkMode == OPAQUE || nBkMode == TRANSPARENT) bkMode_ = nBkMode;
  return previous;
}

int CDC::SetMapMode(int nMapMode) {
  const int previous = mapMode_;
  mapMode_ = nMapMode;
  return previous;
}

BOOL CDC::TextOut(int x, int y, const char* lpszString, int nCount) {
  const CSize extent = GetTextExtent(lpszString, nCount);
  const CRect cells(x, y, x + extent.cx, y + extent.cy);
  Record(this, {CDisplayItem::textOut, cells, textColor_, bkColor_, bkMode_ == OPAQUE,
                CString(lpszString, nCount)});
  return TRUE;
}

BOOL CDC::TextOut(int x, int y, const CString& str) {
  return TextOut(x, y, str.GetString(), str.GetLength());
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
  if (IsWindow(m_hWnd)) {
    Wnd(m_hWnd)->invalid = false;
    Wnd(m_hWnd)->eraseBackground = false;
  }
  if (currentPaint && currentPaint->hWnd == m_hWnd && !currentPaint->context) {
    currentPaint->context = this;
  }
}

CPaintDC::~CPaintDC() {
  if (currentPaint && currentPaint->context == this) currentPaint->context = nullptr;
}

CDisplayList AfxPaintWindow(HWND hWnd) {
  CDisplayList list;
  if (IsWindow(hWnd)) PaintTree(hWnd, list, POINT{0, 0});
  return list;
}

CDC* CWnd::GetDC() {
  if (!IsWindow(m_hWnd)) return nullptr;
  auto context = std::make_unique<CClientDC>(this);
  CDC* handle = context.get();
  OutstandingContexts()[handle] = std::move(context);
  return handle;
}

int CWnd::ReleaseDC(CDC* pDC) { return OutstandingContexts().erase(pDC) ? 1 : 0; }
