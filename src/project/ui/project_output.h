// The project-planning output on the output screen: its layout and option list, the CPM
// calculations shown step by step (forward pass, backward pass, then the schedule with floats
// and the critical activities in red), and the PERT views (activity means and variances, path
// means and standard deviations).
//
// The shell's screens call these: the output dispatch calls InitProjectOutputScreen, the option
// list SelectProjectOutputOption, "Next Step" ProjectNextStep and "All Steps" ProjectAllSteps.
// All work on the output screen `scr5`, which is shown.
#pragma once

namespace quon {

// Lays out the output screen for the project method and fills the option list ("CPM Bar Chart",
// "CPM Calculations" or "Activity Mean/Var", "PERT Calculations"). For PERT the forward pass
// runs first; a loop sends the user back to the input screen.
void InitProjectOutputScreen();

// The option list's project branch for OutputOption: PERT views, or for CPM a fresh run (option
// 1 the whole schedule, option 2 the step table). Returns true when the CPM bar chart is to be
// shown (option 1 without a loop); the chart is the caller's.
bool SelectProjectOutputOption();

// The empty step table of "CPM Calculations", with "Next Step" and "All Steps" enabled.
void ShowCPMStepsTable();

// One press of "Next Step" and of "All Steps". CPM: forward steps, backward steps, then one
// schedule row per activity, ending with "Critical activities highlighted in red". PERT has no
// steps ("Next Step" only counts the press in IterCount).
void ProjectNextStep();
void ProjectAllSteps();

// The step routines the presses are made of; each writes its row or cells into outputGrid.
// ForwardPassStep leaves ProjStatus 0 after a loop, which it reports before returning the user
// to the input screen.
void ForwardPassStep();
void BackwardPassStep();
void ShowCPMSchedule();

// The PERT view chosen by OutputOption: 1 activity means and variances, 2 path means and
// standard deviations.
void ShowPERTOutput();

} // namespace quon
