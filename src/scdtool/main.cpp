// scdtool: the schedule-file companion of Airvane, on the same code as the
// scheduler.
//   scdtool check FILE        what the scheduler would not take, or take differently
//   scdtool convert IN OUT    IN written as OUT (INI form when OUT ends in .INI)
//   scdtool plan --config INI --date YYYY-MM-DD [--from HH:MM:SS] [--to HH:MM:SS]
//                             what the scheduler would do on that day, second by second
#include <cstdio>
#include <string>
#include <vector>

#include "model/memory_tree.h"
#include "player/playlist_file.h"
#include "scheduler/plan.h"
#include "storage/filesystem.h"
#include "storage/schedule_file.h"

namespace airvane {
namespace {

constexpr int kClean = 0;
constexpr int kProblems = 1;
constexpr int kFailed = 2;

int usage() {
    std::fputs("usage: scdtool check FILE\n"
               "       scdtool convert IN OUT\n"
               "       scdtool plan --config INI --date YYYY-MM-DD [--from HH:MM:SS] [--to HH:MM:SS]\n",
               stderr);
    return kFailed;
}

// Schedules whose title cannot name their playlist file never go on air.
void checkTitles(const MemoryTree& tree, std::vector<ScheduleProblem>& problems) {
    const NodeItem root = tree.rootNode();
    int n = 0;
    for (NodeItem item = root ? tree.firstChildNode(root) : kNoNode; item != kNoNode; item = tree.nextNode(item)) {
        const ScheduleNode* schedule = tree.nodeRecord(item);
        ++n;
        if (schedule && !namesPlaylistFile(schedule->text)) {
            problems.push_back({"schedule " + std::to_string(n),
                                "title '" + schedule->text + "' cannot name a playlist file; it never goes on air"});
        }
    }
}

// Prints what a load of path met; the outcome of that load.
LoadOutcome readReported(MemoryTree& tree, const std::string& path, std::vector<ScheduleProblem>& problems) {
    LoadOutcome outcome = loadScheduleFile(tree, path, nullptr, &problems);
    if (outcome == LoadOutcome::Loaded) checkTitles(tree, problems);
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

int plan(const std::vector<std::string>& args) {
    PlanRequest request;
    bool haveDate = false;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) return usage();
        const std::string& name = args[i];
        const std::string& value = args[i + 1];
        bool ok = true;
        if (name == "--config") request.configPath = value;
        else if (name == "--date") ok = haveDate = parsePlanDate(value, request);
        else if (name == "--from") ok = parsePlanTime(value, request.from);
        else if (name == "--to") ok = parsePlanTime(value, request.to);
        else return usage();
        if (!ok) {
            std::fprintf(stderr, "scdtool: %s %s is no date or time (YYYY-MM-DD, HH:MM:SS)\n", name.c_str(),
                         value.c_str());
            return kFailed;
        }
    }
    if (request.configPath.empty() || !haveDate) return usage();
    if (pathKind(request.configPath) != 1) {
        std::fprintf(stderr, "scdtool: %s cannot be read\n", request.configPath.c_str());
        return kFailed;
    }
    const PlanResult result = runPlan(request);
    std::fputs(result.actions.c_str(), stdout);
    std::fputs(result.problems.c_str(), stderr);
    return kClean;
}

}  // namespace
}  // namespace airvane

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "check") return airvane::check(args[1]);
    if (args.size() == 3 && args[0] == "convert") return airvane::convert(args[1], args[2]);
    if (!args.empty() && args[0] == "plan") return airvane::plan(args);
    return airvane::usage();
}
