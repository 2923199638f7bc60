#include "cli/settings_json.h"

#include "image/setting_table.h"
#include "image/text_conversion.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

namespace q9tx {

namespace {

QJsonValue JsonValue(const SettingDefinition& setting, const SettingValue& value)
{
    switch (setting.kind) {
    case SettingKind::Check:
        return value.number != 0;
    case SettingKind::Frequency:
        return value.number > 0 ? QJsonValue(static_cast<qint64>(value.number)) : QJsonValue();
    case SettingKind::Tone:
        return QString::fromStdString(ToneToText(static_cast<std::uint16_t>(value.number)));
    case SettingKind::Text:
    case SettingKind::Time:
        return QString::fromLatin1(value.text.data(), static_cast<qsizetype>(value.text.size()));
    case SettingKind::List:
    case SettingKind::Number:
    case SettingKind::Capcode:
        break;
    }
    return static_cast<qint64>(value.number);
}

std::string Text(const QJsonDocument& document) { return document.toJson(QJsonDocument::Indented).toStdString(); }

}  // namespace

std::string SettingsJson(const PagerSettings& settings)
{
    QJsonObject object;
    for (const SettingDefinition& setting : SettingTable()) {
        object.insert(QString::fromStdString(setting.name), JsonValue(setting, settings.value(setting.name)));
    }
    return Text(QJsonDocument(object));
}

QJsonArray DifferencesArray(const std::vector<SettingDifference>& differences, const PagerSettings& from,
                            const PagerSettings& to)
{
    QJsonArray array;
    for (const SettingDifference& difference : differences) {
        const SettingDefinition& setting = *difference.setting;
        array.append(QJsonObject{
            {QStringLiteral("name"), QString::fromStdString(setting.name)},
            {QStringLiteral("label"), QString::fromStdString(setting.label())},
            {QStringLiteral("from"), JsonValue(setting, from.value(setting.name))},
            {QStringLiteral("to"), JsonValue(setting, to.value(setting.name))},
        });
    }
    return array;
}

std::string DifferencesJson(const std::vector<SettingDifference>& differences, const PagerSettings& from,
                            const PagerSettings& to)
{
    return Text(QJsonDocument(DifferencesArray(differences, from, to)));
}

std::string CheckJson(const std::string& file, const std::string& fileProblem,
                      const std::vector<SettingProblem>& problems)
{
    QJsonArray array;
    for (const SettingProblem& problem : problems) {
        const SettingDefinition* setting = FindSetting(problem.name);
        array.append(QJsonObject{
            {QStringLiteral("name"), QString::fromStdString(problem.name)},
            {QStringLiteral("label"), setting ? QJsonValue(QString::fromStdString(setting->label())) : QJsonValue()},
            {QStringLiteral("message"), QString::fromStdString(problem.message)},
        });
    }
    QJsonObject object{{QStringLiteral("file"), QString::fromStdString(file)},
                       {QStringLiteral("usable"), fileProblem.empty()},
                       {QStringLiteral("problems"), array}};
    if (!fileProblem.empty())
        object.insert(QStringLiteral("fileProblem"), QString::fromStdString(fileProblem));
    return Text(QJsonDocument(object));
}

}  // namespace q9tx
