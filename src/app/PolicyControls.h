#pragma once
// Which controls show a setting an administrator may set by policy: greyed on the page
// that holds them while the policy sets it.

#include <vector>

#include "settings/SettingsStore.h"

enum class PolicyPage { General, Notes, Grid, SaveAs };

// The controls of the page whose settings the policies set.
std::vector<int> LockedControls(const PolicyRecord& policies, PolicyPage page);
