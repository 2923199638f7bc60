#pragma once
// Helpers for tests that move settings between the editor, images and files: a window
// whose error box is recorded, controls set and read by name, images with check words.

#include <memory>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

#include "app/tform1.h"
#include "editor/error_box.h"
#include "fake_link.h"
#include "image/image_layout.h"
#include "image/image_validation.h"

// A window as the program starts it; `errors` holds what its error box showed.
struct TestWindow {
    QStringList errors;
    q9tx::ErrorReporter previous = q9tx::SetErrorReporter([this](const QString& text) { errors << text; });
    FakeLink link;
    std::unique_ptr<TForm1> window = std::make_unique<TForm1>(link);

    ~TestWindow()
    {
        window.reset();
        q9tx::SetErrorReporter(previous);
    }
    TForm1& operator*() { return *window; }
    TForm1* operator->() { return window.get(); }
};

// "1" or "0" for a check box, the item index of a drop-down, the text of an edit.
inline QString ValueOf(const TForm1& window, const QString& name)
{
    if (const auto* box = window.findChild<QCheckBox*>(name))
        return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (const auto* list = window.findChild<QComboBox*>(name))
        return QString::number(list->currentIndex());
    if (const auto* edit = window.findChild<QLineEdit*>(name))
        return edit->text();
    return QStringLiteral("<no such control>");
}

struct Setting {
    const char* control;
    const char* value;
};
using Settings = std::vector<Setting>;

// As the user would: a drop-down's choice runs its rule, a check box's change its own.
inline void Apply(TForm1& window, const Settings& settings)
{
    for (const auto& [control, value] : settings) {
        const QString name = QString::fromLatin1(control);
        if (auto* box = window.findChild<QCheckBox*>(name)) {
            box->setChecked(QLatin1String(value) == QLatin1String("1"));
        } else if (auto* list = window.findChild<QComboBox*>(name)) {
            list->setCurrentIndex(QString::fromLatin1(value).toInt());
            emit list->activated(list->currentIndex());
        } else {
            window.findChild<QLineEdit*>(name)->setText(QString::fromLatin1(value));
        }
    }
}

// "name=value" of each setting as the window shows it and as expected, for QCOMPARE.
inline QStringList Shown(const TForm1& window, const Settings& settings)
{
    QStringList shown;
    for (const Setting& setting : settings)
        shown << QLatin1String(setting.control) + u'=' + ValueOf(window, QLatin1String(setting.control));
    return shown;
}
inline QStringList Expected(const Settings& settings)
{
    QStringList expected;
    for (const Setting& setting : settings)
        expected << QLatin1String(setting.control) + u'=' + QLatin1String(setting.value);
    return expected;
}

// "name: 'a' -> 'b'" for every control the image carries whose value differs.
inline QStringList CarriedDifferences(const TForm1& from, const TForm1& to)
{
    QStringList names;
    for (const q9tx::ImageField& field : q9tx::ImageLayout()) {
        if (!field.control.empty())
            names << QString::fromStdString(field.control);
    }
    names.removeDuplicates();
    QStringList differences;
    for (const QString& name : names) {
        if (ValueOf(from, name) != ValueOf(to, name))
            differences << QStringLiteral("%1: '%2' -> '%3'").arg(name, ValueOf(from, name), ValueOf(to, name));
    }
    return differences;
}

inline q9tx::ConfigImage Sealed(q9tx::ConfigImage image)
{
    q9tx::StoreCheckWord1(image);
    q9tx::StoreCheckWord2(image);
    return image;
}

inline QByteArray BytesOf(const q9tx::ConfigImage& image, std::size_t offset = 0, std::size_t count = q9tx::kImageSize)
{
    return QByteArray(reinterpret_cast<const char*>(image.data() + offset), static_cast<qsizetype>(count));
}
