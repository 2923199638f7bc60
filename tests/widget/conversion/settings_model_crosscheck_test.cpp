// The settings model against the window: the start-up values are the same, and for
// thousands of generated images that the window can show whole, loading into the window
// and into settings gives the same values and the same image (or the same refusal).

#include <random>

#include <QHash>

#include <QTest>

#include "conversion_support.h"
#include "editor/frequency_field_text.h"
#include "image/capcode.h"
#include "image/rf_word.h"
#include "image/setting_table.h"
#include "image/setting_text.h"
#include "image/settings_conversion.h"
#include "image/settings_validation.h"
#include "image/text_conversion.h"

using q9tx::ConfigImage;
using q9tx::PagerSettings;
using q9tx::SettingDefinition;
using q9tx::SettingKind;

namespace {

constexpr std::uint32_t kSeed = 1208;
constexpr int kImageCount = 2000;

// A drop-down that shows nothing keeps the value beyond its items here.
constexpr char kStoredValueProperty[] = "storedValue";

// The controls of a window by name, found once: the walk through the window's children
// is what a search by name costs.
class WindowControls {
public:
    explicit WindowControls(const TForm1& window)
    {
        for (QWidget* control : window.findChildren<QWidget*>())
            byName_.insert(control->objectName(), control);
    }
    template <typename Control>
    Control* get(const std::string& name) const
    {
        return qobject_cast<Control*>(byName_.value(QString::fromStdString(name)));
    }

private:
    QHash<QString, QWidget*> byName_;
};

// The settings a window holds, read the way the model stores them.
PagerSettings SettingsOf(const TForm1& window, const WindowControls& controls)
{
    PagerSettings settings;
    for (const SettingDefinition& setting : q9tx::SettingTable()) {
        const std::string& name = setting.name;
        if (setting.kind == SettingKind::Check) {
            settings.setChecked(name, controls.get<QCheckBox>(name)->isChecked());
            continue;
        }
        if (setting.kind == SettingKind::List) {
            const auto* list = controls.get<QComboBox>(name);
            const QVariant stored = list->property(kStoredValueProperty);
            settings.setNumber(name, list->currentIndex() < 0 && stored.isValid() ? stored.toLongLong()
                                                                                  : list->currentIndex());
            continue;
        }
        const QString text = controls.get<QLineEdit>(name)->text();
        switch (setting.kind) {
        case SettingKind::Frequency:
            settings.setNumber(name, text.isEmpty() ? 0 : q9tx::FrequencyFieldToHertz(text, window.decimalSeparator()));
            break;
        case SettingKind::Tone:
            settings.setNumber(name, q9tx::TextToTone(text.toStdString()));
            break;
        case SettingKind::Text:
        case SettingKind::Time:
            settings.setText(name, text.toLatin1().toStdString());
            break;
        default:
            settings.setNumber(name, text.toLongLong());
            break;
        }
    }
    return settings;
}

QStringList Differences(const PagerSettings& window, const PagerSettings& model)
{
    QStringList lines;
    for (const SettingDefinition& setting : q9tx::SettingTable()) {
        const q9tx::SettingValue& a = window.value(setting.name);
        const q9tx::SettingValue& b = model.value(setting.name);
        if (a != b) {
            lines << QString::fromStdString(setting.name + ": window " + q9tx::FormatValue(setting, a) + ", model " +
                                            q9tx::FormatValue(setting, b));
        }
    }
    return lines;
}

int Uniform(std::mt19937& random, int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

// An image whose values all fit the window's fields: contrast of two digits, folder sizes
// of one or two, minutes below 60, frequencies of at most nine characters.
ConfigImage ShowableImage(std::mt19937& random)
{
    ConfigImage image{};
    for (std::uint8_t& byte : image)
        byte = static_cast<std::uint8_t>(Uniform(random, 0, 255));
    image[0] = 0x28;
    image[1] = 0xAC;
    image[2] = 1;
    image[3] = 0;
    if (Uniform(random, 0, 1) == 0)
        image[4] = image[5] = 0;
    else
        image[4] |= 1;
    image[120] = static_cast<std::uint8_t>(Uniform(random, 8, 63));
    // Frequencies the FS8108 can be set to too, so that whichever chip the window holds
    // accepts them: a refused one stays marked into the next load.
    for (;;) {
        const auto chip = static_cast<std::uint8_t>(Uniform(random, 0, 2));
        const std::uint32_t unit = q9tx::kChannelSteps[Uniform(random, 0, 5)] * (Uniform(random, 0, 1) ? 2 : 1);
        const std::uint32_t hertz = static_cast<std::uint32_t>(Uniform(random, 4000, 23000)) * unit +
                                    q9tx::kIntermediateFrequency;
        q9tx::RfWord rfWord{};
        q9tx::SetRfChipType(rfWord, chip);
        if (q9tx::IsReachableFrequency(hertz, q9tx::PllChipFs8108) && q9tx::FrequencyToRfWord(hertz, rfWord) &&
            q9tx::FrequencyFieldText(hertz).size() <= 9) {
            q9tx::PutRfWord(image, rfWord);
            break;
        }
    }
    int next = 0;
    const int used = Uniform(random, 0, q9tx::kFolderCount);
    for (int k = 1; k <= q9tx::kFolderCount; ++k) {
        const std::size_t offset = q9tx::FolderRangeOffset(k);
        const int size = Uniform(random, 1, 12);
        image[offset] = k <= used ? static_cast<std::uint8_t>(next) : 0xFF;
        image[offset + 1] = k <= used ? static_cast<std::uint8_t>(next + size - 1) : 0;
        next += k <= used ? size : 0;
    }
    for (int day = 1; day <= q9tx::kDayCount; ++day) {
        std::uint8_t* record = &image[q9tx::ScheduleDayOffset(day)];
        record[0] = static_cast<std::uint8_t>((record[0] & 0x80) | Uniform(random, 0, 30));
        record[1] = static_cast<std::uint8_t>(Uniform(random, 0, 59));
        record[2] = static_cast<std::uint8_t>(Uniform(random, 0, 30));
        record[3] = static_cast<std::uint8_t>(Uniform(random, 0, 59));
        if (Uniform(random, 0, 9) == 0) {
            record[2] = record[0] & 0x7F;
            record[3] = record[1];
        }
    }
    return Sealed(image);
}

}  // namespace

class SettingsModelCrossCheck : public QObject {
    Q_OBJECT

private slots:
    void startupValuesAreTheWindows()
    {
        TestWindow window;
        const QStringList differences =
            Differences(SettingsOf(*window, WindowControls(*window)), q9tx::DefaultSettings());
        QVERIFY2(differences.isEmpty(), qPrintable(differences.join(u'\n')));
    }

    void loadedAndBuiltImagesAgree()
    {
        std::mt19937 random(kSeed);
        TestWindow window;
        const WindowControls controls(*window);
        int refused = 0;
        for (int n = 0; n < kImageCount; ++n) {
            const ConfigImage image = ShowableImage(random);
            const PagerSettings before = SettingsOf(*window, controls);
            window->DecodeImage(image);
            const PagerSettings model = q9tx::DecodeSettings(image, before);
            const PagerSettings shown = SettingsOf(*window, controls);
            const QStringList differences = Differences(shown, model);
            QVERIFY2(differences.isEmpty(), qPrintable(QStringLiteral("image %1:\n").arg(n) + differences.join(u'\n') +
                                                       u'\n' + BytesOf(image).toHex(' ')));

            const q9tx::ImageHeader header = q9tx::HeaderOf(image);
            const bool escalatingShown = !window->escalatingAlerts->isHidden();
            std::optional<ConfigImage> fromWindow;
            std::optional<ConfigImage> fromModel;
            try {
                fromWindow = window->EncodeImage(header);
            } catch (const std::exception&) {
            }
            try {
                fromModel = q9tx::EncodeSettings(model, header, escalatingShown);
            } catch (const q9tx::SettingsRefused&) {
                ++refused;
            }
            QVERIFY2(fromWindow.has_value() == fromModel.has_value(), qPrintable(QStringLiteral("image %1").arg(n)));
            if (fromWindow)
                QCOMPARE(BytesOf(*fromModel).toHex(' '), BytesOf(*fromWindow).toHex(' '));
        }
        QVERIFY(window.errors.isEmpty());
        QVERIFY(refused < kImageCount / 2);
    }
};

QTEST_MAIN(SettingsModelCrossCheck)
#include "settings_model_crosscheck_test.moc"
