// pager-sim: a simulated Q9TX pager on a pseudo-terminal. Prints the device path to
// give to `q9tx-programmer --port` and answers until it is interrupted.

#include <csignal>
#include <cstdio>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "simulated_pager.h"

namespace {

const char kUsage[] =
    "usage: pager-sim [--paced] [--image FILE] [--info TEXT] [--fleet N [--on SECONDS] [--off SECONDS]]\n"
    "  --paced         send at the real 4800 baud (about 2.08 ms a byte)\n"
    "  --image FILE    start with this 512-byte configuration image\n"
    "  --info TEXT     the pager's information text\n"
    "  --fleet N       N factory pagers one after another, serial numbers 00000001 on: each is\n"
    "                  taken off the cable after its write's verdict, and the next connected\n"
    "  --on SECONDS    how long a pager stays connected after its verdict (default 0.5)\n"
    "  --off SECONDS   how long the cable stays empty between two pagers (default 1)\n";

bool LoadImage(const char* path, q9tx::sim::ImageBytes& image)
{
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file || bytes.size() != image.size()) {
        return false;
    }
    std::memcpy(image.data(), bytes.data(), image.size());
    return true;
}

// A duration of 0 to 3600 seconds.
bool TakeSeconds(const char* text, std::chrono::milliseconds& time)
{
    char* end = nullptr;
    const double seconds = std::strtod(text, &end);
    if (end == text || *end != 0 || !(seconds >= 0 && seconds <= 3600)) {
        return false;
    }
    time = std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    q9tx::sim::SimulatedPager pager;
    unsigned long fleet = 0;
    std::chrono::milliseconds onTime{500};
    std::chrono::milliseconds offTime{1000};
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--paced") {
            pager.setPaced(true);
        } else if (option == "--image" && hasValue) {
            q9tx::sim::ImageBytes image{};
            if (!LoadImage(argv[++i], image)) {
                std::fprintf(stderr, "pager-sim: %s is not a readable 512-byte image\n", argv[i]);
                return 2;
            }
            pager.setImage(image);
        } else if (option == "--info" && hasValue) {
            pager.setInformationText(argv[++i]);
        } else if (option == "--fleet" && hasValue) {
            char* end = nullptr;
            fleet = std::strtoul(argv[++i], &end, 10);
            if (*end != 0 || fleet == 0 || fleet > 99999999) {
                std::fprintf(stderr, "pager-sim: --fleet needs a number of pagers, not %s\n", argv[i]);
                return 2;
            }
        } else if ((option == "--on" || option == "--off") && hasValue) {
            if (!TakeSeconds(argv[++i], option == "--on" ? onTime : offTime)) {
                std::fprintf(stderr, "pager-sim: %s needs seconds from 0 to 3600, not %s\n", option.c_str(), argv[i]);
                return 2;
            }
        } else {
            std::fputs(kUsage, option == "--help" ? stdout : stderr);
            return option == "--help" ? 0 : 2;
        }
    }

    // Signals are taken synchronously below; block them before the pager's thread starts
    // so that it inherits the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    if (fleet > 0) {
        pager.serveFleet(static_cast<unsigned>(fleet), 1, onTime, offTime);
    }
    if (!pager.start()) {
        std::fprintf(stderr, "pager-sim: %s\n", pager.error().c_str());
        return 1;
    }
    std::printf("%s\n", pager.slavePath().c_str());
    std::fflush(stdout);
    int signal = 0;
    sigwait(&stopSignals, &signal);
    pager.unplug();
    return 0;
}
