#pragma once
// Progress on stderr: on a terminal one line with the action and a bar redrawn in place;
// otherwise (a log, a pipe) a plain line for each new action and nothing in between.
// Every line starts with "q9tx: ", as the tool's other messages do.

#include <cstdio>
#include <string>

namespace q9tx::cli {

class ProgressDisplay {
public:
    ProgressDisplay(std::FILE* out, bool terminal);

    // The action under way ("Reading..."); the bar goes on until the next Message.
    void Action(const std::string& text);
    void Advance(int step);
    // A new transfer: the bar starts again at 0.
    void Restart();
    // A line of its own, after the bar is cleared.
    void Message(const std::string& line);

private:
    void Draw();
    void Clear();

    std::FILE* out_;
    bool terminal_;
    std::string action_;
    int percent_ = 0;
    bool drawn_ = false;
};

}  // namespace q9tx::cli
