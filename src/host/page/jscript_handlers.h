// The JScript form of an event handler, `function grid1::onCellFocused(r, c)`,
// is no JavaScript. Before a page is shown each such declaration becomes an
// ordinary global function whose name the page bridge looks up when grid1
// fires onCellFocused.
#pragma once

#include <QString>

namespace maltrove::host {

// "function grid1::onCellFocused(" -> "function __maltrove_on$grid1$oncellfocused(".
QString RewriteJScriptHandlers(const QString& html);

}  // namespace maltrove::host
