// Fuzz target: arbitrary bytes as a layout file, read and built in either mode. The first byte chooses the
// mode (its lowest bit is productionMode); the rest is the file. Besides the sanitizers, every layout that
// builds is checked against the rules a built key list always keeps.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/platform.h"
#include "base/program.h"
#include "layouts/key_definitions.h"
#include "layouts/layout_reader.h"

namespace {

constexpr size_t kRequiredColumns = 10;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool IsStatusFromFile(int32_t status) {
    const int32_t failStatus = program.productionMode ? 4 : 6;
    return status == 0 || status == 3 || status == 9 || status == failStatus;
}

void CheckKeyEntry(const KeyEntry& entry, const LayoutRow& row) {
    Require(entry.virtualKey >= 0 || (entry.virtualKey >= kLeftMouse && entry.virtualKey <= kCompoundKey));
    Require(entry.virtualKey >= 0 || entry.scanCode == entry.virtualKey);
    Require(entry.extended == 0 || entry.extended == 1);
    Require(IsStatusFromFile(entry.status));
    const bool hasCompoundTime = row.fields.size() > kRequiredColumns;
    Require(hasCompoundTime || entry.virtualKey != kCompoundKey);
    if (!hasCompoundTime) {
        Require(entry.compoundTime == kNoCompoundTime && entry.components.empty());
        return;
    }
    const size_t componentCount = row.fields.size() - kRequiredColumns - 1;
    Require(componentCount >= 1 && componentCount <= static_cast<size_t>(kMaxComponents));
    Require(entry.components.size() == componentCount + 1 && entry.components.back() == kTerminatorCode);
    Require(entry.components[0] == row.fields.back().number);
}

void CheckBuiltLayout(const KeyboardLayout& layout, const LayoutRowList& rows, int lineCount) {
    Require(layout.name == "fuzz");
    Require(static_cast<int>(rows.rows.size()) <= lineCount);
    Require(layout.keys.size() == rows.rows.size() + 1);
    const KeyEntry& terminator = layout.keys.back();
    Require(terminator.virtualKey == kTerminatorCode && terminator.scanCode == kTerminatorCode);
    Require(terminator.label.empty() && terminator.components.empty());
    int compoundRowCount = 0;
    for (size_t i = 0; i + 1 < layout.keys.size(); ++i) {
        CheckKeyEntry(layout.keys[i], rows.rows[i]);
        compoundRowCount += layout.keys[i].components.empty() ? 0 : 1;
    }
    Require(compoundRowCount <= kMaxCompoundRowsPerFile);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    program.productionMode = data[0] & 1;
    FILE* file = fmemopen(const_cast<uint8_t*>(data + 1), size - 1, "rb");
    if (file == nullptr) {
        return 0;
    }
    LayoutRowList rows;
    const int lineCount = rows.ReadLayoutStream(file);
    std::fclose(file);
    for (const LayoutRow& row : rows.rows) {
        Require(!row.fields.empty());
    }

    KeyboardLayout layout;
    if (BuildKeyboardLayout(nullptr, rows, layout, lineCount, "fuzz.kbl")) {
        CheckBuiltLayout(layout, rows, lineCount);
    } else {
        Require(layout.name.empty() && layout.keys.empty());
    }
    rows.FreeLayoutRows();
    return 0;
}
