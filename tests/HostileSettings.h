#pragma once
// Generated settings files of the kind a careless or hostile administrator could
// leave on a share: every key, with values that are out of range, malformed,
// huge, or full of control bytes.

#include <random>
#include <string>

std::string HostileSettingsFile(std::mt19937& random);
