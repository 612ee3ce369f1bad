// scdtool: the schedule-file companion of Airvane, on the same code as the
// scheduler.
//   scdtool check FILE        what the scheduler would not take, or take differently
//   scdtool convert IN OUT    IN written as OUT (INI form when OUT ends in .INI)
#include <cstdio>
#include <string>
#include <vector>

#include "model/memory_tree.h"
#include "storage/schedule_file.h"

namespace airvane {
namespace {

constexpr int kClean = 0;
constexpr int kProblems = 1;
constexpr int kFailed = 2;

int usage() {
    std::fputs("usage: scdtool check FILE\n"
               "       scdtool convert IN OUT\n",
               stderr);
    return kFailed;
}

// Prints what a load of path met; the outcome of that load.
LoadOutcome readReported(MemoryTree& tree, const std::string& path, std::vector<ScheduleProblem>& problems) {
    LoadOutcome outcome = loadScheduleFile(tree, path, nullptr, &problems);
    for (const ScheduleProblem& problem : problems) {
        std::printf("%s: %s: %s\n", path.c_str(), problem.where.c_str(), problem.what.c_str());
    }
    return outcome;
}

int check(const std::string& path) {
    MemoryTree tree;
    std::vector<ScheduleProblem> problems;
    LoadOutcome outcome = readReported(tree, path, problems);
    if (outcome == LoadOutcome::Unreadable) return kFailed;
    return problems.empty() ? kClean : kProblems;
}

int convert(const std::string& in, const std::string& out) {
    MemoryTree tree;
    std::vector<ScheduleProblem> problems;
    LoadOutcome outcome = readReported(tree, in, problems);
    if (outcome != LoadOutcome::Loaded) {
        std::fprintf(stderr, "scdtool: %s is no schedule file that can be read; nothing written\n", in.c_str());
        return kFailed;
    }
    if (!writeScheduleFile(tree, out)) {
        std::fprintf(stderr, "scdtool: %s cannot be written\n", out.c_str());
        return kFailed;
    }
    return kClean;
}

}  // namespace
}  // namespace airvane

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "check") return airvane::check(args[1]);
    if (args.size() == 3 && args[0] == "convert") return airvane::convert(args[1], args[2]);
    return airvane::usage();
}
