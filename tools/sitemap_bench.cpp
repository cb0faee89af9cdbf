// Times the generation (walk, both texts, both files replaced) against a
// bare breadth-first listing of the same tree, in one process.
#include "sitemap/generation_run.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <string>

namespace {

double Seconds(LARGE_INTEGER start, LARGE_INTEGER end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

template <typename Work>
double TimeOnce(Work work)
{
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

size_t BareListing(const std::string& root)
{
    size_t entries = 0;
    std::deque<std::string> queue{root};
    while (!queue.empty()) {
        std::string folder = queue.front();
        queue.pop_front();
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "*.*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            ++entries;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                queue.push_back(folder + name + "\\");
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return entries;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: sitemap_bench FOLDER\n");
        return 2;
    }
    std::string root = std::string(argv[1]) + "\\";
    const int rounds = 5;
    double generation = 1e9, listing = 1e9;
    int pages = 0;
    size_t entries = 0;
    for (int round = 0; round < rounds; ++round) {
        listing = std::min(listing, TimeOnce([&] { entries = BareListing(root); }));
        generation = std::min(generation, TimeOnce([&] {
            GenerationOutcome outcome = GenerateSitemaps(root, "http://www.example.com/site", true);
            pages = outcome.pageCount;
            if (!outcome.failures.empty() || !outcome.refusal.empty())
                std::fprintf(stderr, "generation failed\n");
        }));
    }
    PROCESS_MEMORY_COUNTERS memory = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("pages:              %d (of %zu entries listed)\n", pages, entries);
    std::printf("generation:         %.3f s (best of %d)\n", generation, rounds);
    std::printf("pages per second:   %.0f\n", pages / generation);
    std::printf("bare listing:       %.3f s (best of %d)\n", listing, rounds);
    std::printf("ratio gen/listing:  %.2f (target at most 1.5)\n", generation / listing);
    std::printf("peak memory:        %.1f MiB\n", memory.PeakWorkingSetSize / 1048576.0);
    return 0;
}
