// The integer-programming views of the output screen: its layout, the option list's two views
// ("Automated B&B", "User-guided B&B") and the automated search with its list of improving
// solutions, progress counter and end texts.
#pragma once

#include <string>

#include "platform/surface.h"
#include "shell/mod1.h"

namespace quon {

// What an unbounded relaxation tells of the integer program: nothing but this.
inline constexpr const char *kUnboundedRelaxationText =
    "The LP relaxation is unbounded: the integer program is unbounded if it has any integer solution";

class Scr5;

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

// The message the last automated search was aborted with, as the screen showed it; empty when
// it ran to its end. Its printed summary closes with it.
const std::string &IPSearchAbortMessage();

// The user-guided tree: solves, stores and draws node CurNodeId (the root when BBAux1 is 0).
void SolveUserGuidedNode();
// The tree and its title placed for the node detail's showing or not, on a screen whose tree
// would otherwise hold less than two levels.
void PlaceSearchTree(Scr5 &f);
// The bounds frame (and the legend) laid out again for the bound texts they now hold.
void FitSideFramesToTheirTexts();
// The picked node in BBGrid and Frame3.
void ShowNodeDetail();
// The objective-bound labels of Frame12.
void ShowNodeBounds();
// The user-guided view's title while some node can still be branched.
std::string UserTreeTitle();
// Whether no node of the tree is open or waiting for a branching variable.
bool UserTreeFinished();
// A tree node's status line when the simplex engine could not solve its subproblem.
inline constexpr const char *kNodeNotSolvedText = "not solved";
// The label ("N20") of the first node of the tree, level by level, that the simplex engine
// could not solve; empty when there is none.
std::string UnsolvedTreeNode();
// "The simplex engine could not solve subproblem " and the node's label.
std::string UnsolvedSubproblemText(const std::string &node);
// The title by the tree's state: once no node is open or waiting for a branching variable, the
// completion title, or the failure of the first node the engine could not solve.
void ShowBBCompleted();
// A click on outputGrid in the tree view: picks (or fathoms) the node of the clicked block.
void TreeNodeClick();
// A click on BBGrid: branches the picked node on the clicked variable.
void BranchGridClick();

// A whole value (within 1E-8) as a plain integer, anything else in the output number format.
std::string IPSolutionText(double v);
// 32000 reads "32,000".
std::string ThousandsText(int32 v);

// The printed report of the view OutputOption shows (1 automated summary, 2 the tree): on the
// given printer, or on the program's printer through a print job.
bool PrintIPOutput(PageSurface &printer, int16 kind);
bool PrintIPOutput();

} // namespace quon
