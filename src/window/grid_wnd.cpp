#include "window/grid_wnd.h"

#include <algorithm>
#include <cstdio>

#include "formats/colour_text.h"
#include "platform/temp_folder.h"
#include "platform/url_download.h"
#include "window/grid_painter.h"

namespace maltrove {

namespace {

constexpr int kBarTimerBase = 2000;  // + 100 for the horizontal bar, + the bar's timer
constexpr int kCellWalkMargin = 2;
const char kSkinFile[] = "mvgscr.bmp";

// The skin part names in the bars' slot order.
const char* const kHorizontalParts[] = {"BackgroundImage",       "ThumbImage",
                                        "LeftButtonImage",       "RightButtonImage",
                                        "LeftPushedButtonImage", "RightPushedButtonImage"};
const char* const kVerticalParts[] = {"BackgroundImage",     "ThumbImage",
                                      "UpButtonImage",       "DownButtonImage",
                                      "UpPushedButtonImage", "DownPushedButtonImage"};

}  // namespace

CGridWnd::CGridWnd() { model_.setView(this); }

CGridWnd::~CGridWnd() { model_.setView(nullptr); }

// ---- focus ---------------------------------------------------------------------------

void CGridWnd::setFocusCell(int32_t row, int32_t col) {
  if (row == model_.focusedRow() && col == model_.focusedCol() && editor_ == nullptr) return;
  if (editor_ != nullptr) CloseEditor(-1, -1);
  const int oldRow = model_.focusedRow();
  const int oldCol = model_.focusedCol();
  model_.setFocus(std::max(row, 0), std::max(col, 0));
  RepaintRow(oldRow);
  RepaintColumn(oldCol);
  RepaintRow(model_.focusedRow());
  RepaintColumn(model_.focusedCol());
  EnsureVisible(model_.focusedRow(), model_.focusedCol());
  if (events_ != nullptr) events_->onCellFocused(row, col);
}

// ---- window --------------------------------------------------------------------------

void CGridWnd::Attach(platform::NativeWindow* window) {
  if (window_ != nullptr && window == nullptr) {
    DestroyEditor();
    tip_.Hide();
    window_->KillTimer(kGridTimer);
  }
  window_ = window;
  tip_.Attach(window);
  capturedBar_ = nullptr;
  if (window_ == nullptr) return;
  window_->SetTimer(kGridTimer, 1000);
  ApplySkins();
  RecomputeScrollBars();
  window_->InvalidateAll();
  window_->TakeFocus();
}

platform::Size CGridWnd::ClientSize() const {
  return window_ != nullptr ? window_->ClientSize() : platform::Size{};
}

platform::Size CGridWnd::ViewSize() const {
  platform::Size size = ClientSize();
  if (vbar_.shown()) size.width -= kBarSize;
  if (hbar_.shown()) size.height -= kBarSize;
  return size;
}

void CGridWnd::OnPaint(platform::DrawSurface& surface) {
  // While drawing is suspended (loads, whose workers change the table) the
  // window keeps the last picture.
  if (model_.immediateDrawMode() == 0 && paintedOnce_) return;
  paintedOnce_ = true;
  PaintState state;
  state.scroll = scroll();
  state.client = ClientSize();
  state.view = ViewSize();
  state.bothBarsShown = vbar_.shown() && hbar_.shown();
  state.pressedRow = pressedRow_;
  state.pressedCol = pressedCol_;
  GridPainter(model_, state, surface).Paint();
  surface.SetOrigin(0, 0);
  vbar_.Paint(surface);
  hbar_.Paint(surface);
  if (hbar_.shown() && !frozenStrip_.empty()) {
    // The frozen area keeps a strip of the bar's track that never scrolls.
    const platform::Bitmap* track = hbar_.image(CXScrollBar::kBackground);
    if (track != nullptr) {
      surface.DrawBitmap(*track, frozenStrip_);
    } else {
      surface.FillRect(frozenStrip_, Rgb(0xF0, 0xF0, 0xF0));
    }
  }
}

void CGridWnd::OnSize(int, int) {
  RecomputeScrollBars();
  RepaintAll();
}

void CGridWnd::OnTimer(int id) {
  if (id == kGridTimer) {
    if (window_ == nullptr) return;
    const platform::Point cursor = window_->CursorPosition();
    const platform::Size size = ClientSize();
    if (cursor.x < 0 || cursor.y < 0 || cursor.x >= size.width || cursor.y >= size.height) {
      HideTip();
    }
  } else if (id == TFXDataTip::kTimerId) {
    tip_.OnTimer();
  } else if (id >= kBarTimerBase) {
    CXScrollBar& bar = id >= kBarTimerBase + 100 ? hbar_ : vbar_;
    bar.OnTimer(id % 100);
  }
}

// ---- scroll bars ----------------------------------------------------------------------

bool CGridWnd::BothBarsNeeded(bool* horizontal, bool* vertical) const {
  const platform::Size client = ClientSize();
  *horizontal = client.width < model_.contentRight();
  *vertical = client.height < model_.contentBottom();
  return *horizontal && *vertical;
}

void CGridWnd::RecomputeScrollBars() {
  if (window_ == nullptr) return;
  const platform::Size client = ClientSize();
  bool hNeeded = false;
  bool vNeeded = false;
  BothBarsNeeded(&hNeeded, &vNeeded);
  const bool vShown = client.height - (hNeeded ? kBarSize : 0) < model_.contentBottom();
  const bool hShown = client.width - (vNeeded ? kBarSize : 0) < model_.contentRight();

  vbar_.SetRange(model_.contentBottom(), client.height - (hNeeded ? 20 : 0));
  if (!vShown) vbar_.SetPosition(0);
  vbar_.Place({client.width - kBarSize, 0, client.width, client.height - (hShown ? kBarSize : 0)},
              vShown);

  hbar_.SetRange(model_.contentRight(), client.width - (vNeeded ? 20 : 0));
  if (!hShown) hbar_.SetPosition(0);
  const int barsRight = client.width - (vShown ? kBarSize : 0);
  const int frozen = std::min(FrozenRight(model_), barsRight);
  hbar_.Place({frozen, client.height - kBarSize, barsRight, client.height}, hShown);
  frozenStrip_ = Rect{0, client.height - kBarSize, frozen, client.height};
}

int CGridWnd::PageStep(bool vertical) const {
  bool hNeeded = false;
  bool vNeeded = false;
  BothBarsNeeded(&hNeeded, &vNeeded);
  const platform::Size client = ClientSize();
  if (vertical) {
    return client.height - HeaderRowHeight(model_.style()) - 25 - (hNeeded ? 20 : 0);
  }
  return client.width - HeaderColumnWidth(model_.style()) - 25 - (vNeeded ? 20 : 0);
}

void CGridWnd::ScrollTo(bool vertical, int position) {
  CXScrollBar& bar = vertical ? vbar_ : hbar_;
  const int before = bar.position();
  bar.SetPosition(position);
  if (bar.position() != before) {
    HideTip();
    RepaintAll();
  }
}

void CGridWnd::OnScroll(bool vertical, ScrollCode code, int position) {
  const int now = (vertical ? vbar_ : hbar_).position();
  switch (code) {
    case ScrollCode::kLineBack:
      ScrollTo(vertical, now - kLineStep);
      break;
    case ScrollCode::kLineForward:
      ScrollTo(vertical, now + kLineStep);
      break;
    case ScrollCode::kPageBack:
      ScrollTo(vertical, now - PageStep(vertical));
      break;
    case ScrollCode::kPageForward:
      ScrollTo(vertical, now + PageStep(vertical));
      break;
    case ScrollCode::kThumbTrack:
      ScrollTo(vertical, position);
      RepaintBar(vertical);
      break;
  }
}

void CGridWnd::SetBarTimer(bool vertical, int timer, int milliseconds) {
  if (window_ != nullptr) window_->SetTimer(kBarTimerBase + (vertical ? 0 : 100) + timer, milliseconds);
}

void CGridWnd::KillBarTimer(bool vertical, int timer) {
  if (window_ != nullptr) window_->KillTimer(kBarTimerBase + (vertical ? 0 : 100) + timer);
}

void CGridWnd::RepaintBar(bool vertical) {
  if (window_ != nullptr) window_->Invalidate((vertical ? vbar_ : hbar_).rect());
}

CXScrollBar* CGridWnd::BarAt(int x, int y) {
  if (vbar_.shown() && vbar_.rect().contains(x, y)) return &vbar_;
  if (hbar_.shown() && hbar_.rect().contains(x, y)) return &hbar_;
  return nullptr;
}

void CGridWnd::EnsureVisible(int row, int col) {
  const CGridRow* r = model_.row(row);
  const CGridColumn* c = model_.column(col);
  if (window_ == nullptr || r == nullptr || c == nullptr) return;
  const platform::Size client = ClientSize();
  const int w = client.width;
  const int h = client.height;
  const bool vShown = model_.contentBottom() > h;
  const bool hShown = model_.contentRight() > w;
  const ScrollPosition now = scroll();
  bool moved = false;

  if (!IsFixedColumn(model_, col)) {
    const int x0 = FrozenRight(model_) + 1;
    const int x = c->left - now.horizontal - 2;
    int position = now.horizontal;
    if (x < x0) {
      position = c->left - x0 - 2;
    } else if (x > w || c->left + c->width - now.horizontal + 4 > w) {
      position = c->left + c->width + 4 - w + (vShown ? kBarSize : 0);
      if (position > c->left - 2) position = c->left - x0 - 2;
    }
    if (position != now.horizontal) {
      const int limit = model_.contentRight() - w + (vShown ? kBarSize : 0);
      hbar_.SetPosition(std::clamp(position, 0, std::max(limit, 0)));
      moved = true;
    }
  }

  const int u = HeaderRowHeight(model_.style());
  const int y = r->top - now.vertical - 2;
  int position = now.vertical;
  if (y < u + 4) {
    position = r->top - u - 6;
  } else if (!(y <= h && r->top + r->height - now.vertical + 4 <= h)) {
    position = r->top + r->height + 4 - h + (hShown ? kBarSize : 0);
    if (position > r->top - 2) position = r->top - u - 6;
  }
  if (position != now.vertical) {
    const int limit = model_.contentBottom() - h + (hShown ? kBarSize : 0);
    vbar_.SetPosition(std::clamp(position, 0, std::max(limit, 0)));
    moved = true;
  }
  if (moved) RepaintAll();
}

// ---- skins ---------------------------------------------------------------------------

void CGridWnd::ApplySkins() {
  LoadSkin(horizontalSkin_, &hbar_);
  LoadSkin(verticalSkin_, &vbar_);
}

void CGridWnd::LoadSkin(const ScrollBarSkin& skin, CXScrollBar* bar) {
  if (window_ == nullptr) return;
  const char* const* parts = bar->vertical() ? kVerticalParts : kHorizontalParts;
  for (int slot = 0; slot < CXScrollBar::kSlots; ++slot) {
    auto found = skin.images.find(parts[slot]);
    if (found == skin.images.end() || found->second.empty() || downloader_ == nullptr) continue;
    const std::string folder = platform::ProcessTempFolder();
    if (folder.empty()) continue;
    const std::string file = folder + kSkinFile;
    // A picture that cannot be fetched or read leaves the slot as it was.
    if (!downloader_->Download(found->second, file, nullptr)) {
      std::remove(file.c_str());
      continue;
    }
    if (auto image = window_->LoadBitmap(file)) {
      bar->SetImage(static_cast<CXScrollBar::Slot>(slot), std::move(image));
    }
    std::remove(file.c_str());
  }
  if (!skin.borderColor.empty()) bar->SetBorderColour(TextToColour(skin.borderColor));
}

// ---- repaint requests ----------------------------------------------------------------

void CGridWnd::InvalidateContent(Rect rect, bool fixedColumn) {
  if (window_ == nullptr) return;
  const ScrollPosition now = scroll();
  rect = rect.moved(fixedColumn ? 0 : -now.horizontal, -now.vertical).inflated(kCellWalkMargin,
                                                                                kCellWalkMargin);
  const platform::Size client = ClientSize();
  rect.left = std::max(rect.left, 0);
  rect.top = std::max(rect.top, 0);
  rect.right = std::min(rect.right, client.width);
  rect.bottom = std::min(rect.bottom, client.height);
  if (!rect.empty()) window_->Invalidate(rect);
}

void CGridWnd::RepaintAll() {
  if (window_ == nullptr) return;
  PlaceEditor();
  window_->InvalidateAll();
}

void CGridWnd::RepaintRow(int row) {
  const CGridRow* r = model_.row(row);
  if (window_ == nullptr || r == nullptr) return;
  // The whole width of the client, row header and frozen columns included.
  InvalidateContent({0, r->top - 2, ClientSize().width, r->top + r->height + 1}, true);
}

void CGridWnd::RepaintColumn(int col) {
  const CGridColumn* c = model_.column(col);
  if (window_ == nullptr || c == nullptr) return;
  const Rect span{c->left - 2, scroll().vertical, c->left + c->width + 1,
                  scroll().vertical + ClientSize().height};
  InvalidateContent(span, IsFixedColumn(model_, col));
}

void CGridWnd::RepaintCell(int row, int col) {
  const CGridRow* r = model_.row(row);
  const CGridColumn* c = model_.column(col);
  if (window_ == nullptr || r == nullptr || c == nullptr) return;
  InvalidateContent(CellRect(*c, *r), IsFixedColumn(model_, col));
}

// ---- data tips -----------------------------------------------------------------------

void CGridWnd::HideTip() {
  tip_.Hide();
  tip_.Reset();
  tipRow_ = tipCol_ = -1;
}

void CGridWnd::UpdateDataTip(int x, int y) {
  if (window_ == nullptr) return;
  const GridHit hit = HitTest(model_, scroll(), ClientSize().height, hbar_.shown(), x, y);
  const bool onCell = hit.kind == kHitCell && hit.row >= 0 && hit.col >= 0;
  if (onCell && hit.row == tipRow_ && hit.col == tipCol_) return;
  if ((tipRow_ != -1 || tipCol_ != -1) && (!onCell || hit.row != tipRow_ || hit.col != tipCol_)) {
    HideTip();
  }
  if (!onCell || BarAt(x, y) != nullptr) return;
  const CGridColumn& column = *model_.column(hit.col);
  const int mode = column.displayToolTip;
  if (mode != 1 && mode != 2) return;
  const std::string text = model_.displayText(hit.row, hit.col);
  if (text.empty() || model_.isCellHidden(hit.row, hit.col)) return;
  if (mode == 2) {
    const platform::Size size = GridPainter::MeasureCellText(model_, hit.row, hit.col, *window_);
    if (size.width <= column.width && size.height <= model_.row(hit.row)->height) return;
  }
  tipRow_ = hit.row;
  tipCol_ = hit.col;
  tip_.Request(text, {x, y});
}

}  // namespace maltrove
