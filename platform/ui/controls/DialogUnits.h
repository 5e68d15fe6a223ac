#pragma once
// Dialog units to pixels at a template font's base units: a dialog unit is a
// quarter of the font's average character width across and an eighth of its
// height down, so a template laid out in dialog units fits its texts.
#include "ui/Geometry.h"

class DialogUnits {
  public:
    // The font's average character width and height in pixels.
    constexpr DialogUnits(int charWidth, int charHeight)
        : m_charWidth(charWidth), m_charHeight(charHeight) {}

    constexpr int X(int units) const { return units * m_charWidth / 4; }
    constexpr int Y(int units) const { return units * m_charHeight / 8; }
    // A rectangle given by its corners, and one given by its origin and size.
    CRect Rect(int left, int top, int right, int bottom) const {
        return CRect(X(left), Y(top), X(right), Y(bottom));
    }
    CRect Box(int x, int y, int width, int height) const {
        return CRect(X(x), Y(y), X(x + width), Y(y + height));
    }

  private:
    int m_charWidth;
    int m_charHeight;
};
