// Tests of the row and field splitting of text ranges: line ends, quoting, stray quotes, and the
// separator of CSV files.
#include "import/text_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm {
namespace {

// Every field as "row,column=text".
std::vector<std::string> Fields(const std::string& text, char separator) {
  std::vector<std::string> out;
  TextFieldReader reader(text, separator);
  TextField field{};
  while (reader.Next(field)) {
    out.push_back(std::to_string(field.row) + "," + std::to_string(field.column) + "=" +
                  std::string(field.text));
  }
  return out;
}

struct FieldCase {
  const char* name;
  std::string text;
  char separator;
  std::vector<std::string> fields;
};

TEST(TextFieldReaderTest, LinesAndFields) {
  const FieldCase cases[] = {
      {"empty text has no rows", "", '\t', {}},
      {"one field", "a", '\t', {"0,0=a"}},
      {"final line end makes no row", "a\tb\n", '\t', {"0,0=a", "0,1=b"}},
      {"CR LF, CR and LF", "a\r\nb\rc\nd", '\t', {"0,0=a", "1,0=b", "2,0=c", "3,0=d"}},
      {"empty lines are empty rows", "a\n\n\nb", '\t', {"0,0=a", "1,0=", "2,0=", "3,0=b"}},
      {"only a line end", "\n", '\t', {"0,0="}},
      {"two line ends", "\n\n", '\t', {"0,0=", "1,0="}},
      {"trailing separator is an empty field", "a\t\n", '\t', {"0,0=a", "0,1="}},
      {"trailing separator at the end of input", "a\tb\t", '\t', {"0,0=a", "0,1=b", "0,2="}},
      {"ragged rows", "a\tb\tc\nd\n", '\t', {"0,0=a", "0,1=b", "0,2=c", "1,0=d"}},
      {"comma inside a tab-separated field", "1,5\tx", '\t', {"0,0=1,5", "0,1=x"}},
      {"semicolons", "a;b;;c", ';', {"0,0=a", "0,1=b", "0,2=", "0,3=c"}},
      {"blanks kept in plain fields", " a \t b", '\t', {"0,0= a ", "0,1= b"}},
      {"CR LF converted twice", "a\r\r\nb\r\r\r\nc", '\t', {"0,0=a", "1,0=b", "2,0=c"}},
      {"LF CR", "a\n\rb\n\r\n\rc", '\t', {"0,0=a", "1,0=b", "2,0=", "3,0=c"}},
      {"CR LF CR LF is an empty line", "a\r\n\r\nb", '\t', {"0,0=a", "1,0=", "2,0=b"}},
      {"CRs without an LF end a line each", "a\r\rb", '\t', {"0,0=a", "1,0=", "2,0=b"}},
      {"no separator: one field a line", "a,b\tc", NoSeparator, {"0,0=a,b\tc"}},
  };
  for (const FieldCase& c : cases) EXPECT_EQ(Fields(c.text, c.separator), c.fields) << c.name;
}

TEST(TextFieldReaderTest, Quoting) {
  const FieldCase cases[] = {
      {"quoted separator", "\"a,b\",c", ',', {"0,0=a,b", "0,1=c"}},
      {"doubled quote", "\"say \"\"hi\"\"\",x", ',', {"0,0=say \"hi\"", "0,1=x"}},
      {"quoted line break stays in its row",
       "\"two\nlines\"\tx\ny",
       '\t',
       {"0,0=two\nlines", "0,1=x", "1,0=y"}},
      {"empty quoted field", "\"\",a", ',', {"0,0=", "0,1=a"}},
      {"blanks before the opening quote", "a, \"b,c\"", ',', {"0,0=a", "0,1=b,c"}},
      {"text after the closing quote kept", "\"ab\"cd,e", ',', {"0,0=abcd", "0,1=e"}},
      {"quote inside a plain field is a character", "5\" disk,x", ',', {"0,0=5\" disk", "0,1=x"}},
      {"quoted field at the end", "a,\"b\"", ',', {"0,0=a", "0,1=b"}},
      {"quoted field then CR LF", "\"a\"\r\nb", ',', {"0,0=a", "1,0=b"}},
      {"stray quote never closed is a character",
       "\"abc,d\ne",
       ',',
       {"0,0=\"abc", "0,1=d", "1,0=e"}},
      {"after a stray quote every quote is a character",
       "\"a,\"\"b\"\"\n\"\"x\"\",d",
       ',',
       {"0,0=\"a", "0,1=\"\"b\"\"", "1,0=\"\"x\"\"", "1,1=d"}},
      {"a later quote closes an earlier one",
       "\"a,\"\"b\"\"\n\"c\",d",
       ',',
       {"0,0=a,\"b\"\nc\"", "0,1=d"}},
  };
  for (const FieldCase& c : cases) EXPECT_EQ(Fields(c.text, c.separator), c.fields) << c.name;
}

TEST(DetectCsvSeparatorTest, FromTheFirstLineOutsideQuotes) {
  struct Case {
    const char* text;
    char separator;
  } cases[] = {
      {"a,b,c\n1,2,3", ','},
      {"Name;Wert\n1,5;2,5", ';'},
      {"\"a;b\",c\n", ','},            // the semicolon is quoted
      {"\"x,y\";\"z,w\";v\n", ';'},    // commas only inside quotes
      {"single\n1;2\n", NoSeparator},  // a header without a separator: one column
      {"Gewicht\nkg\n1,5\n2,25\n", NoSeparator},
      {" \n\"a\";b\n", ';'},  // a blank first line does not count
      {"a;b,c\n", ','},       // a tie goes to the comma
      {"a\tb\tc\n", '\t'},
      {"a\tb;c\n", ';'},
      {"", ','},
      {"one column\n1\n2", NoSeparator},
      {"\"multi\nline;\",x\n", ','},  // a quoted line break does not end the first line
      {",,\na;b;c;d\n", ','},         // a first line of commas only
  };
  for (const Case& c : cases) EXPECT_EQ(DetectCsvSeparator(c.text), c.separator) << c.text;
}

}  // namespace
}  // namespace qm
