// Text services at the sizes the program meets: the six share-link patterns over a large
// clipboard text, the row pattern over a resolver page of 10,000 rows, and the percent-decoding
// of such a page. The regular-expression work runs once through RegexObject and once through
// std::regex as the peer, with the same options (case-insensitive, multi-line, every match).
#include "text/code_page.h"
#include "text/percent_decode.h"
#include "text/regex_object.h"

#include <benchmark/benchmark.h>

#include <array>
#include <regex>
#include <string>

namespace {

constexpr std::string_view shareDomain = "pan.lornette.test";
constexpr std::size_t clipboardBytes = 1024 * 1024;
constexpr std::size_t pageBytes = 2 * 1024 * 1024;
constexpr int resolverRows = 10'000;

const std::array<std::string, 6> sharePatternTails = {"/s/(.*?[~\\s])\\W.*?([a-z0-9]{4})",
                                                      "/s/(.*?)\\W",
                                                      "/.*?surl=(.*?[~\\s])\\W.*?([a-z0-9]{4})",
                                                      "/.*?surl=(.*?)\\W",
                                                      "/s/(.*?)$",
                                                      "/.*?surl=(.*?)$"};

constexpr std::string_view rowPattern =
    "<td>(.*?)</td><td>(.*?)</td><td><a target=\".*?\" href=\"(.*?)\">点我下载</a>";

// Texts are handled in code page 936; this file is UTF-8.
std::string cp936(std::string_view utf8) {
    return lornette::utf8ToCp936(std::string(utf8));
}

std::string sharePattern(std::size_t index) {
    return cp936(std::string(shareDomain) + sharePatternTails.at(index));
}

// Chat-like lines of mixed Chinese and ASCII, with the link three lines before the end.
const std::string& clipboardText() {
    static const std::string text = [] {
        std::string utf8;
        for (int line = 0; utf8.size() < clipboardBytes; ++line) {
            utf8 += "第" + std::to_string(line) +
                    "行：今天下午三点开会，请准时参加。Meeting notes, item 42: review the "
                    "quarterly plan and prepare slides.\r\n";
        }
        utf8 += "资料在这里 https://" + std::string(shareDomain) +
                "/s/1AbCdEfGhIjK 提取码：Ab12 复制这段内容打开\r\n谢谢\r\n好的\r\n";
        return cp936(utf8);
    }();
    return text;
}

std::string resolverRow(int row) {
    const std::string number = std::to_string(row);
    return "<tr><td>资料合集_" + number + ".zip</td><td>" + std::to_string(row % 900 + 1) +
           ".5 MB</td><td><a target=\"_blank\" href=\"http://dl.lornette.test/file/" + number +
           "/%E8%B5%84%E6%96%99%E5%90%88%E9%9B%86.zip?sign=abcdef0123456789\">点我下载</a>"
           "</td></tr>\n";
}

// The page as the resolver sends it: UTF-8 with percent escapes.
const std::string& resolverPageUtf8() {
    static const std::string page = [] {
        std::string utf8 = "<html><body><table>\n";
        for (int row = 1; row <= resolverRows; ++row) {
            utf8 += resolverRow(row);
        }
        return utf8 + "</table></body></html>\n";
    }();
    return page;
}

// The same page decoded, as the row pattern sees it.
const std::string& resolverPage() {
    static const std::string page = lornette::percentDecode(resolverPageUtf8(), true);
    return page;
}

// Percent escapes throughout, up to the size of a large page.
const std::string& largeEscapedPage() {
    static const std::string page = [] {
        std::string utf8;
        for (int row = 1; utf8.size() < pageBytes; ++row) {
            utf8 += resolverRow(row);
        }
        return utf8;
    }();
    return page;
}

std::regex peerRegex(const std::string& pattern) {
    using std::regex_constants::ECMAScript;
    using std::regex_constants::icase;
    using std::regex_constants::multiline;
    return std::regex(pattern, ECMAScript | icase | multiline);
}

void sharePatternThroughRegexObject(benchmark::State& state) {
    const std::string pattern = sharePattern(static_cast<std::size_t>(state.range(0)));
    const std::string& text = clipboardText();
    for (auto _ : state) {
        lornette::RegexObject regex;
        regex.create(pattern, text);
        const std::string shareId = regex.subMatchText(1, 1);
        state.counters["found"] = !shareId.empty();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void sharePatternThroughStdRegex(benchmark::State& state) {
    const std::regex regex = peerRegex(sharePattern(static_cast<std::size_t>(state.range(0))));
    const std::string& text = clipboardText();
    for (auto _ : state) {
        std::string firstGroup;
        for (auto match = std::sregex_iterator(text.begin(), text.end(), regex);
             match != std::sregex_iterator(); ++match) {
            if (firstGroup.empty()) {
                firstGroup = (*match)[1].str();
            }
        }
        state.counters["found"] = !firstGroup.empty();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void rowPatternThroughRegexObject(benchmark::State& state) {
    const std::string pattern = cp936(rowPattern);
    const std::string& page = resolverPage();
    for (auto _ : state) {
        lornette::RegexObject regex;
        regex.create(pattern, page);
        const int rows = regex.matchCount();
        for (int row = 1; row <= rows; ++row) {
            benchmark::DoNotOptimize(regex.subMatchText(row, 3));
            benchmark::DoNotOptimize(regex.subMatchText(row, 1));
            benchmark::DoNotOptimize(regex.subMatchText(row, 2));
        }
        state.counters["rows"] = rows;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}

void rowPatternThroughStdRegex(benchmark::State& state) {
    const std::regex regex = peerRegex(cp936(rowPattern));
    const std::string& page = resolverPage();
    for (auto _ : state) {
        int rows = 0;
        for (auto match = std::sregex_iterator(page.begin(), page.end(), regex);
             match != std::sregex_iterator(); ++match) {
            benchmark::DoNotOptimize((*match)[3].str());
            benchmark::DoNotOptimize((*match)[1].str());
            benchmark::DoNotOptimize((*match)[2].str());
            ++rows;
        }
        state.counters["rows"] = rows;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}

void percentDecodeWithConversion(benchmark::State& state) {
    const std::string& page = largeEscapedPage();
    for (auto _ : state) {
        benchmark::DoNotOptimize(lornette::percentDecode(page, true));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}

}  // namespace

BENCHMARK(sharePatternThroughRegexObject)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);
BENCHMARK(sharePatternThroughStdRegex)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);
BENCHMARK(rowPatternThroughRegexObject)->Unit(benchmark::kMillisecond);
BENCHMARK(rowPatternThroughStdRegex)->Unit(benchmark::kMillisecond);
BENCHMARK(percentDecodeWithConversion)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
