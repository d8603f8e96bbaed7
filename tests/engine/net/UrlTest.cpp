// Splitting typed addresses, and the address the transfer is given.
#include "engine/net/Url.h"

#include <gtest/gtest.h>

#include "engine/net/HttpError.h"

namespace quinkle::testing {
namespace {

TEST(Url, SplitsTypedAddresses) {
    struct Row {
        std::string Text;
        UrlParts Parts;
    };
    const Row rows[] = {
        {"www.example.org/docs/a.html",
         {"http", "", "", false, "www.example.org", "80", "/docs/a.html"}},
        {"http://example.org", {"http", "", "", false, "example.org", "80", "/"}},
        {"  HTTPS://Example.org:8443/x?y=1#z ",
         {"https", "", "", false, "Example.org", "8443", "/x?y=1#z"}},
        {"https://example.org", {"https", "", "", false, "example.org", "443", "/"}},
        {"http://ann:se:cret@host/p", {"http", "ann", "se:cret", true, "host", "80", "/p"}},
        {"ann%40home:p%2fw%zz@host", {"http", "ann@home", "p/w%zz", true, "host", "80", "/"}},
        {"bob@host:81", {"http", "bob", "", true, "host", "81", "/"}},
        // Only a scheme word before "://" counts as a scheme.
        {"host/go?to=http://elsewhere",
         {"http", "", "", false, "host", "80", "/go?to=http://elsewhere"}},
        {"host?q", {"http", "", "", false, "host", "80", "/?q"}},
        {"http://[::1]:8080/", {"http", "", "", false, "[::1]", "8080", "/"}},
        {"[::1]", {"http", "", "", false, "[::1]", "80", "/"}},
        {"ftp://host/file", {"ftp", "", "", false, "host", "80", "/file"}},
        {"", {"http", "", "", false, "", "80", "/"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Text);
        EXPECT_EQ(SplitUrl(row.Text), row.Parts);
    }
}

TEST(Url, TransferAddressIsCheckedAndEscaped) {
    struct Row {
        std::string Text;
        std::string Url;  // empty: refused
    };
    const Row rows[] = {
        {"user:pw@host/a b\xe9?q=1", "http://host:80/a%20b%E9?q=1"},
        {"https://host", "https://host:443/"},
        {"ftp://host/", ""},
        {"http:///path", ""},
        {"host:0/", ""},
        {"host:65536/", ""},
        {"host:8x/", ""},
        {"ho st/", ""},
        {"ho\x7fst/", ""},  // a control character, however rare
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Text);
        if (row.Url.empty()) {
            EXPECT_THROW(CheckedTransferUrl(SplitUrl(row.Text)), EHttpError);
        } else {
            EXPECT_EQ(CheckedTransferUrl(SplitUrl(row.Text)), row.Url);
        }
    }
}

}  // namespace
}  // namespace quinkle::testing
