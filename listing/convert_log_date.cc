#include "listing/convert_log_date.h"

#if defined(__unix__) || defined(__APPLE__)
#include <langinfo.h>
#include <locale.h>
#if defined(__APPLE__)
#include <xlocale.h>
#endif
#define VELMORA_HAS_LANGINFO 1
#endif

#include "core/text.h"

namespace velmora {

namespace {

std::string TwoDigits(int number) { return Right("0" + std::to_string(number), 2); }

}  // namespace

std::string ConvertLogDate(std::string_view text, DateOrder order) {
  const auto date = ReadDateText(text, order);
  if (!date) return std::string(kUnreadableLogDate);
  return std::to_string(date->year) + "-" + TwoDigits(date->month) + "-" +
         TwoDigits(date->day);
}

std::string ConvertLogDate(std::string_view text) {
  return ConvertLogDate(text, UserDateOrder());
}

DateOrder PageDateOrder(const std::vector<std::string>& dates, DateOrder regional) {
  for (const std::string& date : dates) {
    if (const auto order = OrderTheDateDecides(date)) return *order;
  }
  return regional;
}

DateOrder ReadUserDateOrder() {
#ifdef VELMORA_HAS_LANGINFO
  // The user's locale as the environment names it, read without touching the
  // process's global locale, so every front end gets the same order.
  const locale_t user = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
  if (user == static_cast<locale_t>(0)) return DateOrder::kMonthDayYear;
  const std::string format = nl_langinfo_l(D_FMT, user);
  freelocale(user);
  return DateOrderFromFormat(format);
#else
  return DateOrder::kMonthDayYear;
#endif
}

DateOrder UserDateOrder() {
  static const DateOrder order = ReadUserDateOrder();
  return order;
}

}  // namespace velmora
