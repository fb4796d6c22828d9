// A layout's test plan: NAME.plan beside NAME.kbl, read with the private-profile functions, section [Plan].
// Keys are named by their labels, separated by blanks; a label holding a blank is written in double quotes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/platform.h"
#include "layouts/key_definitions.h"

constexpr const char* kPlanExtension = ".plan";
constexpr int32_t kMostRepeat = 10;
constexpr int32_t kMostIdleSeconds = 30;

// Splits `text` into labels: separated by blanks, a label in double quotes taken whole. False when a quote
// is not closed, or closed inside a label.
bool SplitPlanLabels(const std::string& text, std::vector<std::string>& labels);

// `label` as a plan writes it: in double quotes when it holds a blank.
std::string PlanLabelText(const std::string& label);

// The keys that need a test (their definitions start Untested), in the reading order of their rectangles:
// rows top to bottom, left to right within a row. A row is the keys whose tops lie above the middle of the
// highest key not yet placed.
std::vector<int32_t> ReadingOrder(const std::vector<KeyEntry>& keys);

// Reads the plan at `planPath` for `layout` into layout.plan; without a file the plan is not in use. A value
// that cannot be taken is replaced (Order by free, Repeat by 1, Idle by 0, a bad Sequence by the reading
// order, a bad rollover step by none), a key the layout lacks is left out, and all of it is reported in one
// message box owned by `owner`, naming the file, the key and what is used instead.
void ReadTestPlan(WindowHandle owner, const std::string& planPath, KeyboardLayout& layout);
