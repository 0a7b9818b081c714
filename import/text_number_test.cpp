// Tests of the number rule for text fields: what reads as a number under each decimal mark, and
// what only looks like one.
#include "import/text_number.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>

namespace qm {
namespace {

struct NumberCase {
  const char* field;
  bool isNumber;
  double value;  // when isNumber
};

// Runs every case with one decimal mark for the numbers that read either way.
void CheckCases(const NumberCase* begin, const NumberCase* end, DecimalMark decimal,
                bool tabIsBlank) {
  std::string scratch;
  for (const NumberCase* c = begin; c != end; c++) {
    double value = 12345.0;
    bool isNumber = ParseTextNumber(c->field, decimal, tabIsBlank, value, scratch);
    EXPECT_EQ(isNumber, c->isNumber) << "field [" << c->field << "]";
    if (isNumber && c->isNumber) {
      EXPECT_EQ(std::bit_cast<uint64_t>(value), std::bit_cast<uint64_t>(c->value))
          << "field [" << c->field << "] read " << value;
    }
  }
}

TEST(ParseTextNumberTest, DecimalPointEverywhere) {
  const NumberCase cases[] = {
      {"0", true, 0.0},
      {"42", true, 42.0},
      {"1.5", true, 1.5},
      {"-1.5", true, -1.5},
      {"+1.5", true, 1.5},
      {".5", true, 0.5},
      {"5.", true, 5.0},
      {"-.25", true, -0.25},
      {"-0", true, -0.0},
      {"007", true, 7.0},
      {"0.1", true, 0.1},
      {"999999.998", true, 999999.998},
      {"-999998.999", true, -999998.999},
      {"999998.999", true, 999998.999},
  };
  for (DecimalMark mark : {DecimalMark::Point, DecimalMark::Comma}) {
    CheckCases(std::begin(cases), std::end(cases), mark, mark == DecimalMark::Comma);
  }
}

TEST(ParseTextNumberTest, Exponents) {
  const NumberCase cases[] = {
      {"1e3", true, 1000.0},       {"1E3", true, 1000.0},
      {"1e+3", true, 1000.0},      {"2.5e-3", true, 0.0025},
      {".5e1", true, 5.0},         {"5.e1", true, 50.0},
      {"-1.25E+02", true, -125.0}, {"1e", false, 0},
      {"1e+", false, 0},           {"e5", false, 0},
      {"1e5.5", false, 0},         {"1e 5", false, 0},
      {"1ee5", false, 0},
  };
  CheckCases(std::begin(cases), std::end(cases), DecimalMark::Point, false);
}

TEST(ParseTextNumberTest, BeyondTheDoubleRange) {
  const NumberCase cases[] = {
      {"1e400", true, INFINITY},
      {"-1e400", true, -INFINITY},
      {"1e-400", true, 0.0},
      {"-1e-400", true, -0.0},
      {"0e999999", true, 0.0},
      {"0.0001e-400", true, 0.0},
      {"123456789e99999999999999999999", true, INFINITY},
  };
  CheckCases(std::begin(cases), std::end(cases), DecimalMark::Point, false);
}

TEST(ParseTextNumberTest, Blanks) {
  const NumberCase spaces[] = {
      {" 1.5", true, 1.5}, {"1.5  ", true, 1.5}, {"  -2  ", true, -2.0}, {"- 2", false, 0},
      {"1 000", false, 0}, {"", false, 0},       {"   ", false, 0},      {"\t7", false, 0},
  };
  CheckCases(std::begin(spaces), std::end(spaces), DecimalMark::Point, false);
  // In a comma- or semicolon-separated file a tab beside a number is a blank too.
  const NumberCase tabs[] = {{"\t7\t", true, 7.0}, {" \t-7", true, -7.0}};
  CheckCases(std::begin(tabs), std::end(tabs), DecimalMark::Point, true);
}

TEST(ParseTextNumberTest, DecimalCommaAndGroupedDigits) {
  // A field that reads either way takes the range's mark; one that reads one way only takes it.
  const NumberCase withComma[] = {
      {"1,5", true, 1.5},
      {"-1,25", true, -1.25},
      {"1,234", true, 1.234},
      {"1,5e3", true, 1500.0},
      {" 0,5 ", true, 0.5},
      {"+3,0", true, 3.0},
      {",5", false, 0},
      {"5,", false, 0},
      {"1,234,567", true, 1234567.0},
      {"1.234,5", true, 1234.5},
      {"1,2.3", false, 0},
      {",", false, 0},
      {"1.234", true, 1234.0},
      {"1.234.567,5", true, 1234567.5},
      {"0.125", true, 0.125},
      {"1\xA0"
       "000,5",
       true, 1000.5},
  };
  CheckCases(std::begin(withComma), std::end(withComma), DecimalMark::Comma, false);
  const NumberCase withPoint[] = {
      {"1,5", true, 1.5},
      {"1,234", true, 1234.0},
      {"1,020", true, 1020.0},
      {"1,100.5", true, 1100.5},
      {"1,234,567.5", true, 1234567.5},
      {"-1.234", true, -1.234},
      {"12,34", true, 12.34},
      {"1234,567", true, 1234.567},
      {"0,123", true, 0.123},
      {"1\xA0"
       "000",
       true, 1000.0},
      {"1\xA0"
       "000\xA0"
       "000.5",
       true, 1000000.5},
      {"1,000\xA0"
       "000",
       false, 0},
      {"1\xA0"
       "00",
       false, 0},
      {"1,234,56", false, 0},
      {"1.234.5", false, 0},
      {"1,234.567.8", false, 0},
  };
  CheckCases(std::begin(withPoint), std::end(withPoint), DecimalMark::Point, true);
}

TEST(ParseTextNumberTest, LookAlikesAreLabels) {
  const NumberCase cases[] = {
      {"1.2.3", false, 0},
      {"inf", false, 0},
      {"-inf", false, 0},
      {"nan", false, 0},
      {"NaN", false, 0},
      {"infinity", false, 0},
      {"0x10", false, 0},
      {"1d3", false, 0},
      {"5%", false, 0},
      {"$5", false, 0},
      {".", false, 0},
      {"-", false, 0},
      {"+", false, 0},
      {"--1", false, 0},
      {"+-1", false, 0},
      {"1-", false, 0},
      {"1.5x", false, 0},
      {"\xA0"
       "1",
       false, 0},
  };
  for (DecimalMark mark : {DecimalMark::Point, DecimalMark::Comma}) {
    CheckCases(std::begin(cases), std::end(cases), mark, mark == DecimalMark::Comma);
  }
}

TEST(ParseTextNumberTest, ManyDigitsReadInOnePass) {
  std::string scratch;
  double value = 0;
  std::string longInteger(1'000'000, '1');
  ASSERT_TRUE(ParseTextNumber(longInteger, DecimalMark::Point, false, value, scratch));
  EXPECT_TRUE(std::isinf(value));
  std::string tiny = "0," + std::string(1'000'000, '0') + "1";
  ASSERT_TRUE(ParseTextNumber(tiny, DecimalMark::Point, false, value, scratch));
  EXPECT_EQ(value, 0.0);
  std::string exact = "1." + std::string(1000, '0') + "1";
  ASSERT_TRUE(ParseTextNumber(exact, DecimalMark::Comma, false, value, scratch));
  EXPECT_EQ(value, 1.0);
}

}  // namespace
}  // namespace qm
