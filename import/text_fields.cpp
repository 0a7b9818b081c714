// Rows and fields of a text range.
#include "import/text_fields.h"

namespace qm {

char DetectCsvSeparator(std::string_view text) {
  size_t commas = 0;
  size_t semicolons = 0;
  size_t tabs = 0;
  bool quoted = false;
  bool content = false;  // the line holds more than blanks
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      content = true;
    } else if (quoted) {
      continue;
    } else if (c == ',') {
      commas++;
    } else if (c == ';') {
      semicolons++;
    } else if (c == '\t') {
      tabs++;
    } else if (c == '\n' || c == '\r') {
      if (content || commas + semicolons + tabs > 0) break;
    } else if (c != ' ') {
      content = true;
    }
  }
  if (commas + semicolons + tabs == 0) return content ? NoSeparator : ',';
  if (commas >= semicolons && commas >= tabs) return ',';
  return semicolons >= tabs ? ';' : '\t';
}

bool TextFieldReader::Next(TextField& field) {
  if (done_ || position_ > text_.size()) return false;
  size_t start = position_;
  size_t at = start;
  while (at < text_.size() && text_[at] == ' ') at++;
  bool quoted = !quotesOff_ && at < text_.size() && text_[at] == '"';
  if (!quoted || !ReadQuoted(at)) {
    if (quoted) quotesOff_ = true;  // never closed: read it again as plain text
    ReadPlain(start);
  }
  field = TextField{row_, column_, field_};
  FinishField();
  return true;
}

bool TextFieldReader::ReadQuoted(size_t quote) {
  scratch_.clear();
  size_t at = quote + 1;
  for (;;) {
    size_t next = text_.find('"', at);
    if (next == std::string_view::npos) return false;
    scratch_.append(text_.substr(at, next - at));
    if (next + 1 < text_.size() && text_[next + 1] == '"') {
      scratch_ += '"';
      at = next + 2;
      continue;
    }
    at = next + 1;
    break;
  }
  size_t end = at;
  while (end < text_.size() && text_[end] != separator_ && !AtLineEnd(end)) end++;
  scratch_.append(text_.substr(at, end - at));
  field_ = scratch_;
  position_ = end;
  return true;
}

void TextFieldReader::ReadPlain(size_t start) {
  size_t end = start;
  while (end < text_.size() && text_[end] != separator_ && !AtLineEnd(end)) end++;
  field_ = text_.substr(start, end - start);
  position_ = end;
}

void TextFieldReader::FinishField() {
  if (position_ >= text_.size()) {
    done_ = true;
    return;
  }
  if (text_[position_] == separator_) {
    position_++;
    column_++;
    return;
  }
  // A line end: CRs up to an LF, or LF CR, count once.
  if (text_[position_] == '\r') {
    size_t at = position_;
    while (at < text_.size() && text_[at] == '\r') at++;
    position_ = at < text_.size() && text_[at] == '\n' ? at : position_;
  } else if (position_ + 1 < text_.size() && text_[position_ + 1] == '\r') {
    position_++;
  }
  position_++;
  row_++;
  column_ = 0;
  if (position_ >= text_.size()) done_ = true;
}

}  // namespace qm
