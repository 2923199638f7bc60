#pragma once
// What the factory panel and the four pages share: each reaches the window's status bar
// and field events through EditorShell, attaches its rules to its own controls, and uses
// the key filter and the exit fills that fields on several pages have in common.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include <QString>
#include <QWidget>

#include "editor/field_events.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace q9tx {

class EditorShell;

class EditorPanel : public QWidget {
    Q_OBJECT
public:
    // The filter of numeric fields: digits and control characters pass; any other key
    // says "Please enter a number." and is dropped.
    bool NumericKeyPress(QChar key);
    // The exit fill of a fixed-width text: trailing spaces up to the typing limit.
    void FixedStringExit(QLineEdit* field);

    // Brings the page to the front of the tab control that holds it, and gives `focus`
    // (a control of the page) the focus.
    void BringToFront(QWidget* focus = nullptr);

    // The status number's text in the status bar, and any text.
    void showStatus(int number);
    void setStatusText(const QString& text);
    QString statusText() const;
    QChar decimalSeparator() const;

protected:
    EditorPanel(EditorShell& shell, const QString& name);

    FieldEvents& fieldEvents();
    // Runs one of the core's fills up to the field's typing limit.
    using Fill = std::string (*)(std::string_view text, std::size_t length);
    void FillToTypingLimit(QLineEdit* field, Fill fill);

    // Check boxes run their rule on every change of state, by the user or by the
    // editor's own code; drop-downs only on the user's choice; edits' change rules on
    // every change of text. Each rule runs guarded.
    void onToggle(QCheckBox* box, FieldEvents::Rule rule);
    void onChoice(QComboBox* box, FieldEvents::Rule rule);
    void onTextChange(QLineEdit* edit, FieldEvents::Rule rule);
    void filterNumericKeys(QLineEdit* edit);
    // The image stores the text one byte per character: characters without a
    // single-byte form are refused as they are typed or pasted.
    static void refuseMultiByteCharacters(QLineEdit* edit);
    // Attaches the text rules to every edit of the panel that shows a text setting: it
    // refuses multi-byte characters, and the texts the image holds in fixed-width fields
    // are filled with spaces when left.
    void attachTextRules();

private:
    EditorShell& shell_;
};

}  // namespace q9tx
