#include "aligrid/core/CellProperties.h"

#include "aligrid/core/AlignCore.h"

namespace {

template <typename T>
void CopyInto(std::unique_ptr<T>& held, const T* source, TAlignGridCore* grid) {
  if (source == nullptr) {
    held.reset();
    return;
  }
  if (source == held.get()) return;
  if (!held) held = std::make_unique<T>();
  held->OnChange = nullptr;
  held->Assign(*source);
  held->changed = source->changed;
  held->OnChange = [grid] {
    if (grid) grid->Invalidate();
  };
}

}  // namespace

void TCellProperties::SetBrush(const TMyBrush* b) { CopyInto(Brush, b, Grid); }
void TCellProperties::SetSelectedBrush(const TMyBrush* b) { CopyInto(SelectedBrush, b, Grid); }
void TCellProperties::SetFont(const TMyFont* f) { CopyInto(Font, f, Grid); }
void TCellProperties::SetSelectedFont(const TMyFont* f) { CopyInto(SelectedFont, f, Grid); }

void TCellProperties::Assign(const TCellProperties* source) {
  if (source == this) return;
  if (source == nullptr) {
    Align = alDefault;
    Wordwrap = ww_default;
    Edit = editInherit;
    Brush.reset();
    SelectedBrush.reset();
    Font.reset();
    SelectedFont.reset();
    return;
  }
  Align = source->Align;
  Wordwrap = source->Wordwrap;
  SetBrush(source->Brush.get());
  SetSelectedBrush(source->SelectedBrush.get());
  SetFont(source->Font.get());
  SetSelectedFont(source->SelectedFont.get());
  Edit = source->Edit;
}

bool TCellProperties::IsDefault() const {
  return Align == alDefault && Wordwrap == ww_default && Edit == editInherit && !Brush &&
         !SelectedBrush && !Font && !SelectedFont;
}

std::unique_ptr<TCellProperties> TCellProperties::Clone() const {
  auto c = std::make_unique<TCellProperties>(Grid);
  c->Assign(this);
  return c;
}
