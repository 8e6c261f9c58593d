// Texts the grid shows from more than one place.
#pragma once

namespace maltrove {

// The caption of every message box of the grid.
inline constexpr char kGridCaption[] = "Microsoft Internet Explorer";
// A value that a column refuses, while loading: the row and the column.
inline constexpr char kCellFormatMessage[] = "%d 행의 %s 칼럼이 지정된 형식과 일치하지 않습니다.";
// The mapping item of a grid column that no file or sheet field feeds.
inline constexpr char kNotAssigned[] = "(지정 안함)";

}  // namespace maltrove
