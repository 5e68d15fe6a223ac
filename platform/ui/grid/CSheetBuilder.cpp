#include "CSheetBuilder.h"

CSheetBuilder::CSheetBuilder(int dataType, int rows, int cols)
    : m_iDataType(dataType), m_iRows(rows), m_iCols(cols) {}

bool CSheetBuilder::bIsValid() const {
    return m_iDataType == kTextData && m_iRows >= 0 && m_iCols >= 0;
}

std::unique_ptr<GridCells> CSheetBuilder::pBuildCells() const {
    if (!bIsValid())
        return nullptr;
    auto cells = std::make_unique<GridCells>();
    cells->AppendRows(m_iRows);
    return cells;
}
