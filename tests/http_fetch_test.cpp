#include "support/local_server.h"
#include "support/test_paths.h"
#include "update/http_fetch.h"
#include "update/maker_server.h"
#include "update/page_value.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

namespace {

constexpr char kPath[] = "/site/Quillmarn.html";
constexpr char kMarker[] = "QuillmarnVersion";

// Short waits keep the suite fast; one test below runs the program's own.
const FetchLimits kQuick{50, 3000};

struct Timed {
    std::string value;
    DWORD elapsedMs;
};

Timed FetchFrom(unsigned short port, const FetchLimits& limits = kQuick, const std::string& host = "127.0.0.1")
{
    DWORD start = GetTickCount();
    std::string value = FetchPageValueAt(host, port, kPath, kMarker, limits);
    return {value, GetTickCount() - start};
}

std::string Padding(size_t size) { return std::string(size, 'x'); }

}  // namespace

TEST(FetchPageValue, SendsExactlyTheRequestLineAndAnEmptyLine)
{
    LocalServer server({{{HttpAnswer(FileBytes(SourceFolder() + "maker-site\\site\\Quillmarn.html"))}}});
    EXPECT_EQ(FetchFrom(server.Port()).value, "2.3");
    EXPECT_EQ(server.Finish(), "GET /site/Quillmarn.html HTTP/1.0\r\n\r\n");
}

TEST(FetchPageValue, FindsTheValueBehindTheMarkerInTheAnswer)
{
    struct Case { const char* label; std::string answer; const char* value; };
    const std::string meta = "<meta name=\"QuillmarnVersion\" content=\"2.4\">";
    const Case cases[] = {
        {"plain page", HttpAnswer("<html><head>" + meta + "</head></html>"), "2.4"},
        {"marker in capitals", HttpAnswer("<META NAME=\"QUILLMARNVERSION\" CONTENT=\"2.4-Beta\">"), "2.4-Beta"},
        {"content in mixed case", HttpAnswer("<meta name=\"quillmarnversion\" CoNtEnT=\"V3\">"), "V3"},
        {"error status", HttpAnswer(meta, "404 Not Found"), "2.4"},
        {"no status line at all", meta, "2.4"},
        {"single quotes", HttpAnswer("<meta name='QuillmarnVersion' content='2.4'>"), "2.4"},
        {"quote, space and slash", HttpAnswer("<meta name=\"QuillmarnVersion\" content=\"2.4\" />"), "2.4\" "},
        {"no quotes", HttpAnswer("<meta name=QuillmarnVersion content=2.4>"), "."},
        {"zero byte before the marker", HttpAnswer(std::string("<p>\0</p>", 8) + meta), ""},
        {"zero byte after the value", HttpAnswer(meta + std::string("\0", 1)), "2.4"},
        {"no marker", HttpAnswer("<meta name=\"OtherVersion\" content=\"2.4\">"), ""},
        {"no content= behind the marker", HttpAnswer("<meta content=\"9\"><meta name=\"QuillmarnVersion\">"), ""},
        {"no > behind the marker", HttpAnswer("<meta name=\"QuillmarnVersion\" content=\"2.4\""), ""},
        {"empty value", HttpAnswer("<meta name=\"QuillmarnVersion\" content=\"\">"), ""},
        {"empty answer", "", ""},
    };
    for (const Case& c : cases) {
        LocalServer server({{{c.answer}}});
        EXPECT_EQ(FetchFrom(server.Port()).value, c.value) << c.label;
    }
}

TEST(FetchPageValue, KeepsReceivingUntilTheServerCloses)
{
    LocalServer server({{{"HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n"},
                         {"<meta name=\"QuillmarnVersion\" content=\"2.4\">", 300},
                         {"</html>", 200}}});
    EXPECT_EQ(FetchFrom(server.Port()).value, "2.4");
}

TEST(FetchPageValue, UsesOnlyTheFirst8192BytesAndStopsReadingThere)
{
    const std::string meta = "<meta name=\"QuillmarnVersion\" content=\"2.4\">";
    {
        // The server keeps the connection open: a full buffer must end the wait.
        LocalServer server({{{HttpAnswer(meta + Padding(20000))}}, 10000});
        Timed fetched = FetchFrom(server.Port(), {50, 5000});
        EXPECT_EQ(fetched.value, "2.4");
        EXPECT_LT(fetched.elapsedMs, 2000u);
    }
    {
        LocalServer server({{{HttpAnswer(Padding(8150) + meta)}}});
        EXPECT_EQ(FetchFrom(server.Port()).value, "");
    }
}

TEST(FetchPageValue, GivesTheEmptyTextWithinItsLimitsWhenNothingUsableComes)
{
    {
        LocalServer silent({{}, 20000});
        Timed fetched = FetchFrom(silent.Port(), {50, 500});
        EXPECT_EQ(fetched.value, "");
        EXPECT_GE(fetched.elapsedMs, 500u);
        EXPECT_LT(fetched.elapsedMs, 2000u);
    }
    Timed refused = FetchFrom(UnusedPort());
    EXPECT_EQ(refused.value, "");
    EXPECT_LT(refused.elapsedMs, 2000u);

    EXPECT_EQ(FetchFrom(80, kQuick, "").value, "");
}

// A label longer than 63 characters cannot be put into a name query, so the
// resolver gives up at once without asking any name server: the test never
// reaches beyond this machine.
TEST(FetchPageValue, AHostThatDoesNotResolveGivesTheEmptyTextAtOnce)
{
    Timed fetched = FetchFrom(80, kQuick, std::string(70, 'q') + ".invalid");
    EXPECT_EQ(fetched.value, "");
    EXPECT_LT(fetched.elapsedMs, 1000u);
}

TEST(FetchPageValue, TheProgramsOwnWaitsTakeAboutTwoSecondsAgainstAQuickServer)
{
    LocalServer server({{{HttpAnswer("<meta name=\"QuillmarnVersion\" content=\"2.4\">")}}});
    Timed fetched = FetchFrom(server.Port(), FetchLimits{});
    EXPECT_EQ(fetched.value, "2.4");
    EXPECT_GE(fetched.elapsedMs, 1900u);
    EXPECT_LT(fetched.elapsedMs, 3500u);
    std::printf("fetch with the program's waits: %lu ms\n", fetched.elapsedMs);
}

TEST(ExtractPageValue, NeverReadsOutsideTheText)
{
    struct Case { std::string received; const char* value; };
    const Case cases[] = {
        {"QuillmarnVersion", ""},
        {"QuillmarnVersion content=", ""},
        {"QuillmarnVersion content=\"", ""},
        {"QuillmarnVersion content=\">", ""},
        {"QuillmarnVersion content=\"\">", ""},
        {"QuillmarnVersion content=\"7\">", "7"},
        {"QuillmarnVersion>content=\"7\">", ""},
        {"x>QuillmarnVersion\" content=\"7\">", "7"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExtractPageValue(c.received, kMarker), c.value) << c.received;
}
