#include "listing/convert_log_date.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace velmora {
namespace {

constexpr DateOrder kMDY = DateOrder::kMonthDayYear;
constexpr DateOrder kDMY = DateOrder::kDayMonthYear;
constexpr DateOrder kYMD = DateOrder::kYearMonthDay;

TEST(ConvertLogDate, NumericDatesFollowTheGivenOrder) {
  for (const char* text : {"7/4/2009", "07/04/2009", "7-4-2009", "7.4.2009", "7/4/09"}) {
    EXPECT_EQ(ConvertLogDate(text, kMDY), "2009-07-04") << text;
    EXPECT_EQ(ConvertLogDate(text, kDMY), "2009-04-07") << text;
  }
  EXPECT_EQ(ConvertLogDate("09/07/04", kYMD), "2009-07-04");
  EXPECT_EQ(ConvertLogDate("12/31/2008", kMDY), "2008-12-31");
  EXPECT_EQ(ConvertLogDate("31.12.2008", kDMY), "2008-12-31");
}

TEST(ConvertLogDate, ExchangesDayAndMonthOnlyWhenTheOrderGivesNoDate) {
  EXPECT_EQ(ConvertLogDate("25/07/2009", kMDY), "2009-07-25");
  EXPECT_EQ(ConvertLogDate("07/25/2009", kDMY), "2009-07-25");
  EXPECT_EQ(ConvertLogDate("13/13/2009", kMDY), kUnreadableLogDate);
  EXPECT_EQ(ConvertLogDate("2/30/2009", kMDY), kUnreadableLogDate);
}

TEST(ConvertLogDate, FourDigitYearFirstIsYearMonthDayInEveryOrder) {
  for (const DateOrder order : {kMDY, kDMY, kYMD}) {
    EXPECT_EQ(ConvertLogDate("2009-07-04", order), "2009-07-04");
    EXPECT_EQ(ConvertLogDate("2009/7/4", order), "2009-07-04");
    EXPECT_EQ(ConvertLogDate("2009.12.01", order), "2009-12-01");
  }
}

TEST(ConvertLogDate, ReadsEnglishMonthNames) {
  for (const char* text :
       {"July 4, 2009", "July 4 2009", "Jul 4 2009", "Jul. 4, 2009", "4 July 2009",
        "4 Jul 2009", "4-Jul-2009", "4 july, 2009", "JULY 4, 2009", "04 Jul 09"}) {
    EXPECT_EQ(ConvertLogDate(text, kDMY), "2009-07-04") << text;
  }
  EXPECT_EQ(ConvertLogDate("Sept 9, 2008", kMDY), "2008-09-09");
  EXPECT_EQ(ConvertLogDate("Sep 30 2008", kMDY), "2008-09-30");
  EXPECT_EQ(ConvertLogDate("May 1, 2010", kMDY), "2010-05-01");
  EXPECT_EQ(ConvertLogDate("Febr 1, 2010", kMDY), kUnreadableLogDate);
  EXPECT_EQ(ConvertLogDate("Juli 4, 2009", kMDY), kUnreadableLogDate);
}

TEST(ConvertLogDate, DropsWeekdayInFrontAndTimeBehind) {
  for (const char* text :
       {"Saturday, July 4, 2009", "Sat, Jul 4, 2009", "sat 7/4/2009", "  7/4/2009  ",
        "7/4/2009 10:30", "7/4/2009 10:30:15 PM", "July 4, 2009 8:05 am",
        "Saturday, July 4, 2009, 10:30", "7/4/2009 8:05:09.25 pm"}) {
    EXPECT_EQ(ConvertLogDate(text, kMDY), "2009-07-04") << text;
  }
  EXPECT_EQ(ConvertLogDate("2009-07-04T10:30:00Z", kDMY), "2009-07-04");
  EXPECT_EQ(ConvertLogDate("2009-07-04 23:59", kDMY), "2009-07-04");
}

TEST(ConvertLogDate, TwoDigitYearsPivotAtThirty) {
  EXPECT_EQ(ConvertLogDate("1/2/00", kMDY), "2000-01-02");
  EXPECT_EQ(ConvertLogDate("1/2/29", kMDY), "2029-01-02");
  EXPECT_EQ(ConvertLogDate("1/2/30", kMDY), "1930-01-02");
  EXPECT_EQ(ConvertLogDate("1/2/99", kMDY), "1999-01-02");
  EXPECT_EQ(ConvertLogDate("1/2/5", kMDY), "2005-01-02");
  EXPECT_EQ(ConvertLogDate("Jan 2, 99", kMDY), "1999-01-02");
}

TEST(ConvertLogDate, PadsMonthAndDayButNotTheYear) {
  EXPECT_EQ(ConvertLogDate("1/2/2009", kMDY), "2009-01-02");
  EXPECT_EQ(ConvertLogDate("10/11/2009", kMDY), "2009-10-11");
  EXPECT_EQ(ConvertLogDate("1/2/100", kMDY), "100-01-02");
  EXPECT_EQ(ConvertLogDate("1/2/9999", kMDY), "9999-01-02");
}

TEST(ConvertLogDate, KnowsLeapYears) {
  EXPECT_EQ(ConvertLogDate("2/29/2008", kMDY), "2008-02-29");
  EXPECT_EQ(ConvertLogDate("2/29/2000", kMDY), "2000-02-29");
  EXPECT_EQ(ConvertLogDate("2/29/1900", kMDY), kUnreadableLogDate);
  EXPECT_EQ(ConvertLogDate("2/29/2009", kMDY), kUnreadableLogDate);
  EXPECT_EQ(ConvertLogDate("4/31/2009", kMDY), kUnreadableLogDate);
}

TEST(ConvertLogDate, UnreadableTextsGiveTheFixedDate) {
  EXPECT_EQ(kUnreadableLogDate, "1899-12-30");
  for (const char* text :
       {"", "   ", "yesterday", "7/4", "7/4/2009/1", "7/4-2009", "7//4/2009", "0/4/2009",
        "7/0/2009", "7/4/20090", "7/4/0099", "123/4/2009", "7/4/2009 later", "7/4/2009 25",
        "&nbsp;7/4/2009", "7/4/2009</span>", "July 2009", "4 4 2009", "Found it",
        "Saturday", "7/4/2009 10:", "7/4/2009 24:00", "7/4/2009 10:60", "Jul\xC3\xA9 4 2009"}) {
    EXPECT_EQ(ConvertLogDate(text, kMDY), kUnreadableLogDate) << text;
    EXPECT_FALSE(ReadDateText(text, kMDY).has_value()) << text;
  }
}

TEST(DateOrderFromFormat, TakesTheOrderOfTheFirstDatePart) {
  EXPECT_EQ(DateOrderFromFormat("%m/%d/%y"), kMDY);
  EXPECT_EQ(DateOrderFromFormat("%D"), kMDY);
  EXPECT_EQ(DateOrderFromFormat("%d.%m.%Y"), kDMY);
  EXPECT_EQ(DateOrderFromFormat("%d/%m/%y"), kDMY);
  EXPECT_EQ(DateOrderFromFormat("%e %B %Y"), kDMY);
  EXPECT_EQ(DateOrderFromFormat("%a %d %b %Y"), kDMY);
  EXPECT_EQ(DateOrderFromFormat("%Y-%m-%d"), kYMD);
  EXPECT_EQ(DateOrderFromFormat("%F"), kYMD);
  EXPECT_EQ(DateOrderFromFormat("%Ey/%m/%d"), kYMD);
  EXPECT_EQ(DateOrderFromFormat("%%d %m/%d"), kMDY);
  EXPECT_EQ(DateOrderFromFormat(""), kMDY);
  EXPECT_EQ(DateOrderFromFormat("%"), kMDY);
}

#if defined(__unix__) || defined(__APPLE__)
// Sets an environment variable for one scope, restoring the old value.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value, 1);
  }
  ~ScopedEnv() {
    if (old_) setenv(name_, old_->c_str(), 1);
    else unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(ReadUserDateOrder, TheCAndPosixLocalesWriteMonthFirst) {
  for (const char* locale : {"C", "POSIX", "no_SUCH.locale"}) {
    ScopedEnv all("LC_ALL", locale);
    EXPECT_EQ(ReadUserDateOrder(), kMDY) << locale;
  }
}
#endif

}  // namespace
}  // namespace velmora
