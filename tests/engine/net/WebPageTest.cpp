// A response's status line, its Content-Type charset, and its body as the editor's lines.
#include "engine/net/WebPage.h"

#include <gtest/gtest.h>

namespace quinkle::testing {
namespace {

TEST(WebPage, BodyBecomesLines) {
    struct Row {
        std::string Body;
        std::string Text;
        LineEnd LineEnds;
    };
    using std::string_literals::operator""s;
    const Row rows[] = {
        {"one\r\ntwo\r\nthree", "one\rtwo\rthree", LineEnd::CRLF},
        {"one\ntwo\nthree\n", "one\rtwo\rthree", LineEnd::LF},
        {"one\rtwo\r", "one\rtwo", LineEnd::CR},
        // A break at the end adds no line; two add one empty line.
        {"one\n\n", "one\r", LineEnd::LF},
        {"\n", "", LineEnd::LF},
        {"", "", LineEnd::LF},
        // LF CR is two breaks; the most frequent kind wins.
        {"a\n\rb\nc", "a\r\rb\rc", LineEnd::LF},
        {"a\r\nb\nc\r\n", "a\rb\rc", LineEnd::CRLF},
        // A NUL ends the text of its line, not the line.
        {"ab\0cd\nef\0"s, "ab\ref", LineEnd::LF},
        {"\xe9\xff", "\xe9\xff", LineEnd::LF},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Body);
        const WebPage page = PageFromResponse(row.Body, "");
        EXPECT_EQ(page.Text, row.Text);
        EXPECT_EQ(page.LineEnds, row.LineEnds);
    }
}

TEST(WebPage, ContentTypeNamesTheCharset) {
    struct Row {
        std::string ContentType;
        std::optional<Charset> Served;
    };
    const Row rows[] = {
        {"text/html; charset=ISO-8859-1", Charset::Iso8859_1},
        {"text/html;CHARSET=\"windows-1250\" ; q=1", Charset::Windows1250},
        {"text/html; format=flowed; charset = utf-8", Charset::Utf8},
        {"text/html", std::nullopt},
        {"text/html; charset=klingon", std::nullopt},
        {"text/html; charset=", std::nullopt},
        {"charset=latin2", std::nullopt},  // no media type, no parameters
        {"", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.ContentType);
        EXPECT_EQ(ContentTypeCharset(row.ContentType), row.Served);
    }
}

TEST(WebPage, StatusLines) {
    struct Row {
        std::string Line;
        int Code;  // 0: not a status line
        std::string Reason;
    };
    const Row rows[] = {
        {"HTTP/1.1 404 Not Found\r\n", 404, "Not Found"},
        {"HTTP/1.0 200 OK", 200, "OK"},
        {"HTTP/2 204\r\n", 204, ""},
        {"HTTP/1.1 500 \r\n", 500, ""},
        {"HTTP/1.1 20 Short", 0, ""},
        {"HTTP/1.1 2000 Long", 0, ""},
        {"HTTP/ 200 OK", 0, ""},
        {"Content-Type: text/html", 0, ""},
        {"http/1.1 200 OK", 0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Line);
        const auto status = ParseStatusLine(row.Line);
        ASSERT_EQ(status.has_value(), row.Code != 0);
        if (!status) continue;
        EXPECT_EQ(status->Code, row.Code);
        EXPECT_EQ(status->Reason, row.Reason);
    }
}

}  // namespace
}  // namespace quinkle::testing
