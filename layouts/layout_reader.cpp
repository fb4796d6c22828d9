// Reading a keyboard layout file: lines of comma-separated fields, recognised by their first character.
#include "layouts/layout_reader.h"

#include <climits>
#include <cstring>

#include "base/platform.h"
#include "base/product.h"

namespace {

constexpr int kEndOfFileMark = 0x1A;  // Ctrl+Z ends a file read in text mode

// Splits a line in place at commas and line feeds, as the standard tokenizer does: runs of separators count
// as one, and the separator that ends a token is overwritten with a zero.
struct LineTokenizer {
    char* rest;

    static bool IsSeparator(char c) { return c == ',' || c == '\n'; }

    char* Next() {
        if (rest == nullptr) {
            return nullptr;
        }
        while (*rest != '\0' && IsSeparator(*rest)) {
            ++rest;
        }
        if (*rest == '\0') {
            rest = nullptr;
            return nullptr;
        }
        char* token = rest;
        while (*rest != '\0' && !IsSeparator(*rest)) {
            ++rest;
        }
        if (*rest != '\0') {
            *rest++ = '\0';
        } else {
            rest = nullptr;
        }
        return token;
    }
};

bool IsLoneQuote(const char* token, char quote) {
    return token[0] == quote && token[1] == '\0';
}

// A lone quote token that begins a quoted comma: the quote character, or 0 when the token is none.
char LoneQuoteOf(const char* token) {
    if (IsLoneQuote(token, '"')) {
        return '"';
    }
    if (IsLoneQuote(token, '\'')) {
        return '\'';
    }
    return 0;
}

// Decimal digits as the standard library reads them with base 10, saturated at the largest 32-bit value.
int32_t ReadDecimal(const char* digits) {
    int64_t value = 0;
    for (const char* p = digits; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > INT32_MAX) {
            return INT32_MAX;
        }
    }
    return static_cast<int32_t>(value);
}

// Reads one piece of a line as fgets into a 150-byte buffer would from a file opened in text mode:
// CR LF arrives as LF, Ctrl+Z ends the file. False when nothing could be read.
struct LinePieceReader {
    FILE* file;
    bool ended = false;

    bool Read(char* buffer) {
        int count = 0;
        while (!ended && count < kLayoutLineBufferSize - 1) {
            int c = std::getc(file);
            if (c == EOF || c == kEndOfFileMark) {
                ended = true;
                break;
            }
            if (c == '\r') {
                int following = std::getc(file);
                if (following == '\n') {
                    c = '\n';
                } else if (following != EOF) {
                    std::ungetc(following, file);
                }
            }
            buffer[count++] = static_cast<char>(c);
            if (c == '\n') {
                break;
            }
        }
        buffer[count] = '\0';
        return count > 0;
    }
};

bool HasToken(const char* line) {
    for (const char* p = line; *p != '\0'; ++p) {
        if (!LineTokenizer::IsSeparator(*p)) {
            return true;
        }
    }
    return false;
}

}  // namespace

void LayoutField::SetNumber(int32_t value) {
    kind = FieldKind::Number;
    number = value;
}

void LayoutField::SetText(const char* begin, size_t length) {
    kind = FieldKind::Text;
    text.assign(begin, length);
}

bool MakeLayoutField(const char* token, LayoutField& field) {
    field = LayoutField();
    const char first = token[0];
    if (first == '"') {
        // The characters after the opening quote, less the last one (the closing quote when well formed).
        const size_t length = std::strlen(token + 1);
        field.SetText(token + 1, length > 0 ? length - 1 : 0);
        return true;
    }
    if (first == '\'') {
        field.SetNumber(static_cast<signed char>(token[1]));
        return true;
    }
    if (first >= '0' && first <= '9') {
        field.SetNumber(ReadDecimal(token));
        return true;
    }
    return false;
}

bool ParseLayoutLine(char* line, LayoutRow& row) {
    row.fields.clear();
    LineTokenizer tokenizer{line};
    char* token = tokenizer.Next();
    if (token == nullptr) {
        return false;
    }
    LayoutField field;
    if (char quote = LoneQuoteOf(token)) {
        char* closing = tokenizer.Next();
        if (closing == nullptr || !IsLoneQuote(closing, quote)) {
            row.fields.clear();
            return false;
        }
        field.SetText(",", 1);
    } else if (!MakeLayoutField(token, field)) {
        return false;
    }
    row.fields.push_back(field);

    while ((token = tokenizer.Next()) != nullptr) {
        if (char quote = LoneQuoteOf(token)) {
            char* closing = tokenizer.Next();
            if (closing == nullptr || !IsLoneQuote(closing, quote)) {
                break;  // the row ends here; the rest of the line is not read
            }
            field = LayoutField();
            field.SetText(",", 1);
        } else if (!MakeLayoutField(token, field)) {
            row.fields.clear();
            return false;
        }
        row.fields.push_back(field);
    }
    return true;
}

std::string LayoutParseErrorMessage(const char* buffer) {
    return std::string("Error parsing line beginning\n") + buffer +
           "\nPossible cause - non digit value outside quotes.";
}

int LayoutRowList::ReadLayoutStream(FILE* file) {
    LinePieceReader reader{file};
    char buffer[kLayoutLineBufferSize];
    int lineCount = 0;
    while (reader.Read(buffer)) {
        // A comment, or a line that holds no field at all (an empty line, a line of commas, the line feed
        // left over from a line of exactly 149 characters), is skipped and not counted.
        if (buffer[0] == '#' || !HasToken(buffer)) {
            continue;
        }
        ++lineCount;
        LayoutRow row;
        if (ParseLayoutLine(buffer, row)) {
            rows.push_back(std::move(row));
        } else {
            ShowMessage(nullptr, LayoutParseErrorMessage(buffer), kParseErrorCaption,
                        kMessageOk | kMessageIconWarning);
        }
    }
    return lineCount;
}

int LayoutRowList::ReadLayoutFile(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return 0;
    }
    const int lineCount = ReadLayoutStream(file);
    std::fclose(file);
    return lineCount;
}

void LayoutRowList::FreeLayoutRows() {
    rows.clear();
}
