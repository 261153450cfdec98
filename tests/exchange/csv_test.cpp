#include <gtest/gtest.h>

#include "exchange/csv.hpp"
#include "platform/error.hpp"

namespace tarvomen::exchange {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(CsvTest, ReadsTheFieldsOfRfc4180AndWhatSpreadsheetsWrite) {
    struct Case {
        const char* text;
        Rows rows;
    };
    const Case cases[] = {
        {"a,b\r\n1,2\r\n", {{"a", "b"}, {"1", "2"}}},
        {"a,b\n1,2", {{"a", "b"}, {"1", "2"}}},
        {"\xEF\xBB\xBF"
         "a\r\n",
         {{"a"}}},
        {"\"x, y\",\"say \"\"hi\"\"\",\"two\r\nlines\"\r\n",
         {{"x, y", "say \"hi\"", "two\r\nlines"}}},
        {"a,,\r\n", {{"a", "", ""}}},
        {"\"\"\r\n", {{""}}},
    };
    for (const Case& c : cases) EXPECT_EQ(parseCsv(c.text), c.rows) << c.text;
    EXPECT_THROW(parseCsv("a,\"never closed\r\n"), Error);
}

}  // namespace
}  // namespace tarvomen::exchange
