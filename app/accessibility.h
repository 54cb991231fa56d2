// How assistive technology sees the main window's own controls, and the cell
// of the size chart the keyboard is on.
#pragma once

class QAbstractItemView;

namespace quorvel::app {

// Once, from the first window built, with the roles of ui/: the main window's
// result cells, panel, announcement and lists as assistive tools see them.
void InstallAccessibility();

// Tells a screen reader the cell `view` has the keyboard on, once the view's
// own focus has been told: it hears the cell, not only the table, when the
// window opens or comes back.
void TellCurrentCell(QAbstractItemView* view);

}  // namespace quorvel::app
