// The test plan kblmake writes beside a layout it makes: the keys a guided or strict test asks for, in the
// reading order of the picture, as the tester reads NAME.plan with the private-profile functions.
#pragma once

#include <string>
#include <vector>

#include "base/platform.h"
#include "layouts/key_definitions.h"

// The longest value the tester reads from a plan: the private-profile functions cut a longer one short
// without a word.
constexpr size_t kLongestPlanValue = kProfileValueCapacity - 1;

// The orders --plan takes, as the plan's Order key writes them.
extern const char* const kPlanOrders;

// True for "guided" and "strict", the orders a made plan may have.
bool IsPlanOrder(const std::string& order);

// `labels` as the plan's Sequence value: separated by blanks, a label that holds a blank or a tab (or none at
// all) in double quotes. The private-profile functions discard a pair of quotes around the whole value, so a
// value that would start and end with the same quote character gets one more pair of double quotes around
// it. False, with `error` naming the label, when a label holds a double quote: no plan can name it.
bool FormatPlanSequence(const std::vector<std::string>& labels, std::string& value, std::string& error);

// The plan file of the layout built as `keys`, with the Order `order`: comment lines, the section [Plan],
// Order and Sequence, lines ended by CR LF; `keyCount` is the number of keys in the Sequence. False, with
// `error`, as FormatPlanSequence gives it, or when the layout requires no key.
bool FormatPlanText(const std::vector<KeyEntry>& keys, const std::string& order, std::string& text,
                    size_t& keyCount, std::string& error);
