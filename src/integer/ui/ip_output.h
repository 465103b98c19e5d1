// The integer-programming views of the output screen: its layout, the option list's two views
// ("Automated B&B", "User-guided B&B") and the automated search with its list of improving
// solutions, progress counter and end texts.
#pragma once

namespace quon {

// Heading, title, option list and exits; resets the incumbent.
void InitIPOutputScreen();

// The option list's choice for integer programs (OutputOption set).
void IPOptionChanged();

// Lays out the view chosen by OutputOption and runs it: the automated search to its end, or
// the user-guided node of CurNodeId.
void RunBranchAndBound();

// The automated search with its list of improving solutions; called by RunBranchAndBound
// once the list's headings are in place.
void RunAutomatedBranchAndBound();

// The user-guided view's step: solves node CurNodeId (the root when 0).
void SolveUserGuidedNode();

} // namespace quon
