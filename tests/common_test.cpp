#include "common/nth_field.h"

#include <gtest/gtest.h>

TEST(NthField, SplitsAtEveryExactSeparator)
{
    struct Case { const char* text; int n; const char* field; };
    const Case cases[] = {
        {"a\r\nb\r\n", 1, "a"},     {"a\r\nb\r\n", 2, "b"},   {"a\r\nb\r\n", 3, ""},
        {"a\r\nb", 2, "b"},         {"one line", 1, "one line"}, {"one line", 2, ""},
        {"", 1, ""},                {"", 2, ""},              {"a\nb\n", 1, "a\nb\n"},
        {"\r\n\r\n", 1, ""},        {"\r\n\r\n", 2, ""},      {"a\r\r\nb", 1, "a\r"},
        {"x\r\ny\r\nz\r\n", 3, "z"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NthField(c.text, "\r\n", c.n), c.field) << c.text << " field " << c.n;
}
