#pragma once
// What a grid's sheet is made of, given before the grid exists: the kind of
// data its cells hold and the rows and columns it starts with. The grid that
// takes the builder owns it and asks it for the sheet once (bCreateSheet).
#include <memory>

#include "GridCells.h"

class CSheetBuilder {
  public:
    // Cells hold texts. The only kind this grid keeps.
    static constexpr int kTextData = 0;
    static constexpr int kDefaultColumnWidth = 64;

    // `rows` empty rows and `cols` columns of the default width to start with.
    CSheetBuilder(int dataType, int rows, int cols);

    int iGetDataType() const { return m_iDataType; }
    int iGetInitialRows() const { return m_iRows; }
    int iGetInitialCols() const { return m_iCols; }

    // False for a kind of data this grid does not keep, or negative counts.
    bool bIsValid() const;
    // The cells of a new sheet with its starting rows, or null when not valid.
    std::unique_ptr<GridCells> pBuildCells() const;

  private:
    int m_iDataType;
    int m_iRows;
    int m_iCols;
};
