#pragma once

namespace qv {

struct DialogContext;
class TimeSet;

inline constexpr const char* kRegistryWriteFailed = "Unable to Write in Registry.";

// Stores the values of all five pages of the dialog, updates the record and the summary
// labels, adds or removes the Run value, stores the dialog's position and closes the dialog.
// Out-of-range hours and minutes are not stored; any other failure stops the save where it
// happens, shows the fatal message and leaves the dialog open. A save started while another
// is still running (from one of its yields) does nothing.
void SaveSettings(const DialogContext& context, TimeSet& dialog);

}  // namespace qv
