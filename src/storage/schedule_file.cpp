#include "storage/schedule_file.h"

#include <cstdio>
#include <memory>

#include "model/node_label.h"
#include "storage/config_file.h"
#include "storage/file_io.h"
#include "storage/filesystem.h"
#include "storage/number_scan.h"
#include "storage/text.h"

namespace airvane {

namespace {

constexpr const char* kScheduleFormat = "%d %d:%d:%d %d:%d:%d %d/%d/%d %d";

// One entry after the other, from either form.
class EntrySource {
public:
    virtual ~EntrySource() = default;
    // False when there are no more entries.
    virtual bool next(std::string& entry) = 0;
    virtual std::string where() const = 0;
};

class LineEntries final : public EntrySource {
public:
    explicit LineEntries(std::unique_ptr<LineReader> reader) : reader_(std::move(reader)) {}
    bool next(std::string& entry) override {
        while (readLine(*reader_, entry, kEntryMax + 1)) {
            ++line_;
            if (!entry.empty()) return true;  // empty lines are skipped
        }
        return false;
    }
    std::string where() const override { return "line " + std::to_string(line_); }
    void skipMagic() { ++line_; }
    LineReader& reader() { return *reader_; }

private:
    std::unique_ptr<LineReader> reader_;
    int line_ = 0;
};

class IniEntries final : public EntrySource {
public:
    explicit IniEntries(IniDocument doc) : doc_(std::move(doc)) {}
    bool next(std::string& entry) override {
        entry = profileString(doc_, kScheduleSection, std::to_string(key_), "", kEntryMax + 1);
        if (entry.empty()) return false;  // the terminator, or the end
        ++key_;
        return true;
    }
    std::string where() const override { return "key " + std::to_string(key_ - 1); }

private:
    IniDocument doc_;
    int key_ = 0;
};

class EntryReader {
public:
    EntryReader(ScheduleTree& tree, EntrySource& source, std::vector<ScheduleProblem>* problems)
        : tree_(tree), source_(source), problems_(problems) {}

    // Reads the entries of depth under parent; true when the level was
    // closed by "}", false when the entries ended.
    bool readLevel(int depth, NodeItem parent) {
        NodeItem lastMade = kNoNode;
        std::string entry;
        while (source_.next(entry)) {
            if (entry.size() > kPathMax) {
                report("an entry of " + std::to_string(entry.size()) +
                       " characters: kept whole, but a title or path longer than 259 cannot be played");
            }
            if (entry == "}") {
                if (depth == 1) report("\"}\" closes no Schedule: the rest of the file is not read");
                return true;
            }
            if (entry == "{") {
                if (!readBlock(depth, parent, lastMade)) return false;
                continue;
            }
            lastMade = makeNode(depth, parent, entry);
        }
        return false;
    }

private:
    // A "{": the entries of the next depth under the item made last.
    bool readBlock(int depth, NodeItem parent, NodeItem lastMade) {
        if (lastMade == kNoNode) {
            // Nothing to hang them on: they would land beside the Root.
            report("\"{\" follows no entry: the entries up to its \"}\" are not read");
            return skipBlock();
        }
        if (depth >= kFile) {
            // Only Schedules hold Files: deeper entries join the Schedule's
            // Files after the one they followed, so nothing is lost.
            report("entries nested below a File: read as Files of the Schedule");
            return readLevel(kFile, parent);
        }
        return readLevel(depth + 1, lastMade);
    }

    bool skipBlock() {
        int open = 1;
        std::string entry;
        while (source_.next(entry)) {
            if (entry == "{") ++open;
            if (entry == "}" && --open == 0) return true;
        }
        return false;
    }

    NodeItem makeNode(int depth, NodeItem parent, std::string entry) {
        ScheduleNode node;
        node.kind = depth;
        std::optional<std::string> text = splitAt(entry, '|');
        node.text = text.value_or(std::string());
        if (depth == kSchedule) {
            int32_t sh = 0, sm = 0, ss = 0, eh = 0, em = 0, es = 0;
            bool scanned = scanText(entry, kScheduleFormat,
                                    {&node.weekdays, &sh, &sm, &ss, &eh, &em, &es, &node.year, &node.month,
                                     &node.day, &node.options});
            if (!scanned) report("the numbers of the Schedule \"" + node.text + "\" do not scan in full");
            node.startSec = toDaySeconds(sh, sm, ss);
            node.endSec = toDaySeconds(eh, em, es);
        }
        ScheduleNode* record = tree_.records().create(std::move(node));
        NodeItem item = tree_.insertNode(parent, InsertPlace::Last, "", record);
        if (item == kNoNode) {
            tree_.records().free(record);
            return kNoNode;
        }
        tree_.setNodeImages(item, depth);
        relabel(tree_, item, *record);
        return item;
    }

    void report(std::string what) {
        if (problems_) problems_->push_back({source_.where(), std::move(what)});
    }

    ScheduleTree& tree_;
    EntrySource& source_;
    std::vector<ScheduleProblem>* problems_;
};

NodeItem insertRoot(ScheduleTree& tree) {
    ScheduleNode* record = tree.records().create();
    NodeItem root = tree.insertNode(kNoNode, InsertPlace::Last, kRootText, record);
    if (root == kNoNode) {
        tree.records().free(record);
        return kNoNode;
    }
    tree.setNodeImages(root, kRoot);
    return root;
}

std::string scheduleEntry(const ScheduleNode& record) {
    std::string entry;
    if (record.kind == kSchedule) {
        TimeOfDay start = splitDaySeconds(record.startSec);
        TimeOfDay end = splitDaySeconds(record.endSec);
        char numbers[160];
        std::snprintf(numbers, sizeof numbers, kScheduleFormat, record.weekdays, start.hour, start.minute,
                      start.second, end.hour, end.minute, end.second, record.year, record.month, record.day,
                      record.options);
        entry = numbers;
    }
    return entry + "|" + record.text;
}

void appendEntries(const ScheduleTree& tree, NodeItem first, std::vector<std::string>& entries) {
    for (NodeItem item = first; item != kNoNode; item = tree.nextNode(item)) {
        const ScheduleNode* record = tree.nodeRecord(item);
        if (!record) continue;
        entries.push_back(scheduleEntry(*record));
        if (NodeItem child = tree.firstChildNode(item)) {
            entries.push_back("{");
            appendEntries(tree, child, entries);
            entries.push_back("}");
        }
    }
}

}  // namespace

bool isIniForm(const std::string& path) { return equalsIgnoringCase(extensionPart(path), "INI"); }

std::string jobFilePath(const ConfigFile& config) {
    std::string path = config.readProfileTextSized("Config", "JobFile", kPathMax + 1);
    return path.empty() ? config.path() : path;
}

LoadOutcome loadScheduleFile(ScheduleTree& tree, const std::string& path, MessageSink* owner,
                             std::vector<ScheduleProblem>* problems) {
    NodeItem root = insertRoot(tree);
    // Both forms may hold the INI form: look for its magic first.
    IniDocument doc(readWholeFile(path).value_or(std::string()));
    const std::string iniMagic = profileString(doc, kScheduleSection, "-1", "", kPathMax + 1);

    std::unique_ptr<EntrySource> source;
    if (iniMagic == kScheduleMagic || (iniMagic.empty() && isIniForm(path))) {
        source = std::make_unique<IniEntries>(std::move(doc));
    } else if (isIniForm(path)) {
        if (owner) owner->showMessage(kUnknownScheduleMessage, kMsgOk);
        if (problems) problems->push_back({"key -1", "unknown magic \"" + iniMagic + "\""});
        return LoadOutcome::UnknownMagic;
    } else {
        std::unique_ptr<LineReader> reader = openLineReader(path, owner);
        if (!reader) {
            if (problems) problems->push_back({"file", "cannot be opened"});
            return LoadOutcome::Unreadable;
        }
        std::string magic;
        readLine(*reader, magic, kPathMax + 1);
        if (magic != kScheduleMagic) {
            if (owner) owner->showMessage(kUnknownScheduleMessage, kMsgOk);
            if (problems) problems->push_back({"line 1", "unknown magic \"" + magic + "\""});
            return LoadOutcome::UnknownMagic;
        }
        auto lines = std::make_unique<LineEntries>(std::move(reader));
        lines->skipMagic();
        source = std::move(lines);
    }
    if (root != kNoNode) {
        EntryReader(tree, *source, problems).readLevel(kSchedule, root);
        tree.expandNode(root);
    }
    return LoadOutcome::Loaded;
}

LoadOutcome loadSchedule(ScheduleTree& tree, const ConfigFile& config, MessageSink* owner) {
    return loadScheduleFile(tree, jobFilePath(config), owner);
}

LoadOutcome replaceTree(ScheduleTree& tree, const std::string& path, MessageSink* owner) {
    tree.freeNodeRecords(kNoNode);
    tree.deleteNode(tree.rootNode());
    return loadScheduleFile(tree, path, owner);
}

std::vector<std::string> scheduleEntries(const ScheduleTree& tree) {
    std::vector<std::string> entries{kScheduleMagic};
    NodeItem root = tree.rootNode();
    if (root != kNoNode) appendEntries(tree, tree.firstChildNode(root), entries);
    entries.emplace_back();
    return entries;
}

bool writeScheduleFile(const ScheduleTree& tree, const std::string& path) {
    const std::vector<std::string> entries = scheduleEntries(tree);
    if (isIniForm(path)) {
        // Keys "-1" (the magic), "0", "1", ... in one read-modify-write.
        std::vector<IniEntry> keys;
        keys.reserve(entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            keys.push_back({std::to_string(static_cast<long>(i) - 1), entries[i]});
        }
        return ConfigFile(path).writeProfileSection(kScheduleSection, keys);
    }
    std::string bytes;
    for (const std::string& entry : entries) {
        // A Ctrl-Z ends the file for the line reader: written in this form,
        // it would lose every entry after it. The save is refused and the
        // old file kept; the INI form can hold it.
        if (entry.find('\x1a') != std::string::npos) return false;
        bytes += entry + "\r\n";
    }
    return writeFileAtomically(path, bytes);
}

bool saveSchedule(const ScheduleTree& tree, const ConfigFile& config, bool& scheduleDirty) {
    if (!writeScheduleFile(tree, jobFilePath(config))) return false;
    scheduleDirty = false;
    return true;
}

}  // namespace airvane
