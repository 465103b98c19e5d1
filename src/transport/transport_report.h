// The transportation output summary's texts and the two printed reports of the transportation
// model: the summary with the original data, and the tableaus shown on the output screen.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/grid_store.h"
#include "platform/surface.h"

namespace quon {

// Basis positions 1..MRows in ascending cell number (source by source, destination by
// destination), whatever order the basis holds them in.
std::vector<int> TransSummaryOrder();

// An amount shipped, supplied or demanded: a whole amount as a whole number, any other in the
// number pattern.
std::string TransAmountText(double amount, const std::string &pattern);
// A unit cost in the number pattern; the cost standing for "infinity" reads "infinity".
std::string TransCostText(double cost, const std::string &pattern);

// The word a multiplier or reduced cost made of "infinity" and "-infinity" costs amounts to,
// from its counts of each (as DualWords and RedCostWords hold them; "infinity" outweighs any
// number of "-infinity"); empty when it is finite.
std::string TransWordOf(double infinities, double minusInfinities);

// The total cost of a basic solution: "infinity" or "-infinity" when it ships on a route of
// that cost (`infinity` as TransSolutionInfinity gives it), else `z` in the number pattern.
std::string TransObjectiveText(double z, int infinity, const std::string &pattern);

// The five texts of the summary line of the basic cell in position p: "S" & i & ":   " & name,
// "D" & j & ":   " & name, the amount, the unit cost and the cost contribution.
std::array<std::string, 5> TransSummaryTexts(int p);

// The title, final-iteration and objective lines of the summary, each at X 1200, on the screen
// or on paper; when the solve found no optimum, its reason in place of the objective. A line
// that would pass `right` goes on over further lines.
void PrintTransSummaryLines(Surface &surface, double right);

// The original data as one print job, then the summary as a second one. Returns the second
// job's end.
bool PrintTransOutputSummary(PageSurface &printer);
bool PrintTransOutputSummary();

// The original data, then on a new page every tableau block of the output grid, closed by how
// the run ended when it has (`verdict`, the text the screen gave); one job.
bool PrintTransTableaus(PageSurface &printer, const GridStore &outputGrid, const std::string &verdict = {});

} // namespace quon
