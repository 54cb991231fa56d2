// How assistive technology sees the main window's own controls, and the cell
// of the size chart the keyboard is on.
#pragma once

class QAbstractItemView;

namespace quorvel::app {

// Once, from the first window built, with the roles of ui/: the result cells,
// the panel read whole and the announcement speak as their widgets say, in the
// interface language; a list keeps its name when filled, its text is its
// value and that text's place among the entries its description.
void InstallAccessibility();

// Tells a screen reader the cell `view` has the keyboard on, once the view's
// own focus has been told: it hears the cell, not only the table, when the
// window opens or comes back.
void TellCurrentCell(QAbstractItemView* view);

}  // namespace quorvel::app
