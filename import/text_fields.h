// Splitting a text range into rows and fields: lines are rows (LF, CR LF, CR or LF CR), fields are
// parted by a separator, and a field that opens with a double quote is quoted the way CSV files
// and spreadsheets' clipboard text quote a cell that holds a separator, a quote or a line break.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// The separator of a text whose fields are not parted: a decoded text never holds a NUL, so
// every line is one field.
constexpr char NoSeparator = '\0';

// How the fields of a CSV file are parted, judged from its first line that holds more than blanks
// (a quoted line break does not end it): the most frequent of comma, semicolon and tab outside
// quotes, ties going to the comma and then the semicolon. When that line holds none of them the
// text is one column (a header "Gewicht" over "1,5" and "2,25"): NoSeparator.
char DetectCsvSeparator(std::string_view text);

struct TextField {
  int64_t row;            // line index; a quoted line break does not start a new row
  int64_t column;         // field index within the row
  std::string_view text;  // the field's content, quotes removed; valid until the next call
};

// Walks the fields of a text in order. Every row has at least one field (an empty line is one
// empty field); a line end at the very end of the text starts no further row. A run of CRs
// before an LF is one line end (CR CR LF is a CR LF converted twice), and so is LF CR; a CR
// that no LF follows ends a line of its own.
//
// Quoting: spaces before an opening quote are dropped; inside quotes "" stands for one quote and
// separators and line breaks are content; what follows the closing quote up to the next separator
// is kept as it is. A quote that is never closed is taken as an ordinary character, and so is
// every later quote, so that a stray quote cannot swallow the rest of the text and every byte is
// read at most twice.
class TextFieldReader {
 public:
  TextFieldReader(std::string_view text, char separator)
      : text_(text), separator_(separator), done_(text.empty()) {}

  // The next field; false when the text has no more.
  bool Next(TextField& field);

 private:
  bool AtLineEnd(size_t at) const { return text_[at] == '\n' || text_[at] == '\r'; }
  // Reads a quoted field whose opening quote is at `quote`; false when the quote is never closed.
  bool ReadQuoted(size_t quote);
  void ReadPlain(size_t start);
  // Moves past the separator or line end after a field.
  void FinishField();

  std::string_view text_;
  char separator_;
  size_t position_ = 0;
  int64_t row_ = 0;
  int64_t column_ = 0;
  bool quotesOff_ = false;
  bool done_;
  std::string_view field_;
  std::string scratch_;  // unquoted content, reused between fields
};

}  // namespace qm
