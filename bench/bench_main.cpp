// tabulorix-bench: times the steps of one design in one process and prints
// the medians as one JSON object (bench/run turns them into the table).
//
//   tabulorix-bench --snapshot S.sqlite --design D.tlx [--user U]
//                   [--password P] [--runs N] [--png-dir DIR] [--serve]
//
// With --serve it times steps on request instead (see Serve), so that
// bench/run can interleave them with other measurements.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/ui_ports.h"
#include "bench/bench_steps.h"
#include "bench/request_loop.h"
#include "diagram/draw_table_list.h"
#include "platform/allocator_tuning.h"
#include "platform/gui_application.h"
#include "session/box_finder.h"
#include "session/headless_document.h"

namespace {

struct Options {
    std::string snapshot;
    std::string design;
    std::string user = "APP01";
    std::string password = "bench";
    std::string pngDir;
    int runs = 5;
    bool serve = false;
};

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--serve") {
            options.serve = true;
            continue;
        }
        if (i + 1 >= argc) throw std::invalid_argument("option " + name + " wants a value");
        const std::string value = argv[++i];
        if (name == "--snapshot")
            options.snapshot = value;
        else if (name == "--design")
            options.design = value;
        else if (name == "--user")
            options.user = value;
        else if (name == "--password")
            options.password = value;
        else if (name == "--png-dir")
            options.pngDir = value;
        else if (name == "--runs")
            options.runs = std::max(1, std::stoi(value));
        else
            throw std::invalid_argument("unknown option " + name);
    }
    if (options.snapshot.empty() || options.design.empty())
        throw std::invalid_argument("--snapshot and --design are required");
    return options;
}

// Runs the step `runs` times and returns the median wall time in seconds;
// the step's count must be the same, and not 0, every time. `prepare` runs
// before each step, outside the time.
double Median(const char* what, int runs, const std::function<std::size_t()>& step,
              std::size_t* count = nullptr, const std::function<void()>& prepare = {}) {
    std::vector<double> seconds;
    std::size_t first = 0;
    for (int r = 0; r < runs; ++r) {
        if (prepare) prepare();
        const auto start = std::chrono::steady_clock::now();
        const std::size_t produced = step();
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (produced == 0) throw std::runtime_error(std::string(what) + " produced nothing");
        if (r == 0) first = produced;
        if (produced != first) throw std::runtime_error(std::string(what) + " differs between runs");
    }
    if (count != nullptr) *count = first;
    std::sort(seconds.begin(), seconds.end());
    const std::size_t n = seconds.size();
    return n % 2 == 1 ? seconds[n / 2] : (seconds[n / 2 - 1] + seconds[n / 2]) / 2;
}

std::string Png(const Options& options, const char* name) {
    return options.pngDir.empty() ? std::string() : options.pngDir + "/" + name;
}

int Run(const Options& options) {
    tabulorix::EnsureGuiApplication();
    tabulorix::HeadlessDocument window;
    std::map<std::string, double> values;

    const std::vector<std::string> owners = tabulorix::bench::DesignOwners(options.design);
    if (owners.empty()) throw std::runtime_error(options.design + " holds no schema");
    std::size_t rows = 0;
    values["query_floor"] = Median(
        "query floor", options.runs,
        [&] {
            return tabulorix::bench::RunQueryFloor(options.snapshot, options.user, options.password, owners);
        },
        &rows);
    values["query_rows"] = static_cast<double>(rows);

    std::size_t boxes = 0;
    values["load"] = Median(
        "load", options.runs, [&] { return tabulorix::bench::LoadDesign(window, options.design); }, &boxes,
        [&] { tabulorix::bench::CloseDesign(window); });
    values["boxes"] = static_cast<double>(boxes);
    values["columns"] = static_cast<double>(tabulorix::bench::ColumnRowCount());
    values["owners"] = static_cast<double>(owners.size());

    std::size_t listed = 0;
    values["catalogue"] = Median(
        "catalogue", options.runs, [&] { return tabulorix::bench::ShowCatalogue(window); }, &listed);
    values["catalogue_rows"] = static_cast<double>(listed);

    const tabulorix::bench::ViewCentre centre = tabulorix::bench::MiddleOfDiagram();
    for (const int zoom : {100, 25}) {
        const std::string key = "paint" + std::to_string(zoom);
        // One paint first: the glyph caches are warm in an interactive view.
        const auto ink = tabulorix::bench::PaintView(window, centre, 1920, 1080, zoom, true,
                                                     Png(options, (key + ".png").c_str()));
        values[key + "_ink"] = static_cast<double>(ink.inkPixels);
        values[key] = Median(key.c_str(), options.runs * 2, [&] {
            tabulorix::bench::PaintView(window, centre, 1920, 1080, zoom, false, std::string());
            return std::size_t{1};
        });
    }
    std::size_t bytes = 0;
    values["script"] = Median(
        "script", options.runs, [&] { return tabulorix::bench::GenerateCreationScript(window); }, &bytes);
    values["script_bytes"] = static_cast<double>(bytes);
    values["csv"] = Median(
        "csv", options.runs, [&] { return tabulorix::bench::GenerateCsvLists(window); }, &bytes);
    values["csv_bytes"] = static_cast<double>(bytes);
    // The find box: one keystroke's search, the worst case being a text
    // that no name or column holds (every box and column is read).
    values["find"] = Median("find", options.runs * 4, [&] {
        std::size_t found = 0;
        for (const char* text : {"1", "12", "123", "NO SUCH NAME"})
            found += tabulorix::FindBoxes(*tabulorix::MGDrawTableList::Current(), text).size();
        return found + 1;
    }) / 4;
    {
        const std::string copy = options.design + ".recovery.tlx";
        std::vector<double> lines;
        std::vector<double> writes;
        for (int i = 0; i < options.runs; ++i) {
            const auto times = tabulorix::bench::WriteRecoveryCopy(window, copy);
            lines.push_back(times.lines);
            writes.push_back(times.write);
        }
        std::remove(copy.c_str());
        std::sort(lines.begin(), lines.end());
        std::sort(writes.begin(), writes.end());
        values["recovery_lines"] = lines[lines.size() / 2];
        values["recovery_write"] = writes[writes.size() / 2];
    }

    std::printf("{");
    const char* separator = "";
    for (const auto& [key, value] : values) {
        std::printf("%s\"%s\": %.6g", separator, key.c_str(), value);
        separator = ", ";
    }
    std::printf("}\n");
    return 0;
}

// Answers requests read from standard input, one per line, with one number
// per line: "load" loads the design afresh (the previous one is closed
// outside the time) and answers the seconds it took; "paint Z N" paints the
// middle view at zoom Z N times after one untimed paint and answers the
// median seconds; "catalogue" builds the tree and shows the largest
// schema's table list once and answers its seconds; "floor" runs the query
// floor for the design's owners once and answers its seconds. Ends at the
// end of the input.
int Serve(const Options& options) {
    tabulorix::EnsureGuiApplication();
    tabulorix::HeadlessDocument window;
    std::optional<tabulorix::bench::ViewCentre> centre;
    std::vector<std::string> owners;
    return tabulorix::bench::AnswerRequests([&](const std::string& line) {
        std::istringstream request(line);
        std::string verb;
        request >> verb;
        double seconds = 0;
        if (verb == "floor") {
            if (owners.empty()) owners = tabulorix::bench::DesignOwners(options.design);
            seconds = Median("query floor", 1, [&] {
                return tabulorix::bench::RunQueryFloor(options.snapshot, options.user, options.password,
                                                       owners);
            });
        } else if (verb == "load") {
            seconds = Median(
                "load", 1, [&] { return tabulorix::bench::LoadDesign(window, options.design); }, nullptr,
                [&] { tabulorix::bench::CloseDesign(window); });
            centre = tabulorix::bench::MiddleOfDiagram();
        } else if (verb == "catalogue" && centre) {
            seconds = Median("catalogue", 1, [&] { return tabulorix::bench::ShowCatalogue(window); });
        } else if (verb == "paint" && centre) {
            int zoom = 100;
            int count = 1;
            request >> zoom >> count;
            tabulorix::bench::PaintView(window, *centre, 1920, 1080, zoom, false, std::string());
            seconds = Median("paint", std::max(count, 1), [&] {
                tabulorix::bench::PaintView(window, *centre, 1920, 1080, zoom, false, std::string());
                return std::size_t{1};
            });
        } else {
            throw std::invalid_argument("cannot answer \"" + line + "\" (a paint wants a load first)");
        }
        return seconds;
    });
}

}  // namespace

int main(int argc, char** argv) {
    tabulorix::TuneAllocator();
    try {
        const Options options = ParseOptions(argc, argv);
        return options.serve ? Serve(options) : Run(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tabulorix-bench: %s\n", error.what());
        return 1;
    }
}
