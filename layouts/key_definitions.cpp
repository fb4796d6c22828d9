// Turning the rows of a layout file into key entries.
#include "layouts/key_definitions.h"

#include "base/key_codes.h"
#include "base/product.h"
#include "base/program.h"
#include "base/text_format.h"
#include "layouts/key_names.h"

namespace {

constexpr size_t kRequiredColumns = 10;
constexpr size_t kCompoundTimeColumn = 10;  // zero-based index of column 11

bool IsPseudoCode(int32_t code) {
    return code >= kLeftMouse && code <= kCompoundKey;
}

bool ReadStatusKeyword(const std::string& keyword, int32_t& status) {
    if (keyword == "DQSTATUSUP") {
        status = Untested;
    } else if (keyword == "DQSTATUSNOTEST") {
        status = NotRequired;
    } else if (keyword == "DQSTATUSNOTESTFAIL") {
        status = FailOnPress;
    } else if (keyword == "DQSTATUSFAIL") {
        status = program.productionMode ? FailArmed : FailInactive;
    } else {
        return false;
    }
    return true;
}

bool ReadExtendedFlag(const std::string& text, int32_t& extended) {
    std::string lowered = text;
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    if (lowered == "true") {
        extended = 1;
    } else if (lowered == "false") {
        extended = 0;
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool BuildKeyEntry(const LayoutRow& row, KeyEntry& entry, int32_t& compoundRowCount) {
    const std::vector<LayoutField>& fields = row.fields;
    entry = KeyEntry();
    if (fields.size() < kRequiredColumns) {
        return false;
    }
    const LayoutField& code = fields[0];
    entry.virtualKey = code.kind == FieldKind::Text ? LookupVirtualKeyName(code.text.c_str()) : code.number;
    if (entry.virtualKey < 0 && !IsPseudoCode(entry.virtualKey)) {
        return false;
    }
    entry.scanCode = entry.virtualKey < 0 ? entry.virtualKey : fields[1].number;
    if (fields[2].kind != FieldKind::Text) {
        return false;
    }
    entry.label = fields[2].text;
    if (fields[3].kind != FieldKind::Text || !ReadExtendedFlag(fields[3].text, entry.extended)) {
        return false;
    }
    if (fields[4].kind == FieldKind::Text && !ReadStatusKeyword(fields[4].text, entry.status)) {
        return false;
    }
    entry.downTime = fields[5].number;
    entry.left = fields[6].number;
    entry.top = fields[7].number;
    entry.width = fields[8].number;
    entry.height = fields[9].number;

    if (fields.size() == kRequiredColumns) {
        return entry.virtualKey != kCompoundKey;
    }
    if (++compoundRowCount > kMaxCompoundRowsPerFile) {
        return false;
    }
    entry.compoundTime = fields[kCompoundTimeColumn].number;
    const size_t componentCount = fields.size() - kCompoundTimeColumn - 1;
    if (componentCount < 1 || componentCount > static_cast<size_t>(kMaxComponents)) {
        return false;
    }
    for (size_t i = fields.size() - 1; i > kCompoundTimeColumn; --i) {
        entry.components.push_back(fields[i].number);
    }
    entry.components.push_back(kTerminatorCode);
    return true;
}

bool BuildKeyboardLayout(WindowHandle owner, const LayoutRowList& rows, KeyboardLayout& layout, int lineCount,
                         const std::string& fileName) {
    const size_t dot = fileName.rfind('.');
    layout.name = fileName.substr(0, dot);
    layout.keys.clear();
    layout.keys.reserve(static_cast<size_t>(lineCount > 0 ? lineCount : 0) + 1);

    int32_t compoundRowCount = 0;
    int failedRow = rows.rows.empty() ? 1 : 0;
    for (size_t i = 0; i < rows.rows.size(); ++i) {
        KeyEntry entry;
        if (!BuildKeyEntry(rows.rows[i], entry, compoundRowCount)) {
            failedRow = static_cast<int>(i) + 1;
            break;
        }
        layout.keys.push_back(std::move(entry));
    }
    if (failedRow != 0) {
        ShowMessage(
            owner,
            FormatText("Syntax error in line %d (excluding comment lines) of file\n%s\nSkipping file.",
                       failedRow, fileName.c_str()),
            kLayoutErrorCaption, kMessageOk | kMessageIconInformation);
        layout = KeyboardLayout();
        return false;
    }
    layout.keys.emplace_back();  // the terminator entry
    return true;
}

bool SameKey(const KeyEntry& a, const KeyEntry& b) {
    return a.virtualKey == b.virtualKey && a.scanCode == b.scanCode && a.extended == b.extended;
}

int32_t FirstTurnOf(const std::vector<KeyEntry>& keys, int32_t index) {
    const KeyEntry& entry = keys[static_cast<size_t>(index)];
    if (entry.virtualKey == kCompoundKey) {
        return 0;
    }
    int32_t firstIndex = -1;
    for (size_t i = 0; keys[i].virtualKey != kTerminatorCode; ++i) {
        if (!SameKey(keys[i], entry)) {
            continue;
        }
        if (firstIndex < 0) {
            firstIndex = static_cast<int32_t>(i);
        }
        if (static_cast<int32_t>(i) != index) {
            return index == firstIndex ? 1 : 2;
        }
    }
    return 0;
}
