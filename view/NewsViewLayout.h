#pragma once
// Where the news view puts its children, worked out from its client
// rectangle alone, so creation and every later size change agree.
//
//   top    client top, below the title strip when the base view shows one
//   x0     left end of the mode controls: room for the select-service
//          button, none when the back-end has exactly one news service
#include "ui/Geometry.h"

class CNewsViewLayout {
  public:
    static constexpr int kTabHeight = 22;
    static constexpr int kSheetOffset = 52;  // sheets below the tab strip and the controls
    static constexpr int kSheetOffsetNoControls = 24;  // below the tab strip only
    static constexpr int kServiceButtonRoom = 84;
    static constexpr int kDropDownHeight = 200;

    CNewsViewLayout(const CRect& client, int titleHeight, int serviceCount);

    int iGetTop() const { return m_top; }
    int iGetX0() const { return m_x0; }
    const CRect& GetClient() const { return m_client; }

    CRect TabStrip() const;
    CRect SelectServiceButton() const;
    // The button's place when the view shows symbol news only: the top-left
    // corner of the client area, title or not.
    CRect CompactSelectServiceButton() const;
    CRect DatePicker() const;
    // The category and symbol combos: the last 200 pixels are the drop-down list.
    CRect ComboBox() const;
    // The row of the keyword edit and the warning button (modes 3, 4 and 6).
    CRect ControlRow() const;
    // Keyword edit, search and advanced search buttons within a control row.
    static CRect KeywordEdit(const CRect& row);
    static CRect SearchButton(const CRect& row);
    static CRect AdvancedSearchButton(const CRect& row);
    static CRect WarningButton(const CRect& row);
    static constexpr int kControlHeight = 25;
    // The relation search button in the combos' rectangle, one control high.
    static CRect RelationSearchButton(const CRect& combo);
    // A sheet whose top is `top` pixels below the layout top (or at `absoluteTop`).
    CRect SheetBelow(int offset) const;
    CRect SheetAt(int absoluteTop) const;

  private:
    CRect m_client;
    int m_top;
    int m_x0;
};
