// Images as pagers and files hold them, generated from the layout table with a fixed
// seed, each checked with ValidateImage, loaded into the real window and encoded back.
// An image either comes back byte for byte, apart from the changes that the conversion
// itself makes (AfterRoundTrip lists each one), or the editor refuses to store it for a
// reason it shows: a marked field (an illegal or used capcode, a frequency the chip
// cannot reach, a schedule the check refuses, a time it cannot store, a passcode the
// pager's keys cannot enter while hand programming is on).

#include <algorithm>
#include <cstdio>
#include <random>

#include <QTabWidget>
#include <QTest>

#include "find_control.h"
#include "conversion_support.h"
#include "editor/field_marks.h"
#include "image/bit_reverse.h"
#include "image/capcode.h"
#include "image/rf_word.h"
#include "image/settings_rules.h"
#include "image/text_field.h"

using namespace q9tx;

namespace {

// The same images on every run; Q9TX_ROUND_TRIP_SEED (hexadecimal) tries others.
constexpr std::uint32_t kDefaultSeed = 0x5EED0010;
constexpr int kImageCount = 3000;
const QString kFoldersRunPastTheSlots =
    QStringLiteral("The folders need more slots than the pager has. Make them smaller.");

std::uint32_t Seed()
{
    bool given = false;
    const std::uint32_t seed = qEnvironmentVariable("Q9TX_ROUND_TRIP_SEED").toUInt(&given, 16);
    return given ? seed : kDefaultSeed;
}

// Capcodes at both sides of each border of the legal ranges, and at the ends of 21 bits.
// 999999 and 1000000 are the border of the zero fill to seven digits.
constexpr std::uint32_t kCapcodeBorders[] = {0,       7,       8,       9,       999999,  1000000, 2007663, 2007664,
                                             2007671, 2007672, 2045055, 2045056, 2045063, 2045064, 2097143, 2097144,
                                             2097151};
struct CapcodeRange {
    std::uint32_t first;
    std::uint32_t last;
};
constexpr CapcodeRange kLegalCapcodes[] = {{8, 2007663}, {2007672, 2045055}, {2045064, 2097143}};

bool IsLegal(std::uint32_t capcode)
{
    return std::any_of(std::begin(kLegalCapcodes), std::end(kLegalCapcodes),
                       [capcode](const CapcodeRange& r) { return capcode >= r.first && capcode <= r.last; });
}

// The frequencies each chip can be set to, by band: [first, last) in hertz.
struct Band {
    int chip;
    int band;
    std::uint32_t first;
    std::uint32_t end;
};
constexpr Band kBands[] = {
    {0, 0, 100'000'000, 300'000'000}, {0, 1, 400'000'000, 600'000'000}, {0, 2, 900'000'000, 1'000'000'000},
    {1, 0, 100'000'000, 300'000'000}, {1, 1, 400'000'000, 600'000'000}, {1, 2, 900'000'000, 1'000'000'000},
    {2, 0, 121'400'000, 300'000'000}, {2, 1, 421'400'000, 521'400'000},
};
constexpr std::uint32_t kIntermediateFrequency = 21'400'000;

constexpr int kPrivate = 0;
constexpr int kLastHour = 23;

// Where the schedule's bytes of a day are.
struct Day {
    int startHour;
    bool nightShift;
    int startMinute;
    int finishHour;
    int finishMinute;
};
Day DayOf(const ConfigImage& image, int day)
{
    const std::size_t at = ScheduleDayOffset(day);
    return {image[at] & 0x7F, (image[at] & 0x80) != 0, image[at + 1], image[at + 2], image[at + 3]};
}
bool IsEnabledWithin(const Day& d) { return d.startHour <= kLastHour && d.finishHour <= kLastHour; }

bool Bit(const ConfigImage& image, std::size_t offset, int bit) { return (image[offset] >> bit) & 1; }
bool UsesSchedule(const ConfigImage& image) { return Bit(image, 131, 5); }

std::uint32_t Capcode(const ConfigImage& image, int slot)
{
    return AddressWordToCapcode(ReadLe32(image, AddressWordOffset(slot))).capcode;
}

class ImageGenerator {
public:
    explicit ImageGenerator(std::uint32_t seed) : random_(seed) {}

    ConfigImage next(bool fromPager)
    {
        ConfigImage image{};
        for (std::uint8_t& byte : image)
            byte = static_cast<std::uint8_t>(below(256));
        // Values the editor refuses (capcodes at the borders, times beyond their ranges)
        // go into some of the images only, so that most of them are stored and compared.
        odd_ = chance(35);
        header(image, fromPager);
        tableFields(image);
        addresses(image);
        rfWord(image, fromPager);
        folderRanges(image);
        texts(image);
        schedule(image);
        return Sealed(image);
    }

private:
    std::uint32_t below(std::uint32_t count) { return std::uniform_int_distribution<std::uint32_t>(0, count - 1)(random_); }
    bool chance(std::uint32_t percent) { return below(100) < percent; }
    template <typename T, std::size_t N>
    T pick(const T (&values)[N])
    {
        return values[below(N)];
    }

    void header(ConfigImage& image, bool fromPager)
    {
        WriteLe16(image, kMagicOffset, kImageMagic);
        image[kLayoutVersionOffset] = kLayoutVersion;
        // A file of this program's own has origin 0 and map version 0, which the window
        // without a pager expects; a pager's header carries any other value.
        if (fromPager) {
            WriteLe16(image, kOriginWordOffset, static_cast<std::uint16_t>(1 + below(0xFFFF)));
        } else {
            WriteLe16(image, kOriginWordOffset, 0);
            image[kMapVersionOffset] = 0;
        }
    }

    // Every plain field over its whole range, with the ends of its item list and of its
    // bits more often than chance would give them.
    void tableFields(ConfigImage& image)
    {
        for (const ImageField& field : ImageLayout()) {
            const bool value = field.kind == FieldKind::ListIndex || field.kind == FieldKind::Number ||
                               field.kind == FieldKind::CheckBit || field.kind == FieldKind::Word16;
            if (!value || field.rule == FieldRule::RfWord || chance(50))
                continue;
            const std::uint32_t maximum = field.bits >= 32 ? 0xFFFFFFFFu : (1u << field.bits) - 1;
            const auto items = static_cast<std::uint32_t>(field.items.size());
            const std::uint32_t borders[] = {0, maximum, items ? items - 1 : 7, items ? items : 8, 63, 64, 99, 100};
            WriteField(image, field, std::min(pick(borders), maximum));
        }
    }

    void addresses(ConfigImage& image)
    {
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            const std::uint32_t capcode = odd_ && chance(30) ? pick(kCapcodeBorders) : below(kMaxCapcode + 1);
            const AddressWord word = CapcodeToAddressWord(capcode, chance(70), slot);
            // The slot tag and the constant bits are never read: noise there.
            constexpr AddressWord kUnread = 0x77F;
            WriteLe32(image, AddressWordOffset(slot), (word & ~kUnread) | (below(0x800) & kUnread));
        }
    }

    // Walks every chip, band and step in turn; now and then a word of random bytes or a
    // whole number of megahertz that no chip can be set to.
    void rfWord(ConfigImage& image, bool fromPager)
    {
        RfWord word{};
        for (std::uint8_t& byte : word)
            byte = static_cast<std::uint8_t>(below(256));
        if (!chance(10)) {
            const Band& band = kBands[(walk_ / std::size(kChannelSteps)) % std::size(kBands)];
            const std::uint32_t unit = kBandMultipliers[band.band] * kChannelSteps[walk_ % std::size(kChannelSteps)];
            ++walk_;
            const std::uint32_t firstN = (band.first - kIntermediateFrequency + unit - 1) / unit;
            const std::uint32_t endN = (band.end - kIntermediateFrequency + unit - 1) / unit;
            const std::uint32_t n = chance(10) ? (chance(50) ? firstN : endN - 1) : firstN + below(endN - firstN);
            word = {};
            SetRfChipType(word, static_cast<std::uint8_t>(band.chip));
            if (!FrequencyToRfWord(kIntermediateFrequency + n * unit, word))
                qFatal("the chip cannot take a frequency of its own band: %u Hz", kIntermediateFrequency + n * unit);
        } else if (chance(30)) {
            word = {};
            SetRfChipType(word, static_cast<std::uint8_t>(below(3)));
            const std::uint32_t megahertz = 22 + below(78);  // 22 to 99 MHz, 23 MHz among them
            FrequencyToRfWordBelowBands(megahertz * 1'000'000, word);
        }
        // A file of this program names the FS8170.
        if (!fromPager && chance(80))
            SetRfChipType(word, 1);
        PutRfWord(image, word);
    }

    // The counter of the lowest band for a frequency below it, as an old file may hold.
    static void FrequencyToRfWordBelowBands(std::uint32_t hertz, RfWord& word)
    {
        const std::uint32_t counter = (hertz - kIntermediateFrequency) / kChannelSteps[0];
        word[0] &= 0xC0;
        word[1] = static_cast<std::uint8_t>(counter >> 14);
        word[2] = static_cast<std::uint8_t>(counter >> 6);
        word[3] = static_cast<std::uint8_t>((counter & 0x3F) << 1);
    }

    // Consecutive ranges as the encoder builds them, from sizes 0 to 256; a disabled
    // folder's last byte is noise. Slot numbers have 8 bits: a folder whose first slot
    // would be 255 reads as disabled, so the folders end before one. Most images keep
    // their folders within the slots; the others run past the last one.
    void folderRanges(ConfigImage& image)
    {
        const std::uint32_t sizes[] = {0, 1, 2, 99, 100, 255, 256};
        std::uint16_t counter = 0;
        int inUse = static_cast<int>(below(kFolderCount + 1));
        const bool withinSlots = chance(90);
        for (int folder = 1; folder <= kFolderCount; ++folder) {
            const std::size_t at = FolderRangeOffset(folder);
            const auto first = static_cast<std::uint16_t>(folder == 1 ? 0 : counter + 1);
            if ((first & 0xFF) == 0xFF || (withinSlots && first > 255))
                inUse = std::min(inUse, folder - 1);
            if (folder > inUse || chance(10)) {
                image[at] = 0xFF;
                continue;
            }
            auto size = static_cast<std::uint16_t>(chance(50) ? pick(sizes) : below(257));
            if (withinSlots)
                size = std::min<std::uint16_t>(size, static_cast<std::uint16_t>(256 - first));
            counter = static_cast<std::uint16_t>(first + size - 1);
            image[at] = static_cast<std::uint8_t>(first);
            image[at + 1] = static_cast<std::uint8_t>(counter);
        }
    }

    // Texts of every length, walking through every byte value; stale bytes after the
    // terminator.
    void texts(ConfigImage& image)
    {
        for (const ImageField& field : ImageLayout()) {
            if (field.kind != FieldKind::Text)
                continue;
            const std::size_t width = field.bits / 8u;
            const std::size_t lengths[] = {0, 1, width - 1, width};
            const std::size_t length = chance(40) ? pick(lengths) : below(static_cast<std::uint32_t>(width + 1));
            // A passcode mostly of digits, as the pager's keys enter it.
            const bool digits = field.control == "passcode" && !chance(4);
            for (std::size_t i = 0; i < length; ++i) {
                image[field.offset + i] = digits ? static_cast<std::uint8_t>('0' + textByte_ % 10) : textByte_;
                textByte_ = static_cast<std::uint8_t>(textByte_ % 255 + 1);
            }
            if (length < width)
                image[field.offset + length] = 0;
        }
    }

    void schedule(ConfigImage& image)
    {
        for (int day = 1; day <= kDayCount; ++day) {
            std::uint8_t* record = &image[ScheduleDayOffset(day)];
            const auto hour = [this] { return static_cast<std::uint8_t>(below(kLastHour + 1)); };
            const auto minute = [this] {
                if (!odd_ || chance(80))
                    return static_cast<std::uint8_t>(below(60));
                return static_cast<std::uint8_t>(chance(60) ? 60 + below(40) : 100 + below(156));
            };
            switch (below(4)) {
            case 0:  // disabled all day: any start hour above 23
                record[0] = static_cast<std::uint8_t>((record[0] & 0x80) | (24 + below(104)));
                break;
            case 1:  // enabled all day: any finish hour above 23
                record[0] = static_cast<std::uint8_t>((record[0] & 0x80) | hour());
                record[2] = static_cast<std::uint8_t>(24 + below(232));
                break;
            default:  // enabled within times; now and then finishing when it starts
                record[0] = static_cast<std::uint8_t>((record[0] & 0x80) | hour());
                record[1] = minute();
                record[2] = hour();
                record[3] = minute();
                const std::uint8_t startHour = record[0] & 0x7F;
                if (!odd_ && record[2] < startHour) {  // in order, or over midnight
                    if (chance(50)) {
                        record[0] = static_cast<std::uint8_t>((record[0] & 0x80) | record[2]);
                        record[2] = startHour;
                    } else {
                        record[0] |= 0x80;
                    }
                }
                if (chance(10)) {
                    record[2] = record[0] & 0x7F;
                    record[3] = record[1];
                }
                break;
            }
        }
    }

    std::mt19937 random_;
    bool odd_ = false;
    std::size_t walk_ = 0;
    std::uint8_t textByte_ = 1;
};

// The editor writes the folders' ranges again from slot 0, one after the other, with
// the sizes the image gives them; it refuses sizes whose ranges would run past slot 255,
// start at slot 255 (the mark of a folder out of use) or end before slot 0.
bool FoldersRunPastTheSlots(const ConfigImage& image)
{
    if ((image[125] & 0x0F) == 0)
        return false;  // no public storage: no folder in use
    int nextFirst = 0;
    for (int folder = 1; folder <= kFolderCount; ++folder) {
        const std::size_t at = FolderRangeOffset(folder);
        if (image[at] == 0xFF) {
            if (folder == 1)
                nextFirst = 1;
            continue;
        }
        const int last = nextFirst + (image[at + 1] - image[at]);
        if (nextFirst >= 255 || last > 255 || last < 0)
            return true;
        nextFirst = last + 1;
    }
    return false;
}

bool IsRefusedByTheEditor(const ConfigImage& image, int checkedChip)
{
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const std::uint32_t capcode = Capcode(image, slot);
        if (!IsLegal(capcode))
            return true;
        for (int other = 1; other < slot; ++other) {
            if (Capcode(image, other) == capcode)
                return true;
        }
    }
    RfWord word = RfWordOf(image);
    const std::optional<std::uint32_t> hertz = RfWordToShownFrequency(word);
    RfWord check{};
    SetRfChipType(check, static_cast<std::uint8_t>(checkedChip));
    if (!hertz || !FrequencyToRfWord(*hertz, check))
        return true;
    for (int day = 1; day <= kDayCount; ++day) {
        const Day d = DayOf(image, day);
        if (!IsEnabledWithin(d))
            continue;
        if (d.startMinute >= 100 || d.finishMinute >= 100)
            return true;  // shown partially, not stored
        if (!UsesSchedule(image))
            continue;
        const int start = d.startHour * 100 + d.startMinute;
        const int finish = d.nightShift ? 2400 : d.finishHour * 100 + d.finishMinute;
        // A day that starts when it finishes is disabled by the load's check; the check
        // before storing then gives its hidden times their defaults.
        if (start == finish)
            continue;
        if (d.finishMinute >= 60 || finish < start)
            return true;
    }
    // The pager's keys enter digits only; without hand programming none is entered.
    if (ReadField(image, FieldOf("handProg")) != 0 &&
        !IsLegalPasscode(ReadTextField(image, kPasscodeRegion.offset, kPasscodeRegion.size)))
        return true;
    return FoldersRunPastTheSlots(image);
}

// The image the editor gives back for an image it accepted. Each change is one the
// conversion makes by design; everything else must come back as it was.
ConfigImage AfterRoundTrip(const ConfigImage& in, bool fromPager, const QByteArray& serialBefore)
{
    ConfigImage out = in;
    // A file gets the program's own header; a pager's header goes back unchanged.
    if (!fromPager)
        PutHeader(out, OwnImageHeader());
    // Reserved bytes and the bits never read are written with their constants.
    for (const ImageRegion& region : kReservedRegions)
        std::fill_n(out.begin() + region.offset, region.size, 0);
    for (const ImageField& field : ImageLayout()) {
        if (field.kind == FieldKind::Fixed)
            WriteField(out, field, field.fixedValue);
    }
    // 2400 bps is written with bit 4 set; a filter that is off clears its strength.
    if (Bit(in, 33, 3))
        out[33] |= 0x10;
    if (!Bit(in, 35, 2))
        out[35] &= static_cast<std::uint8_t>(~0x18);
    // BS1 and BS3 are never read: the editor's 30 and 31 go out.
    WriteField(out, FieldOf("bs1"), ReverseBits(30, 6));
    WriteField(out, FieldOf("bs3"), ReverseBits(31, 6));
    // The RF word is built again from the frequency: the coarsest step that divides it,
    // the chip of the pager's header, or the FS8170 in a file. A chip type without an
    // item is taken as "None".
    {
        RfWord word = RfWordOf(in);
        const std::uint32_t hertz = RfWordToFrequency(word);
        RfWord rebuilt{};
        const int chip = RfChipType(RfWordOf(in));
        SetRfChipType(rebuilt, static_cast<std::uint8_t>(fromPager ? (chip < 3 ? chip : 0) : 1));
        FrequencyToRfWord(hertz, rebuilt);
        PutRfWord(out, rebuilt);
    }
    // Conditional fields.
    if (((in[129] >> 4) & 7) == 0)
        out[123] = 0;  // reminder count without a reminder
    if (!Bit(in, 126, 0))
        out[126] &= 0x01;  // menus without the settings menu
    out[128] = static_cast<std::uint8_t>((out[128] & ~0x30) | ((in[128] & 0x30) ? 0x10 : 0));
    out[130] &= static_cast<std::uint8_t>(~0x04);  // escalating alerts: no pager that knows them
    if (((in[128] >> 2) & 3) != 0)
        out[130] &= static_cast<std::uint8_t>(~0x08);  // muting only while the user chooses the alert
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const bool enabled = AddressWordToCapcode(ReadLe32(in, AddressWordOffset(slot))).enabled;
        const bool isPrivate = slot > kSlotsWithStorage || Bit(in, 125, slot - 1) == kPrivate;
        if (!(enabled && isPrivate))
            out[UrgentByteOffset(slot)] &= static_cast<std::uint8_t>(~(0x0F << UrgentNibbleShift(slot)));
    }
    // Texts end at their terminator; what follows it is written as zeros.
    for (const ImageField& field : ImageLayout()) {
        if (field.kind == FieldKind::Text) {
            const std::size_t width = field.bits / 8u;
            WriteTextField(out, field.offset, width, ReadTextField(in, field.offset, width));
        }
    }
    if (!Bit(in, 131, 1))
        WriteTextField(out, kPasscodeRegion.offset, kPasscodeRegion.size, "6947");
    if (!Bit(in, 130, 5))
        std::fill_n(out.begin() + kCannedMessagesRegion.offset, kCannedMessagesRegion.size, 0);
    // The serial number is filled with spaces; a file leaves the editor's own.
    {
        QByteArray serial = fromPager ? QByteArray::fromStdString(ReadTextField(in, 336, 8)) : serialBefore;
        serial = serial.leftJustified(8, ' ');
        WriteTextField(out, kSerialNumberRegion.offset, kSerialNumberRegion.size, serial.toStdString());
    }
    // Folders exist only while an address of rows 1 to 4 stores publicly.
    const bool anyPublic = (in[125] & 0x0F) != 0;
    for (int folder = 1; folder <= kFolderCount; ++folder) {
        const std::size_t at = FolderRangeOffset(folder);
        if (!anyPublic || in[at] == 0xFF) {
            out[at] = 0xFF;
            out[at + 1] = 0;
        }
    }
    // A day without times is written with the hour that codes it; its night shift goes.
    // With the schedule in use, a day that starts when it finishes becomes disabled.
    for (int day = 1; day <= kDayCount; ++day) {
        const Day d = DayOf(in, day);
        std::uint8_t* record = &out[ScheduleDayOffset(day)];
        const int start = d.startHour * 100 + d.startMinute;
        const int finish = d.nightShift ? 2400 : d.finishHour * 100 + d.finishMinute;
        const bool disabled = d.startHour > kLastHour || (IsEnabledWithin(d) && UsesSchedule(in) && start == finish);
        if (disabled) {
            std::copy_n("\x18\0\0\0", 4, record);
        } else if (d.finishHour > kLastHour) {
            std::copy_n("\0\0\x18\0", 4, record);
        }
    }
    return Sealed(out);
}

QString HexLines(const ConfigImage& image)
{
    QString lines;
    for (std::size_t offset = 0; offset < kImageSize; offset += 32)
        lines += QStringLiteral("%1: %2\n").arg(offset, 3).arg(QString::fromLatin1(BytesOf(image, offset, 32).toHex(' ')));
    return lines;
}

QString Differences(const ConfigImage& got, const ConfigImage& expected)
{
    QStringList differences;
    for (std::size_t offset = 0; offset < kImageSize; ++offset) {
        if (got[offset] != expected[offset])
            differences << QStringLiteral("%1: %2 not %3").arg(offset).arg(got[offset], 2, 16, QLatin1Char('0')).arg(expected[offset], 2, 16, QLatin1Char('0'));
    }
    return differences.join(QStringLiteral(", "));
}

// The whole image goes to the log; a test message would be cut short.
[[noreturn]] void Fail(const QString& what, const QString& context)
{
    std::fprintf(stderr, "%s\n%s", qPrintable(what), qPrintable(context));
    qFatal("round trip failed");
}

bool AnyFieldMarked(const TForm1& window)
{
    const auto fields = window.findChildren<QLineEdit*>();
    return std::any_of(fields.begin(), fields.end(), [](const QLineEdit* field) { return isRefused(field); });
}

}  // namespace

class RoundTripTest : public QObject {
    Q_OBJECT

private slots:
    void everyImageComesBackOrIsRefusedWithAReason()
    {
        const std::uint32_t seed = Seed();
        ImageGenerator generator(seed);
        // One window for all, as a user loads one image after another: nothing of an
        // earlier image may leak into the next.
        TestWindow window;
        int stored = 0;
        int refusedByFolders = 0;
        for (int index = 0; index < kImageCount; ++index) {
            const bool fromPager = index % 2 == 0;
            const ConfigImage image = generator.next(fromPager);
            const QString context = QStringLiteral("seed %1, image %2 (%3):\n%4")
                                        .arg(seed, 0, 16)
                                        .arg(index)
                                        .arg(fromPager ? "from a pager" : "from a file")
                                        .arg(HexLines(image));
            q9tx::ValidateImage(0, image);
            // A pager names its chip (one without an item counts as "None"); a file leaves
            // the editor's chip and serial number as they were.
            const int imageChip = RfChipType(RfWordOf(image));
            const int checkedChip =
                fromPager ? (imageChip < 3 ? imageChip : 0)
                          : std::max(Control<QComboBox>(*window, QStringLiteral("pllChip"))->currentIndex(), 0);
            const QByteArray serialBefore = Control<QLineEdit>(*window, QStringLiteral("serialNum"))->text().toLatin1();
            window->DecodeImage(image);
            const bool refused = !window->ValidateSettings();
            if (!window.errors.isEmpty())
                Fail(window.errors.join(u'\n'), context);
            if (refused != IsRefusedByTheEditor(image, checkedChip))
                Fail(QStringLiteral("refused: %1, status '%2'").arg(refused).arg(window->statusText()), context);
            if (refused) {
                // Folder sizes carry no mark; their refusal says so in the status bar.
                const bool byFolders = window->statusText() == kFoldersRunPastTheSlots;
                if (AnyFieldMarked(*window) == byFolders)
                    Fail(QStringLiteral("refused without a marked field or the folders' message"), context);
                refusedByFolders += byFolders;
                continue;
            }
            ++stored;
            const ConfigImage again =
                window->EncodeImage(fromPager ? std::optional<ImageHeader>(HeaderOf(image)) : std::nullopt);
            const ConfigImage expected = AfterRoundTrip(image, fromPager, serialBefore);
            if (again != expected)
                Fail(Differences(again, expected), context);
        }
        qInfo("%d of %d images stored and compared, %d refused for their folders", stored, kImageCount,
              refusedByFolders);
        // Most images must get through, or the comparison proves little.
        QVERIFY2(stored > kImageCount / 2, qPrintable(QString::number(stored)));
        QVERIFY(refusedByFolders > 0);
    }
};

QTEST_MAIN(RoundTripTest)
#include "round_trip_test.moc"
