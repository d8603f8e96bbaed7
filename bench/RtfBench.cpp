// Speed of translating rich text into HTML: a document of a few megabytes (QUINKLE_BENCH_MB,
// 4 when unset) made of the paragraphs a word processor writes, with runs of formatting,
// Unicode escapes, a link, a list and a table in every block.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "engine/html/RtfToHtml.h"

namespace {

const char kHeader[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Liberation Serif;}"
    "{\\f1\\fswiss\\fcharset0 Liberation Sans;}{\\f2\\fnil\\fcharset238 DejaVu Sans;}}"
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue128;\\red255\\green0\\blue0;}"
    "{\\stylesheet{\\s0\\snext0 Normal;}{\\s1\\sbasedon0 Heading 1;}}"
    "{\\info{\\title Benchmark}}\\uc1\n";

const char kBlock[] =
    "\\pard\\plain \\s1\\ql\\sb240\\sa120\\f1\\fs36\\b{\\loch Chapter heading}\\par "
    "\\pard\\plain \\s0\\sl276\\slmult1\\sb0\\sa140{\\loch Plain text with }{\\loch\\b bold "
    "words}{\\loch , }{\\loch\\i italic words}{\\loch  and caf\\u233\\'e9 na\\u239\\'efve "
    "\\u8212\\'97 \\u8220\\'93quoted\\u8221\\'94 & <tags> \\u269\\'3fe\\u353\\'9atina.}"
    "{\\loch\\cf3 Red text} and {\\f2\\'e8\\'9a} a link to {{\\field{\\*\\fldinst HYPERLINK "
    "\"https://example.org/page?a=1&b=2\" }{\\fldrslt {\\loch\\cf2\\ul the example site}}}} "
    "here.\\par "
    "\\pard\\plain \\s0{\\listtext\\pard\\plain \\u8226\\'95\\tab}\\ilvl0\\ls1 \\fi-283\\li709"
    "{\\loch First item}\\par "
    "\\pard\\plain \\s0{\\listtext\\pard\\plain \\u8226\\'95\\tab}\\ilvl0\\ls1 \\fi-283\\li709"
    "{\\loch Second }{\\loch\\b bold}{\\loch  item}\\par "
    "\\trowd\\trql\\cellx871\\cellx1757\\pard\\plain \\intbl{\\loch Cell A1}\\cell\\pard\\plain "
    "\\intbl{\\loch Cell B1}\\cell\\row\\pard\n";

const std::string& Document() {
    static const std::string rtf = [] {
        const char* mb = std::getenv("QUINKLE_BENCH_MB");
        const long megabytes = mb != nullptr && std::atol(mb) > 0 ? std::atol(mb) : 4;
        std::string text = kHeader;
        while (text.size() < (static_cast<size_t>(megabytes) << 20)) text += kBlock;
        return text + "}";
    }();
    return rtf;
}

void BM_TranslateRtf(benchmark::State& state) {
    const std::string& rtf = Document();
    for (auto _ : state) {
        quinkle::RtfTranslation translation = quinkle::TranslateRtf(rtf);
        benchmark::DoNotOptimize(translation.Body.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(rtf.size()));
}
BENCHMARK(BM_TranslateRtf)->Unit(benchmark::kMillisecond);

}  // namespace
