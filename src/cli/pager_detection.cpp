#include "cli/pager_detection.h"

#include <cstdio>
#include <memory>

#include <QEventLoop>
#include <QTimer>

#include "cli/identification_text.h"
#include "cli/image_facts.h"
#include "cli/pager_host.h"
#include "cli/result_json.h"
#include "cli/run_options.h"
#include "cli/status_messages.h"
#include "image/config_image.h"
#include "image/printable_text.h"
#include "image/status_texts.h"
#include "link/adapter_discovery.h"
#include "link/frame.h"
#include "link/port_problem_text.h"
#include "link/posix/device_group.h"

namespace q9tx::cli {
namespace {

constexpr std::chrono::milliseconds kDefaultWait{3000};
// After a pager answered, each question has the link's 2 s; this bounds them all.
constexpr std::chrono::milliseconds kQuestionsLimit{10000};
// The block that holds the serial number, and where the number's block starts.
constexpr std::uint8_t kSerialBlock = kSerialNumberRegion.offset / kBlockSize;

// A MessageSink for the discovery's start, which sets nothing up without one.
class NoSink final : public MessageSink {
public:
    void postMessage(const WindowMessage&) override {}
};

// One port and what its pager said.
struct PortProbe {
    enum class Stage { Polling, Information, Header, SerialBlock, Done };

    std::string port;
    std::unique_ptr<PagerHost> host;
    Stage stage = Stage::Polling;
    std::uint32_t identification = 0;  // the link's code 3, 4 or 5; 0 while none answered
    std::string firmware;
    std::string information;
    std::string serialNumber;
    std::string problem;  // why the port could not be opened
    ConfigImage image{};

    bool answered() const { return identification != 0; }

    void Request(std::uint8_t command, Stage next)
    {
        stage = next;
        host->link().SendFrame(command, nullptr, 0);
    }

    void CopyBlock(const WindowMessage& block, std::size_t number)
    {
        for (std::size_t i = 0; i < kBlockSize && i < block.payloadLength(); ++i)
            image[number * kBlockSize + i] = block.payload(i);
    }

    void Handle(const WindowMessage& message)
    {
        if (message.message == WM_PAGER_PORT_PROBLEM) {
            const std::string name = PayloadText(message);
            problem = PortProblemText(static_cast<OpenFailure>(message.code), name, DeviceGroupName(name));
            return;
        }
        const bool link = message.message == WM_PAGER_LINK;
        if (link && message.code == LinkPagerLost && answered()) {
            stage = Stage::Done;
            return;
        }
        switch (stage) {
        case Stage::Polling:
            if (!link || message.code < LinkPagerSupported || message.code > LinkPagerUnsupported)
                return;
            identification = message.code;
            firmware = FirmwareText(message);
            // As the window does, the information text is asked of a full identification.
            if (message.payloadLength() >= kIdentificationLength && message.code != LinkPagerUnsupported)
                Request(CmdInformationText, Stage::Information);
            else
                stage = Stage::Done;
            break;
        case Stage::Information:
            if (!link || message.code != LinkInformationText)
                return;
            information = PayloadText(message);
            // Another map version may keep the serial number elsewhere.
            if (identification == LinkPagerSupported)
                Request(CmdReadBlock, Stage::Header);
            else
                stage = Stage::Done;
            break;
        case Stage::Header:
            if (message.message != WM_PAGER_BLOCK || message.code != 1)
                return;
            CopyBlock(message, 0);
            Request(static_cast<std::uint8_t>(CmdReadBlock + kSerialBlock), Stage::SerialBlock);
            break;
        case Stage::SerialBlock:
            if (message.message != WM_PAGER_BLOCK || message.code != kSerialBlock + 1u)
                return;
            CopyBlock(message, kSerialBlock);
            serialNumber = FactsOf(image).serialNumber;
            stage = Stage::Done;
            break;
        case Stage::Done:
            break;
        }
    }

    std::string Outcome() const
    {
        if (!answered())
            return problem.empty() ? "No pager answered." : problem;
        switch (identification) {
        case LinkPagerSupported:
            return StatusMessage(StatusPagerConnected);
        case LinkMapVersionTooNew:
            return StatusMessage(StatusFirmwareTooNew);
        default:
            return StatusMessage(StatusPagerUnsupported);
        }
    }

    std::string Line() const
    {
        std::string line = PrintableText(port) + ": " + Outcome();
        if (!firmware.empty())
            line += " Firmware " + firmware + ".";
        if (!serialNumber.empty())
            line += " Serial number " + PrintableLatin1(serialNumber) + ".";
        if (!information.empty())
            line += " Information: " + PrintableLatin1(information);
        return line;
    }

    std::string Json() const
    {
        QJsonObject object{
            {QStringLiteral("port"), QString::fromStdString(port)},
            {QStringLiteral("answered"), answered()},
            {QStringLiteral("firmware"), QString::fromStdString(firmware)},
            {QStringLiteral("information"), QString::fromLatin1(information.data(), qsizetype(information.size()))},
            {QStringLiteral("serialNumber"), QString::fromLatin1(serialNumber.data(), qsizetype(serialNumber.size()))},
            {QStringLiteral("outcome"), QString::fromStdString(Outcome())},
        };
        return JsonLine(object);
    }
};

std::vector<std::string> PortsToProbe(const std::vector<std::string>& named)
{
    AdapterDiscovery discovery("/sys", named);
    NoSink sink;
    discovery.StartPortDiscovery(&sink);
    std::vector<std::string> ports;
    for (unsigned index = 0; index != PortDiscovery::kNoMorePorts;) {
        std::string name;
        index = discovery.GetAdapterPort(&name, index);
        if (!name.empty())
            ports.push_back(name);
    }
    return ports;
}

}  // namespace

int RunDetect(const ParsedOptions& options)
{
    RunOptions limits;
    limits.connectLimit = kDefaultWait;
    if (const auto problem = TakeTimeout(options, limits)) {
        std::fprintf(stderr, "q9tx: %s\nTry 'q9tx detect --help'.\n", problem->message.c_str());
        return 2;
    }
    std::vector<std::unique_ptr<PortProbe>> probes;
    QEventLoop loop;
    const auto finishWhenDone = [&] {
        for (const auto& probe : probes) {
            if (probe->stage != PortProbe::Stage::Done)
                return;
        }
        loop.quit();
    };
    for (const std::string& port : PortsToProbe(options.values("--port"))) {
        auto probe = std::make_unique<PortProbe>();
        probe->port = port;
        PortProbe* raw = probe.get();
        probe->host = std::make_unique<PagerHost>(std::vector<std::string>{port}, [raw, &finishWhenDone](
                                                                                        const WindowMessage& message) {
            raw->Handle(message);
            if (raw->stage == PortProbe::Stage::Done)
                finishWhenDone();
        });
        probes.push_back(std::move(probe));
    }
    if (probes.empty()) {
        std::fputs("q9tx: No adapter port found. Connect the programming cable, or name its port with --port.\n",
                   stderr);
        return 1;
    }
    // A port where nothing answered in time has no pager; one that answered has the link's
    // own reply limit for each question.
    QTimer::singleShot(limits.connectLimit, &loop, [&] {
        for (const auto& probe : probes) {
            if (probe->stage == PortProbe::Stage::Polling)
                probe->stage = PortProbe::Stage::Done;
        }
        finishWhenDone();
    });
    QTimer::singleShot(limits.connectLimit + kQuestionsLimit, &loop, [&] { loop.quit(); });
    for (const auto& probe : probes)
        probe->host->Start();
    loop.exec();
    bool anyAnswered = false;
    for (const auto& probe : probes) {
        anyAnswered = anyAnswered || probe->answered();
        if (options.has("--json"))
            std::printf("%s\n", probe->Json().c_str());
        else
            std::printf("%s\n", probe->Line().c_str());
    }
    std::fflush(stdout);
    return anyAnswered ? 0 : 1;
}

}  // namespace q9tx::cli
