// Writers of the vector format: rows of the grid as <vector> XML. The text is
// UTF-8; files convert it to their code page once, when they are written.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/grid_model.h"

namespace maltrove {

enum class CellForm { kOutput, kDisplay };

// Called after each row is written (the progress bar's step).
using RowWritten = std::function<void()>;

// One <data> holder with its record element, or nothing for a missing row.
void AppendVectorRow(const CGridModel& grid, int row, int vectorKey, CellForm form,
                     std::string* out);

// The record element alone, one tab less, without "index": getRowXML.
std::string SingleRowXml(const CGridModel& grid, int row);

// `<?xml version="1.0" encoding="..."?>` CR LF, or without encoding when the
// grid has no characterSet name.
std::string TextDeclaration(const CGridModel& grid);

struct VectorRows {
  std::vector<int> rows;      // row indexes, in output order
  bool sequentialKeys = false;  // vectorkey 0, 1, 2... instead of the row index
  int result = 0;             // the "result" count
};

// Declaration, <vector result>, the rows, </vector> without a line break.
std::string VectorDocument(const CGridModel& grid, const VectorRows& rows, CellForm form,
                           const RowWritten& written = {});

// The rows between first and last (inclusive) that exist.
std::vector<int> RowRange(const CGridModel& grid, int first, int last);
// The rows whose check state in column `col` is (or is not) set.
std::vector<int> RowsByCheck(const CGridModel& grid, int col, bool checked);
std::vector<int> EditedRows(const CGridModel& grid);
std::vector<int> InsertedRows(const CGridModel& grid);
// Save selection of the file writers: 0 (and any unknown value) all rows,
// 1 inserted or edited, 2 edited, 3 inserted.
std::vector<int> RowsToSave(const CGridModel& grid, int mode);

}  // namespace maltrove
