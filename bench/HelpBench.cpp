// The help over the shipped manual: reading the index, extracting every page's text for the
// search, and ranked searches; and the text extraction over a large generated page.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/help/HelpIndex.h"
#include "engine/help/HelpSearch.h"
#include "engine/store/IniFile.h"

namespace {

namespace fs = std::filesystem;

const fs::path kHelp = fs::path(QUINKLE_SOURCE_DIR) / "data" / "help";

std::string Read(const fs::path& path) {
    std::string bytes;
    bool missing = false;
    quinkle::ReadWholeFile(path.string(), bytes, missing);
    return bytes;
}

struct Manual {
    std::string Index = Read(kHelp / "topics.ini");
    std::vector<std::pair<std::string, std::string>> Pages;  // topic, html
    Manual() {
        const quinkle::HelpIndex index = quinkle::HelpIndex::Parse(Index);
        for (const quinkle::HelpTopic& topic : index.Topics())
            Pages.emplace_back(topic.Name, Read(kHelp / topic.Page));
    }
};

const Manual& TheManual() {
    static const Manual manual;
    return manual;
}

void BM_ParseIndex(benchmark::State& state) {
    const std::string& text = TheManual().Index;
    for (auto _ : state) benchmark::DoNotOptimize(quinkle::HelpIndex::Parse(text));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ParseIndex);

// What the viewer does before its first search: the text of every page.
void BM_BuildSearchIndex(benchmark::State& state) {
    int64_t bytes = 0;
    for (const auto& page : TheManual().Pages) bytes += int64_t(page.second.size());
    for (auto _ : state) {
        quinkle::HelpTextIndex index;
        for (const auto& [topic, html] : TheManual().Pages)
            index.Add(topic, quinkle::PageText(html));
        benchmark::DoNotOptimize(index.Size());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
}
BENCHMARK(BM_BuildSearchIndex);

void BM_Search(benchmark::State& state) {
    quinkle::HelpTextIndex index;
    for (const auto& [topic, html] : TheManual().Pages) index.Add(topic, quinkle::PageText(html));
    for (auto _ : state) benchmark::DoNotOptimize(index.Search("table rows cell"));
}
BENCHMARK(BM_Search);

// Text extraction stays linear on a large page full of tags and entities.
void BM_PageTextLarge(benchmark::State& state) {
    std::string page;
    while (page.size() < 4u << 20)
        page += "<tr><td class=\"x\">cell &amp; text &#233;</td><!-- c --><script>a<b</script>";
    for (auto _ : state) benchmark::DoNotOptimize(quinkle::PageText(page));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(page.size()));
}
BENCHMARK(BM_PageTextLarge);

}  // namespace
