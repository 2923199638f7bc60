// Encoding the editor into an image and decoding an image into the editor, on the real
// window.

#include <QTest>

#include "conversion_support.h"
#include "editor/field_marks.h"
#include "editor/addresses_page.h"
#include "editor/general_page.h"
#include "editor/settings_editor.h"
#include "find_control.h"
#include "image/status_error.h"

using q9tx::ConfigImage;

namespace {

QByteArray Hex(const char* text) { return QByteArray::fromHex(text); }

q9tx::ImageHeader HeaderWithOrigin(std::uint16_t origin)
{
    q9tx::ImageHeader header = q9tx::OwnImageHeader();
    header[4] = static_cast<std::uint8_t>(origin);
    header[5] = static_cast<std::uint8_t>(origin >> 8);
    return header;
}

// The start-up editor's image with some bytes replaced.
ConfigImage StartupImageWith(std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes)
{
    TestWindow window;
    ConfigImage image = window->EncodeImage(std::nullopt);
    for (const auto& [offset, value] : bytes)
        image[offset] = value;
    return Sealed(image);
}

struct ConversionCase {
    const char* label;
    Settings settings;    // on the window that encodes
    std::size_t offset;
    QByteArray expected;  // the image's bytes from `offset`
    Settings before;      // on the window that decodes, before it does
    Settings decoded;     // that window's values afterwards
};

const ConversionCase kConversionCases[] = {
    {"reminder count while the reminder is off", {{"unreadReminder", "0"}, {"numReminders", "2"}}, 123, Hex("00"),
     {{"numReminders", "5"}}, {{"numReminders", "0"}}},
    {"reminder count while the reminder is on", {{"unreadReminder", "3"}, {"numReminders", "2"}}, 123, Hex("02"), {},
     {{"numReminders", "2"}}},
    {"menus without the settings menu", {{"setup", "0"}}, 126, Hex("00"), {},
     {{"setup", "0"}, {"schedule", "0"}, {"textSize", "0"}, {"powerOff", "0"}}},
    {"urgent targets of disabled and public rows",
     {{"addrEn1", "0"}, {"urgent1A", "1"}, {"storage2", "1"}, {"urgent2B", "1"}, {"urgent3C", "1"}, {"urgent5D", "1"},
      {"addrEn6", "0"}, {"urgent6A", "1"}},
     132, Hex("00040800"), {{"urgent1A", "1"}, {"urgent2B", "1"}, {"urgent6A", "1"}},
     {{"urgent1A", "1"}, {"urgent2B", "1"}, {"urgent3C", "1"}, {"urgent5D", "1"}, {"urgent6A", "1"}}},
    {"passcode without hand programming", {{"handProg", "0"}, {"passcode", "1234"}}, 312, "6947", {},
     {{"passcode", "6947"}}},
    {"passcode with hand programming", {{"handProg", "1"}, {"passcode", "12"}}, 312, QByteArray("12\0\0", 4), {},
     {{"passcode", "12"}}},
    {"a day enabled all day forgets its times", {{"period1", "1"}, {"start1", "07:30"}, {"finish1", "20:15"}}, 408,
     Hex("00001800"), {}, {{"period1", "1"}, {"start1", "09:00"}, {"finish1", "18:00"}}},
    {"night shift on a day that is disabled", {{"period2", "0"}, {"nightShift2", "1"}}, 412, Hex("18000000"),
     {{"nightShift2", "1"}}, {{"period2", "0"}, {"nightShift2", "0"}}},
    {"night shift on an enabled day",
     {{"period3", "2"}, {"start3", "22:05"}, {"finish3", "06:40"}, {"nightShift3", "1"}}, 416, Hex("96050628"), {},
     {{"period3", "2"}, {"start3", "22:05"}, {"finish3", "06:40"}, {"nightShift3", "1"}}},
    {"folders of sizes 5, 1 and 0",
     {{"storage1", "1"}, {"folderEn1", "1"}, {"folderEn2", "1"}, {"folderEn3", "1"}, {"folderSize1", "5"},
      {"folderSize2", "1"}, {"folderSize3", "0"}, {"folderSize4", "7"}},
     280, Hex("000405050605ff00ff00"), {},
     {{"folderEn3", "1"}, {"folderSize1", "5"}, {"folderSize2", "1"}, {"folderSize3", "0"}, {"folderEn4", "0"},
      {"folderSize4", "1"}}},
    {"a folder name that fills its field, and a shorter one after it",
     {{"folderName1", "ABCDEFGHI"}, {"folderName2", "Ab"}}, 136, QByteArray("ABCDEFGHIAb\0\0\0\0\0\0\0", 18), {},
     {{"folderName1", "ABCDEFGHI"}, {"folderName2", "Ab"}}},
    {"canned messages while they are off", {{"canned1", "Call home"}}, 344, QByteArray(16, '\0'),
     {{"canned1", "old"}}, {{"canned1", ""}}},
    {"canned messages while they are on", {{"cannedMessages", "1"}, {"canned1", "Call home"}}, 344,
     QByteArray("Call home\0\0\0\0\0\0\0", 16), {}, {{"canned1", "Call home"}}},
    {"escalating alerts while the pager does not know them", {{"escalatingAlerts", "1"}, {"hideMessageNumber", "1"}},
     130, Hex("12"), {{"escalatingAlerts", "1"}}, {{"escalatingAlerts", "0"}, {"hideMessageNumber", "1"}}},
    {"thresholds are written but never read", {{"bs1", "10"}, {"bs3", "50"}}, 33, Hex("d64495"), {},
     {{"bs1", "30"}, {"bs3", "31"}}},
    {"decoder options",
     {{"bs2Option", "1"}, {"baudrate", "2"}, {"polarity", "1"}, {"filterStrength", "4"}, {"preambleError", "6"}}, 32,
     Hex("82beef61"), {},
     {{"bs2Option", "1"}, {"baudrate", "2"}, {"polarity", "1"}, {"filterStrength", "4"}, {"preambleError", "6"}}},
    {"the slowest baud rate and the first filter", {{"baudrate", "0"}, {"filterStrength", "0"}, {"preambleError", "0"}},
     33, Hex("86ef05"), {}, {{"baudrate", "0"}, {"filterStrength", "0"}, {"preambleError", "0"}}},
};

}  // namespace

class ConversionTest : public QObject {
    Q_OBJECT

private slots:
    void startupEditorGivesTheKnownImage()
    {
        TestWindow window;
        const ConfigImage image = window->EncodeImage(std::nullopt);
        const QByteArray expected = Hex("28ac0100") + QByteArray(28, '\0') + Hex("0296ef95") +
                                    Hex("86c04b21 86c44ba1 86c24b61 86c64be1 86c14b11 86c54b91 86c34b51 86c74bd1") +
                                    Hex("50011050") + QByteArray(22, '\0') + Hex("10fd");
        QCOMPARE(BytesOf(image, 0, 96).toHex(' '), expected.toHex(' '));
        q9tx::ValidateImage(0, image);
    }

    void conditionalFields()
    {
        for (const ConversionCase& test : kConversionCases) {
            TestWindow encoder;
            Apply(*encoder, test.settings);
            encoder->editor().addressesPage().StorageExit();
            const ConfigImage image = encoder->EncodeImage(std::nullopt);
            const auto size = static_cast<std::size_t>(test.expected.size());
            QVERIFY2(BytesOf(image, test.offset, size) == test.expected,
                     qPrintable(QLatin1String(test.label) + u' ' + BytesOf(image, test.offset, size).toHex(' ')));

            TestWindow decoder;
            Apply(*decoder, test.before);
            decoder->DecodeImage(image);
            QVERIFY2(Shown(*decoder, test.decoded) == Expected(test.decoded),
                     qPrintable(QLatin1String(test.label) + u' ' + Shown(*decoder, test.decoded).join(u' ')));
            QVERIFY2(encoder.errors.isEmpty() && decoder.errors.isEmpty(), test.label);
        }
    }

    void everyTextByteSurvives_data()
    {
        QTest::addColumn<int>("firstByte");
        // The text fields hold 240 bytes; two images take every value from 1 to 255.
        QTest::newRow("1 to 240") << 1;
        QTest::newRow("241 to 255 and on") << 241;
    }
    void everyTextByteSurvives()
    {
        QFETCH(int, firstByte);
        const q9tx::ImageHeader header = HeaderWithOrigin(0x0101);  // so that the serial number is read
        TestWindow source;
        ConfigImage image = source->EncodeImage(header);
        image[130] |= 0x20;  // canned messages on
        image[131] |= 0x02;  // hand programming on
        const std::pair<std::size_t, std::size_t> texts[] = {{136, 144}, {312, 4}, {316, 20}, {336, 8}, {344, 64}};
        int value = firstByte;
        for (const auto& [offset, size] : texts) {
            for (std::size_t i = 0; i < size; ++i, value = value % 255 + 1)
                image[offset + i] = static_cast<std::uint8_t>(value);
        }
        image = Sealed(image);
        TestWindow window;
        window->DecodeImage(image);
        const ConfigImage again = window->EncodeImage(header);
        for (const auto& [offset, size] : texts)
            QCOMPARE(BytesOf(again, offset, size).toHex(' '), BytesOf(image, offset, size).toHex(' '));
    }

    void headerOriginDecidesChipAndSerialNumber_data()
    {
        QTest::addColumn<int>("origin");
        QTest::addColumn<QString>("chip");
        QTest::addColumn<QString>("serial");
        QTest::newRow("made by this program") << 0 << "0" << "00000000";
        QTest::newRow("sent by a pager") << 0x1234 << "2" << "SN 42   ";
    }
    void headerOriginDecidesChipAndSerialNumber()
    {
        QFETCH(int, origin);
        QFETCH(QString, chip);
        QFETCH(QString, serial);
        TestWindow pager;
        Apply(*pager, {{"serialNum", "SN 42"}});
        const ConfigImage image = pager->EncodeImage(HeaderWithOrigin(static_cast<std::uint16_t>(origin)));
        QCOMPARE(image[68] >> 6, 2);  // the chip the editor shows, FS8108
        TestWindow window;
        Apply(*window, {{"pllChip", "0"}});
        window->DecodeImage(image);
        QCOMPARE(Shown(*window, {{"pllChip", ""}, {"serialNum", ""}}), (QStringList{"pllChip=" + chip, "serialNum=" + serial}));
    }

    void valuesBeyondTheListsAreWrittenBack()
    {
        // Text encoding 15, reminder count 13, repeat call check 3, with the reminder on.
        const ConfigImage image = StartupImageWith({{122, 0x0F}, {123, 13}, {129, 0x10}, {131, 0xC0}});
        TestWindow window;
        window->DecodeImage(image);
        QCOMPARE(Shown(*window, {{"messageEncoding", ""}, {"numReminders", ""}, {"repeatedFilter", ""}}),
                 (QStringList{"messageEncoding=-1", "numReminders=-1", "repeatedFilter=-1"}));
        const ConfigImage again = window->EncodeImage(std::nullopt);
        QCOMPARE(BytesOf(again, 122, 2).toHex(), QByteArray("0f0d"));
        QCOMPARE(again[131] & 0xC0, 0xC0);
    }

    // Values beyond what the user may type load whole; only those that cannot be
    // stored, or that the load's own rules refuse, are marked.
    void unshowableValuesAreRefused_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("refused");
        QTest::newRow("minute 75") << 409 << 75 << "start1" << "09:75" << false;
        QTest::newRow("minute 175") << 411 << 175 << "finish1" << "18:" << true;
        QTest::newRow("contrast of three digits") << 120 << 200 << "lcdBaseContrast" << "200" << false;
        QTest::newRow("hold time of three digits") << 121 << 255 << "displayHoldTime" << "255" << false;
        QTest::newRow("RF word of no band") << 68 << 0x70 << "frequency" << "" << true;
    }
    void unshowableValuesAreRefused()
    {
        QFETCH(int, offset);
        QFETCH(int, byte);
        QFETCH(QString, field);
        QFETCH(QString, shown);
        QFETCH(bool, refused);
        // Sunday enabled all day shows that decoding went on to the end.
        TestWindow window;
        window->DecodeImage(StartupImageWith({{static_cast<std::size_t>(offset), static_cast<std::uint8_t>(byte)}, {434, 24}}));
        const auto* edit = window->findChild<QLineEdit*>(field);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(q9tx::isRefused(edit), refused);
        QCOMPARE(ValueOf(*window, QStringLiteral("period7")), QStringLiteral("1"));
        QVERIFY(window.errors.isEmpty());
    }

    void enabledDayKeepsNightShiftWhenItsRowWasHidden()
    {
        TestWindow pager;
        Apply(*pager, {{"nightShift1", "1"}});
        TestWindow window;
        Apply(*window, {{"period1", "0"}});
        window->DecodeImage(pager->EncodeImage(std::nullopt));
        QCOMPARE(Shown(*window, {{"period1", ""}, {"nightShift1", ""}}), (QStringList{"period1=2", "nightShift1=1"}));
    }

    void frequencyTheChipCannotSetProducesNoImage()
    {
        TestWindow window;
        Apply(*window, {{"pllChip", "0"}, {"frequency", "400.0"}});
        window->editor().generalPage().FrequencyExit();
        QVERIFY(!q9tx::isRefused(Control<QLineEdit>(*window, QStringLiteral("frequency"))));
        window->EncodeImage(q9tx::OwnImageHeader());
        // The write would load the chip of an FS8108 pager, which cannot reach 400 MHz.
        Apply(*window, {{"pllChip", "2"}});
        bool refused = false;
        try {
            window->EncodeImage(q9tx::OwnImageHeader());
        } catch (const q9tx::StatusError&) {
            refused = true;
        }
        QVERIFY(refused);
        window->EncodeImage(std::nullopt);
    }
};

QTEST_MAIN(ConversionTest)
#include "conversion_test.moc"
