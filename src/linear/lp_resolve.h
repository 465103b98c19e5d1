// Solving the linear program again from the model saved at submission.
#pragma once

namespace quon {

// Restores the saved model, rewrites it for the dual simplex when that is the method, and
// solves it to the end with the method's engine; FinalIteration takes the solve's count.
void ResolveSavedLP();

// Restores the saved model, rewritten for the dual simplex when that is the method.
void RestoreSavedLP();

} // namespace quon
