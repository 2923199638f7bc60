#pragma once
// The width of every edit of the window: room for the widest text its setting can hold,
// measured in the font the edit is drawn with, and measured again whenever that font or
// the style changes (the desktop's font, a page that takes its font only once it is
// placed in the window).

#include <QString>

class QFontMetrics;
class QLineEdit;
class QWidget;

namespace q9tx {

// What an edit can hold: any of `characters`, at most `length` of them.
struct FieldContent {
    QString characters;
    int length = 0;
};

// From the setting the edit shows (the setting table), else any printable text up to
// the edit's typing limit.
FieldContent ContentOf(const QLineEdit* edit);

// `length` times the widest of `characters` in that font.
QString WidestText(const QFontMetrics& metrics, const QString& characters, int length);

// Gives every edit under `window` its width now and whenever its font or style changes.
void FitFieldWidths(QWidget* window);

}  // namespace q9tx
