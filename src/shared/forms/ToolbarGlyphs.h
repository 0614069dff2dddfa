// The drawn glyphs of the programs' toolbar buttons.
#pragma once

#include <QIcon>

enum class TavrelGlyph { New, Open, Save, SaveAs, Cut, Copy, Paste, Undo, Reading, Config, Web,
                         DHTML, Help, Quit };

// A 22 x 22 icon of the glyph.
QIcon MakeGlyph(TavrelGlyph g);
