// The record of the keyboard just concluded, gathered from the engine's state, the run's identity and the
// system's clock.
#pragma once

#include <string>

#include "records/keyboard_record.h"

// The record of the keyboard whose verdict was just given: `passed` or failed with the reason the verdict
// recorded.
KeyboardRecord RecordOfVerdict(bool passed);

// A key's caption as an item of the record's key lists: '%', ';' and ':' are written %25, %3B and %3A, so
// that the ';' between the items and the ':' before a chatter gap are never part of a caption. Both bytes of
// a GBK character are 0x40 or above, so none of them is taken for one of these.
std::string KeyListItem(const std::string& label);

// A wrong pair of the record, "expected>got": each caption as a key list's item, '>' in it written %3E.
std::string KeyPairItem(const std::string& expected, const std::string& got);
