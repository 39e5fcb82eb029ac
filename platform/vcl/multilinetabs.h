#pragma once
// The runtime's multi-line page control. Qt's tab bar keeps its tabs in one row and scrolls
// them when they do not fit; a page control with MultiLine set shows every tab at once instead:
// the tabs stand in as many rows as they need above the pages, each row spread over the width,
// and the row of the chosen page's tab next to the pages. The page control keeps its place: its
// pages give up the rows' height. A click on a tab chooses its page; Ctrl+Tab and the page
// control's own calls work as before.
class QTabWidget;

void SetMultiLine(QTabWidget* pages);
