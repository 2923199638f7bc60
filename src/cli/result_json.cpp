#include "cli/result_json.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "cli/settings_json.h"

namespace q9tx::cli {
namespace {

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QJsonObject EntryObject(const JournalEntry& entry)
{
    QJsonArray capcodes;
    for (const std::uint32_t capcode : entry.capcodes)
        capcodes.append(static_cast<qint64>(capcode));
    return QJsonObject{
        {QStringLiteral("time"), QString::fromStdString(entry.time)},
        {QStringLiteral("port"), QString::fromStdString(entry.port)},
        {QStringLiteral("firmware"), QString::fromStdString(entry.firmware)},
        {QStringLiteral("serialNumber"), Latin1(entry.serialNumber)},
        {QStringLiteral("capcodes"), capcodes},
        {QStringLiteral("frequency"),
         entry.frequency ? QJsonValue(static_cast<qint64>(*entry.frequency)) : QJsonValue()},
        {QStringLiteral("outcome"), QString::fromStdString(entry.outcome)},
    };
}

std::string JsonLine(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

std::string EntryJson(const JournalEntry& entry, bool success)
{
    QJsonObject object = EntryObject(entry);
    object.insert(QStringLiteral("success"), success);
    return JsonLine(object);
}

std::string VerifyJson(const JournalEntry& entry, const std::string& file,
                       const std::vector<SettingDifference>& differences, const PagerSettings& fileSettings,
                       const PagerSettings& pagerSettings)
{
    QJsonObject object = EntryObject(entry);
    object.insert(QStringLiteral("file"), QString::fromStdString(file));
    object.insert(QStringLiteral("equal"), differences.empty());
    object.insert(QStringLiteral("differences"), DifferencesArray(differences, fileSettings, pagerSettings));
    return JsonLine(object) + "\n";
}

}  // namespace q9tx::cli
