// The generation benchmark, on a site made by make_bench_site.py:
//   sitemap_bench pairs FOLDER N  times the generation as the create button
//                                  runs it (no box) and a bare breadth-first
//                                  listing of the same tree, N pairs in turn
//   sitemap_bench memory FOLDER   how far one generation raises the peak
//                                  resident memory above what the process held
#include "sitemap/generation_run.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {

template <typename Work>
double Seconds(Work work)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

// What the walk cannot do without: every folder listed once, breadth first.
size_t BareListing(const std::string& root)
{
    size_t entries = 0;
    std::deque<std::string> queue{root};
    while (!queue.empty()) {
        std::string folder = std::move(queue.front());
        queue.pop_front();
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "*.*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do {
            if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0)
                continue;
            ++entries;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                queue.push_back(folder + found.cFileName + "\\");
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return entries;
}

int Generate(const std::string& root)
{
    GenerationOutcome outcome = GenerateSitemaps(root, "http://www.example.com/site", true);
    if (!outcome.refusal.empty() || !outcome.failures.empty()) {
        std::fprintf(stderr, "generation failed: %s\n", OutcomeMessage(outcome, true).c_str());
        std::exit(1);
    }
    return outcome.pageCount;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

int TimePairs(const std::string& root, int pairs)
{
    int pages = Generate(root);  // warms the file cache for both
    size_t entries = BareListing(root);
    std::printf("site: %d pages, %zu entries listed\n", pages, entries);
    std::vector<double> generations, listings, ratios;
    for (int pair = 1; pair <= pairs; ++pair) {
        double generation = 0, listing = 0;
        auto generate = [&] { generation = Seconds([&] { Generate(root); }); };
        auto list = [&] { listing = Seconds([&] { BareListing(root); }); };
        // Alternating which goes first, so neither always meets a cache the other warmed.
        if (pair % 2) { generate(); list(); } else { list(); generate(); }
        generations.push_back(generation);
        listings.push_back(listing);
        ratios.push_back(generation / listing);
        std::printf("pair %2d: generation %.3f s, listing %.3f s, ratio %.2f\n", pair, generation, listing,
                    generation / listing);
    }
    std::printf("median: generation %.3f s, listing %.3f s, %.0f pages per second\n", Median(generations),
                Median(listings), pages / Median(generations));
    std::printf("median ratio generation/listing: %.2f\n", Median(ratios));
    return 0;
}

double MiB(SIZE_T bytes) { return bytes / 1048576.0; }

int MeasureMemory(const std::string& root)
{
    PROCESS_MEMORY_COUNTERS before = {}, after = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
    int pages = Generate(root);
    GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
    std::printf("memory at %d pages: %.1f MiB held before the run, peak %.1f MiB during it (+%.1f MiB)\n", pages,
                MiB(before.WorkingSetSize), MiB(after.PeakWorkingSetSize),
                MiB(after.PeakWorkingSetSize - std::min(after.PeakWorkingSetSize, before.WorkingSetSize)));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "memory") == 0)
        return MeasureMemory(std::string(argv[2]) + "\\");
    if (argc >= 4 && std::strcmp(argv[1], "pairs") == 0)
        return TimePairs(std::string(argv[2]) + "\\", std::atoi(argv[3]));
    std::fprintf(stderr, "usage: sitemap_bench pairs FOLDER N | memory FOLDER\n");
    return 2;
}
