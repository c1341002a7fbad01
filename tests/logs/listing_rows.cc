#include "tests/logs/listing_rows.h"

#include "tests/support/temp_dir.h"

namespace velmora::testing {

std::string LogRow(const std::string& type, const std::string& date,
                   const std::string& finder, const std::string& cell) {
  return "            <tr>\r\n"
         "                <td class=\"LogIcon\"><img src=\"/images/icons/icon_smile.gif\" "
         "alt=\"\" width=\"16\" height=\"16\" /></td>\r\n"
         "                <td class=\"LogType\" title=\"" + type + "\">&nbsp;" + date +
         "</td>\r\n"
         "                <td>by <a href=\"/profile/?u=someone\">" + finder +
         "</a> (12 found)</td>\r\n"
         "            </tr>\r\n"
         "            <tr>\r\n"
         "                <td colspan=\"4\">" + cell + "\r\n"
         "                </td>\r\n"
         "            </tr>\r\n";
}

std::string ListingPage(const std::string& rows) {
  return "<html xmlns=\"http://www.w3.org/1999/xhtml\">\r\n"
         "<head><title>KW1234 - Benchmark Details</title></head>\r\n"
         "<body>\r\n"
         "    <div id=\"Content\">\r\n"
         "        <h2><img src=\"/images/wpttypes/27.gif\" alt=\"\" width=\"32\" height=\"32\" />"
         " KW1234 HANOVER RESET</h2>\r\n"
         "        <table class=\"LogsTable\" cellspacing=\"0\" cellpadding=\"4\">\r\n" +
         rows +
         "        </table>\r\n"
         "    </div>\r\n"
         "</body>\r\n"
         "</html>\r\n";
}

std::string FixturePage(const std::string& name) {
  return ReadFileBytes(std::string(VELMORA_LOGS_FIXTURES) + "/" + name);
}

}  // namespace velmora::testing
