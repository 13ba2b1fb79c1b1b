#pragma once
// The state of the download filter while it runs: started or not, and whether a pass is under
// way. A pass yields to the window before each file, so a tick, a stop or a start can arrive in
// the middle of one; passes never nest: a tick that finds one under way is skipped (the next
// tick comes soon), a start asks for its first pass to run right after the one under way. A stop
// ends the pass under way before its next file and drops a pass asked for meanwhile.

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <utility>

namespace morvane {

class FilterRun {
public:
    bool running() const { return running_; }
    void start() { running_ = true; }
    void stop() {
        running_ = false;
        passAsked_ = false;
        ++stops_;
    }
    // Changes with every stop: a pass that sees it change while it yields has been stopped.
    std::uint64_t stops() const { return stops_; }

    // True when the caller may run a pass now. Otherwise one is under way; with queue set, its
    // end runs another.
    bool beginPass(bool queue) {
        if (inPass_) {
            passAsked_ = passAsked_ || queue;
            return false;
        }
        inPass_ = true;
        return true;
    }
    // Ends the pass; true when another was asked for meanwhile and the caller should run it
    // now (the pass is then under way again).
    bool endPass() {
        if (passAsked_) {
            passAsked_ = false;
            return true;
        }
        inPass_ = false;
        return false;
    }

    // The failures listed on screen, lower-cased once for a pass instead of once for every
    // file the pass compares with them. They stand for the list's first failuresTaken()
    // lines: the pass takes them afresh at its start and whenever the list's length is not
    // that (START FILTER empties the list, also in the middle of a pass).
    const std::unordered_set<std::string>& failures() const { return failures_; }
    std::size_t failuresTaken() const { return failuresTaken_; }
    void takeFailures(std::unordered_set<std::string> failures, std::size_t lines) {
        failures_ = std::move(failures);
        failuresTaken_ = lines;
    }
    // A failure just added to the list, lower-cased.
    void addFailure(const std::string& name) {
        failures_.insert(name);
        ++failuresTaken_;
    }

private:
    std::unordered_set<std::string> failures_;
    std::size_t failuresTaken_ = 0;
    bool running_ = false;
    bool inPass_ = false;
    bool passAsked_ = false;
    std::uint64_t stops_ = 0;
};

} // namespace morvane
