#include "cli/progress_display.h"

#include <algorithm>

namespace q9tx::cli {
namespace {

constexpr int kBarWidth = 32;

}  // namespace

ProgressDisplay::ProgressDisplay(std::FILE* out, bool terminal) : out_(out), terminal_(terminal) {}

void ProgressDisplay::Action(const std::string& text)
{
    if (text == action_)
        return;
    action_ = text;
    if (terminal_) {
        Draw();
    } else {
        std::fprintf(out_, "q9tx: %s\n", text.c_str());
        std::fflush(out_);
    }
}

void ProgressDisplay::Advance(int step)
{
    percent_ = std::clamp(percent_ + step, 0, 100);
    if (terminal_)
        Draw();
}

void ProgressDisplay::Restart()
{
    percent_ = 0;
    action_.clear();
}

void ProgressDisplay::Message(const std::string& line)
{
    Clear();
    std::fprintf(out_, "q9tx: %s\n", line.c_str());
    std::fflush(out_);
    percent_ = 0;
    action_.clear();
}

void ProgressDisplay::Draw()
{
    const int filled = percent_ * kBarWidth / 100;
    std::fprintf(out_, "\r\033[K%-14s [%s%s] %3d%%", action_.c_str(), std::string(std::size_t(filled), '#').c_str(),
                 std::string(std::size_t(kBarWidth - filled), ' ').c_str(), percent_);
    std::fflush(out_);
    drawn_ = true;
}

void ProgressDisplay::Clear()
{
    if (drawn_)
        std::fputs("\r\033[K", out_);
    drawn_ = false;
}

}  // namespace q9tx::cli
