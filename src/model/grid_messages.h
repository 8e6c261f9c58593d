// Texts the grid shows from more than one place.
#pragma once

namespace maltrove {

// The caption of every message box of the grid.
inline constexpr char kGridCaption[] = "Microsoft Internet Explorer";
// A value that a column refuses, while loading: the row and the column.
inline constexpr char kCellFormatMessage[] = "%d 행의 %s 칼럼이 지정된 형식과 일치하지 않습니다.";
// A value an editor or paste could not store in its cell.
inline constexpr char kRefusedValueMessage[] = "해당 값을 입력할 수 없습니다.";
// The keyboard-security module could not be started for a text editor.
inline constexpr char kNoKeyboardSecurityMessage[] =
    "키보드 보안 모듈을 찾을 수 없습니다.[ERROR-0005]";
// The mapping item of a grid column that no file or sheet field feeds.
inline constexpr char kNotAssigned[] = "(지정 안함)";

}  // namespace maltrove
